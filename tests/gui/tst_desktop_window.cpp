// The window as a daily user meets it: the current-view print always on the bar, the printer
// chosen in a WIN mode, failures said plainly, the earlier day said so, finding and zooming.
#include "gui/main_form.h"
#include "gui/printer_x_form.h"
#include "window_fixture.h"

#include "core/common/file_io.h"
#include "demo/demo_day.h"
#include "platform/printer_catalog.h"
#include "support/private_cups.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace analysis;
using analysis::testing::DemoInstallation;

class TestDesktopWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> open(const DemoInstallation& installation,
                                    PrinterChoice printers = {}) {
        MainFormSetup setup = installation.windowSetup(messages, std::move(printers));
        setup.askText = [this](const QString&, const QString&, const QString&) { return answer; };
        auto window = std::make_unique<TMainForm>(std::move(setup));
        window->show();
        return window;
    }

    static void setMode(const DemoInstallation& installation, char digit) {
        installation.profile().write(installation.folders().file(files::Settings),
                                     std::string("0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n") +
                                         digit + "7\r\n");
    }

    QStringList messages;
    QString answer;
    /// The window keeps its geometry in the user's config: never in the home of whoever runs
    /// the tests.
    std::unique_ptr<analysis::testing::PrivateHome> home;

private slots:
    void init() {
        messages.clear();
        answer.clear();
        home = std::make_unique<analysis::testing::PrivateHome>();
    }

    void currentViewPrintStaysOnTheBarAtTheSmallestSize() {
        DemoInstallation installation(true);
        auto window = open(installation);
        window->resize(window->minimumSizeHint());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* corner = qobject_cast<QToolButton*>(window->menuBar()->cornerWidget());
        QVERIFY(corner);
        QVERIFY(corner->isVisible());
        QCOMPARE(corner->defaultAction()->text(), QString("PRINT Current View  Only"));
        QVERIFY(window->menuBar()->rect().contains(corner->geometry()));
        QVERIFY(corner->defaultAction()->isEnabled());
    }

    void windowGrowsIntoTheViewerOnly() {
        DemoInstallation installation(true);
        auto window = open(installation);
        auto* memo = window->findChild<QPlainTextEdit*>("MainMemo");
        auto* list = window->findChild<QListWidget*>("ReportListBox");
        const QRect listBefore = list->geometry();
        const int memoWidth = memo->width();
        window->resize(window->width() + 300, window->height() + 200);
        QTRY_VERIFY(memo->width() >= memoWidth + 300);
        QCOMPARE(list->geometry(), listBefore);
    }

    void failuresNameTheirCauseAndTheCounterSaysSo_data() {
        QTest::addColumn<char>("mode");
        QTest::newRow("WIN Portrait 9pt") << '0';
        QTest::newRow("PCL Landscape 6pt") << '7';
    }
    void failuresNameTheirCauseAndTheCounterSaysSo() {
        QFETCH(char, mode);
        DemoInstallation installation(true);
        setMode(installation, mode);
        auto window = open(installation); // no printer installed at all
        window->findChild<QPushButton*>("PrintButton")->click();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("no printer is installed"), qPrintable(messages[0]));
        QVERIFY2(messages[0].contains("printer settings"), qPrintable(messages[0]));
        QCOMPARE(window->findChild<QLabel*>("PrintCounter")->text(), QString("FAIL"));
    }

    void printingNothingTickedSaysSoOnTheStatusLine() {
        DemoInstallation installation(true);
        auto window = open(installation);
        window->findChild<QPushButton*>("clearALL")->click();
        window->findChild<QPushButton*>("PrintButton")->click();
        QVERIFY(messages.isEmpty());
        QVERIFY(window->statusBar()->currentMessage().contains("Nothing is ticked"));
    }

    void dataFileWithoutRecordsKeepsTheEarlierDayAndSaysSo() {
        DemoInstallation installation(false);
        const std::string earlier = demo::makeAnalysisText(demo::demoDay());
        installation.profile().write(installation.folders().file(files::AnalysisText), earlier);
        installation.profile().write(installation.folders().file(files::DataFile),
                                     demo::makeDataFile("", 19000).substr(0, 4096));
        auto window = open(installation);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("holds no analysis"), qPrintable(messages[0]));
        QVERIFY(window->findChild<QListWidget*>("ReportListBox")->count() > 0);
        // Said for as long as the earlier day is what the window shows, not for a moment.
        auto* banner = window->findChild<QLabel*>("DayBanner");
        QVERIFY(banner->isVisible());
        QVERIFY2(banner->text().contains("earlier day"), qPrintable(banner->text()));
        window->findChild<QPushButton*>("clearALL")->click();
        window->findChild<QPushButton*>("PrintButton")->click();
        QTest::qWait(50);
        QVERIFY(banner->isVisible());
        QCOMPARE(window->findChild<QLabel*>("RaceDate")->text(), QString("Race Date"));
        QVERIFY(window->close());
        // The earlier day's reports went back into its text, every one of them.
        const std::string kept =
            installation.profile().read(installation.folders().file(files::AnalysisText));
        auto reports = [](const std::string& text) {
            return std::count(text.begin(), text.end(), '@');
        };
        QVERIFY(!kept.empty());
        QCOMPARE(reports(kept), reports(earlier));
    }

    void theBannerSaysWhatTheDayIs_data() {
        QTest::addColumn<bool>("dataFile");
        QTest::addColumn<bool>("earlierText");
        QTest::addColumn<QString>("banner");  // a part of it; empty when none shows
        QTest::addColumn<QString>("message"); // a part of the one message; empty when none
        QTest::newRow("today's day") << true << false << ""
                                     << "";
        QTest::newRow("an empty Data folder") << false << false << "No race day yet"
                                              << "";
        QTest::newRow("no new data file") << false << true << "earlier day"
                                          << "";
        QTest::newRow("a header only, no earlier text") << true << false << "No race day yet"
                                                        << "no earlier analysis";
    }

    void theBannerSaysWhatTheDayIs() {
        QFETCH(bool, dataFile);
        QFETCH(bool, earlierText);
        QFETCH(QString, banner);
        QFETCH(QString, message);
        DemoInstallation installation(false);
        const std::string text = demo::makeAnalysisText(demo::demoDay());
        if (earlierText)
            installation.profile().write(installation.folders().file(files::AnalysisText), text);
        if (dataFile) {
            std::string data = demo::makeDataFile(text, demo::demoDay().raceDay);
            // Without its records when the banner is to speak of an empty one.
            if (!message.isEmpty())
                data = demo::makeDataFile("", 19000).substr(0, 4096);
            installation.profile().write(installation.folders().file(files::DataFile), data);
        }
        auto window = open(installation);
        auto* shown = window->findChild<QLabel*>("DayBanner");
        QCOMPARE(shown->isVisible(), !banner.isEmpty());
        if (!banner.isEmpty()) {
            QVERIFY2(shown->text().contains(banner), qPrintable(shown->text()));
            const QString dataPath =
                QString::fromStdString(installation.folders().file(files::DataFile).string());
            QVERIFY2(shown->text().contains(dataPath), qPrintable(shown->text()));
        }
        QCOMPARE(messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY2(messages[0].contains(message), qPrintable(messages[0]));
            QVERIFY2(!messages[0].contains("kept from before"), qPrintable(messages[0]));
        }
    }

    void viewerFindsAcrossLinesAndZoomKeepsTheText() {
        DemoInstallation installation(true);
        auto window = open(installation);
        auto* memo = window->findChild<QPlainTextEdit*>("MainMemo");
        const QString text = memo->toPlainText();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // A word on many lines: F3 goes to the next line holding it, Shift+F3 back.
        answer = "ID: ";
        if (text.count(answer) < 2)
            answer = "Race";
        QVERIFY2(text.count(answer) >= 2, qPrintable(text.left(400)));
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(memo->textCursor().hasSelection());
        QCOMPARE(memo->textCursor().selectedText(), answer);
        const int first = memo->textCursor().position();
        QTest::keyClick(window.get(), Qt::Key_F3);
        const int second = memo->textCursor().position();
        QVERIFY2(second > first, qPrintable(QString("%1 %2").arg(first).arg(second)));
        QCOMPARE(memo->textCursor().selectedText(), answer);
        QTest::keyClick(window.get(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(memo->textCursor().position(), first);

        const int pixels = memo->font().pixelSize();
        QTest::keyClick(window.get(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(memo->font().pixelSize(), pixels + 1);
        QTest::keyClick(window.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(memo->font().pixelSize(), pixels);
        QCOMPARE(memo->toPlainText(), text);
    }

    void winModeDialogChoosesAmongThePrinters() {
        analysis::testing::PrivateCups cups;
        cups.addRawQueue("left");
        cups.addRawQueue("right");
        std::vector<std::string> printers = installedPrinters();
        QCOMPARE(printers.size(), std::size_t(2));
        DemoInstallation installation(true);
        setMode(installation, '0');
        auto window = open(installation, {printers, 0});

        QStringList offered;
        QStringList confirms;
        QTimer::singleShot(0, [&offered, &confirms] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            // The dialog chooses a printer; nothing prints when it is confirmed.
            for (QDialogButtonBox* buttons : dialog->findChildren<QDialogButtonBox*>())
                if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                    confirms << ok->text();
            for (QComboBox* box : dialog->findChildren<QComboBox*>())
                for (int i = 0; i < box->count(); ++i)
                    offered << box->itemText(i);
            for (QComboBox* box : dialog->findChildren<QComboBox*>()) {
                int right = box->findText("right");
                if (right >= 0)
                    box->setCurrentIndex(right);
            }
            qobject_cast<QDialog*>(dialog)->accept();
        });
        QTest::mouseClick(window->findChild<QLabel*>("SpinFont"), Qt::LeftButton);
        QVERIFY2(offered.contains("left") && offered.contains("right"),
                 qPrintable(offered.join(',')));
        QCOMPARE(window->printerOptions()->selectedPrinter(), 1);
        QCOMPARE(confirms, QStringList({"&Use This Printer"}));
    }
};

QTEST_MAIN(TestDesktopWindow)
#include "tst_desktop_window.moc"
