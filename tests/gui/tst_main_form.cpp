// The main window on the offscreen platform: start-up, the report list and viewer, closing.
#include "gui/main_form.h"
#include "window_fixture.h"

#include "gui/print_preview_window.h"
#include "gui/splash.h"
#include "platform/preview_pages.h"

#include "core/common/file_io.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace analysis;
using analysis::testing::child;
using analysis::testing::DemoInstallation;

class TestMainForm : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> open(const DemoInstallation& installation) {
        return openWindow(installation, messages);
    }

    static void clickItem(QListWidget* list, int row) {
        QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static QString memoText(QWidget* window) {
        return child<QPlainTextEdit>(window, "MainMemo")->toPlainText();
    }

    QStringList messages;

private slots:
    void init() {
        messages.clear();
        // The launcher goes to $HOME/Desktop: keep it away from the real one.
        home = std::make_unique<analysis::testing::PrivateHome>();
    }

    void firstStartWithoutDataWritesDefaultSettingsAndShowsNothing() {
        DemoInstallation installation(false);
        auto window = open(installation);
        QVERIFY(window);
        QCOMPARE(installation.settingsLines(),
                 QStringList({"0000", "AXE", "@ABCDEFGHIJKLMNOPQRSTUVWXYZ", "27"}));
        QCOMPARE(child<QLabel>(window.get(), "RaceDate")->text(), QString("Race Date"));
        QCOMPARE(child<QListWidget>(window.get(), "ReportListBox")->count(), 0);
        QCOMPARE(memoText(window.get()),
                 QString("+-------+-------+-------+-------+-------+-------+-------+-------+------"
                         "-+-------"));
        QCOMPARE(child<QLabel>(window.get(), "SpinFont")->text(),
                 QString("     WIN Portrait 7pt        "));
        QVERIFY(fileExists(installation.folders().file(files::HelpE)));
        QVERIFY(fileExists(installation.folders().file(files::Schedule)));
        QVERIFY(messages.isEmpty());
    }

    void eachStartSelectsGroupGOnceMore() {
        DemoInstallation installation(false);
        for (int start = 0; start < 3; ++start) {
            auto window = open(installation);
            QVERIFY(window);
            QVERIFY(window->close());
        }
        QCOMPARE(installation.settingsLines().value(2), QString("@ABCDEFGHIJKLMNOPQRSTUVWXYZGG"));
    }

    void missingHelpFolderIsReportedAndTheWindowStillOpens() {
        DemoInstallation installation(true);
        std::filesystem::remove_all(installation.folders().InstallFolder / "Help");
        auto window = open(installation);
        QVERIFY(window);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("Help"), qPrintable(messages[0]));
        // Start-up stopped before decoding; the settings of the steps before are there.
        QCOMPARE(child<QLabel>(window.get(), "RaceDate")->text(), QString("Race Date"));
        QCOMPARE(installation.settingsLines().size(), 4);
    }

    void demoDayListsTicksAndShowsTheFirstReport() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QVERIFY(child<QLabel>(window.get(), "RaceDate")->text() != "Race Date");
        auto* list = child<QListWidget>(window.get(), "ReportListBox");
        QVERIFY(list->count() >= 30);
        // Columns of 15: item 15 stands at the top of the second column.
        QCOMPARE(list->visualItemRect(list->item(15)).top(),
                 list->visualItemRect(list->item(0)).top());
        QVERIFY(list->visualItemRect(list->item(15)).left() >
                list->visualItemRect(list->item(14)).left());
        QString first = list->item(0)->text();
        QVERIFY(first.startsWith("E"));
        QVERIFY(memoText(window.get()).contains(first));
        // The report is dated with the race day the window shows.
        QString raceDate = child<QLabel>(window.get(), "RaceDate")->text();
        QVERIFY2(memoText(window.get()).contains(raceDate), qPrintable(raceDate));
        for (int row = 0; row < list->count(); ++row) {
            QListWidgetItem* item = list->item(row);
            bool tickExpected = !item->text().isEmpty() && !item->text().startsWith("X");
            QCOMPARE(item->checkState() == Qt::Checked, tickExpected);
        }
        child<QPushButton>(window.get(), "checkALL")->click();
        for (int row = 0; row < list->count(); ++row)
            QCOMPARE(list->item(row)->checkState() == Qt::Checked,
                     !list->item(row)->text().isEmpty());
        child<QPushButton>(window.get(), "clearALL")->click();
        for (int row = 0; row < list->count(); ++row)
            QVERIFY(list->item(row)->checkState() != Qt::Checked);
    }

    void spacerClickKeepsTheReportAndBackspaceSwitches() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        auto* list = child<QListWidget>(window.get(), "ReportListBox");
        int p = 0;
        int spacer = -1;
        int q = -1;
        for (int row = 1; row < list->count(); ++row) {
            if (list->item(row)->text().isEmpty() && spacer < 0)
                spacer = row;
            if (!list->item(row)->text().isEmpty() && spacer >= 0 && q < 0)
                q = row;
        }
        QVERIFY(spacer > 0 && q > 0);
        QString reportP = list->item(p)->text();
        QString reportQ = list->item(q)->text();

        list->scrollToItem(list->item(spacer));
        clickItem(list, spacer);
        QVERIFY(memoText(window.get()).contains(reportP));

        list->setCurrentRow(p);
        QTest::keyClick(list, Qt::Key_Backspace); // remembers p, moves nothing
        QCOMPARE(list->currentRow(), p);
        list->setCurrentRow(q);
        QVERIFY(memoText(window.get()).contains(reportQ));
        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(list->currentRow(), p);
        QVERIFY(memoText(window.get()).contains(reportP));
        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(list->currentRow(), q);
        QVERIFY(memoText(window.get()).contains(reportQ));
    }

    void closingPutsTheDayBackTogether() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        auto* list = child<QListWidget>(window.get(), "ReportListBox");
        std::string code = list->item(0)->text().toStdString();
        QVERIFY(fileExists(installation.folders().file(code)));
        QVERIFY(window->close());
        QVERIFY(!fileExists(installation.folders().file(code)));
        std::string text = readFile(installation.folders().file(files::AnalysisText));
        QVERIFY(text.find("@" + code) != std::string::npos);
    }

    void settingsThatCannotBeSavedLetTheUserStayOrCloseWithTheDayPutAway() {
        DemoInstallation installation(true);
        QStringList questions;
        bool closeAnyway = false;
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askCloseAnyway = [&](const QString& question) {
            questions << question;
            return closeAnyway;
        };
        TMainForm window(std::move(setup));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const std::string code = window.session().day().list.items.front();
        // A folder where the settings file goes: as an Exec folder that cannot be written.
        const auto settings = installation.folders().file(files::Settings);
        std::filesystem::remove(settings);
        std::filesystem::create_directories(settings / "blocker");

        QVERIFY(!window.close());
        QCOMPARE(questions.size(), 1);
        QVERIFY2(questions[0].contains(QString::fromStdString(settings.string())),
                 qPrintable(questions[0]));
        QVERIFY(window.isVisible());
        QVERIFY(fileExists(installation.folders().file(code)));

        closeAnyway = true;
        QVERIFY(window.close());
        QCOMPARE(questions.size(), 2);
        QVERIFY(!fileExists(installation.folders().file(code)));
        const std::string text = readFile(installation.folders().file(files::AnalysisText));
        QVERIFY(text.find("@" + code) != std::string::npos);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void reportCodeWithHighBytesIsSavedPrintedAndPreviewedAsItsOwnFile() {
        DemoInstallation installation(false);
        const std::string code = "A01Aqu\x82";
        const std::string report = "\x0c@" + code + "\r\nA report\r\n";
        writeFileAtomically(installation.folders().file(files::AnalysisText), report);
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askText = [](const QString&, const QString&, const QString&) {
            return QString("HIGH.TXT");
        };
        int previewPages = 0;
        setup.showPreview = [&](PrintPreviewWindow& preview) {
            previewPages = preview.pages().count();
        };
        TMainForm window(std::move(setup));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        auto* list = child<QListWidget>(&window, "ReportListBox");
        QCOMPARE(list->item(0)->text(), QString("A01Aqu") + QChar(0x00E9));
        QCOMPARE(window.session().tickedJob().reportFiles,
                 std::vector<std::filesystem::path>{installation.folders().file(code)});
        child<QAction>(&window, "FileMenuSave")->trigger();
        const std::string archived =
            readFile(installation.folders().InstallFolder / "Archive" / "HIGH.TXT");
        QVERIFY2(archived.find(code + "\r\nA report\r\n") != std::string::npos, archived.c_str());
        child<QAction>(&window, "PreviewMenu")->trigger();
        QCOMPARE(previewPages, 1);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void jobCounterShowsWhileTheMouseIsHeld() {
        DemoInstallation installation(false);
        auto window = open(installation);
        QVERIFY(window);
        auto* box = child<QListWidget>(window.get(), "ListBox1");
        auto* counter = child<QLabel>(window.get(), "PrintCounter");
        QCOMPARE(counter->text(), QString("    "));
        QTest::mousePress(box->viewport(), Qt::LeftButton);
        QCOMPARE(counter->text(), QString("0000"));
        QTest::mouseRelease(box->viewport(), Qt::LeftButton);
        QCOMPARE(counter->text(), QString("    "));
    }

    void modeSelectorStepsThroughAllEightModesBothWays() {
        DemoInstallation installation(false);
        auto window = open(installation);
        QVERIFY(window);
        auto* selector = window->findChild<QWidget*>("FontSelect");
        auto* up = selector->findChild<QToolButton*>("up");
        auto* down = selector->findChild<QToolButton*>("down");
        auto* label = child<QLabel>(window.get(), "SpinFont");
        const QStringList labels = {
            "     WIN Portrait 9pt        ", "     WIN  *reserved*         ",
            "     WIN Portrait 7pt        ", "     WIN Landscape 7pt       ",
            "     PCL Portrait 10pt       ", "     PCL  *reserved*         ",
            "     PCL Portrait 6pt        ", "     PCL Landscape 6pt       "};
        // Mode 2 at start; the down arrow raises the mode, wrapping from 7 to 0.
        for (int step = 1; step <= 8; ++step) {
            down->click();
            QCOMPARE(label->text(), labels[(2 + step) % 8]);
        }
        for (int step = 1; step <= 8; ++step) {
            up->click();
            QCOMPARE(label->text(), labels[(2 + 8 - step) % 8]);
        }
        for (int step = 0; step < 5; ++step)
            down->click(); // mode 7
        QVERIFY(window->close());
        QCOMPARE(installation.settingsLines().value(3), QString("77"));
    }

    void theSplashIsPaintedWhenShown() {
        TSplash splash;
        splash.showPainted();
        QVERIFY(splash.isVisible());
        // What the screen got: the white ground with dark words on it, not a blank.
        const QImage shown = splash.grab().toImage();
        int dark = 0;
        int white = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const int grey = qGray(shown.pixel(x, y));
                dark += grey < 96 ? 1 : 0;
                white += grey > 240 ? 1 : 0;
            }
        QVERIFY2(white > shown.width() * shown.height() / 2, qPrintable(QString::number(white)));
        QVERIFY2(dark > 200, qPrintable(QString::number(dark)));
    }

    void printingWithNothingTickedChangesNothing() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        child<QPushButton>(window.get(), "clearALL")->click();
        auto* print = child<QPushButton>(window.get(), "PrintButton");
        print->click();
        QVERIFY(print->isEnabled());
        QCOMPARE(child<QLabel>(window.get(), "PrintCounter")->text(), QString("    "));
        QVERIFY(!fileExists(installation.folders().file(files::InstallationState)));
        QVERIFY(messages.isEmpty());
    }

    void aJobThatCannotReachThePrinterSaysSoAndStillCounts() {
        DemoInstallation installation(true);
        installation.profile().write(installation.folders().file(files::InstallationState),
                                     "0000\r\n9999\r\n");
        installation.profile().write(installation.folders().file(files::Settings),
                                     "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n77\r\n");
        auto window = open(installation); // no printer installed: the PCL job cannot be spooled
        QVERIFY(window);
        auto* print = child<QPushButton>(window.get(), "PrintButton");
        print->click();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("printer", Qt::CaseInsensitive), qPrintable(messages[0]));
        QVERIFY(child<QLabel>(window.get(), "PrintCounter")->text() != "-OK-");
        QVERIFY(print->isEnabled());
        QVERIFY(!fileExists(installation.folders().file(files::PrintFile)));
        QVERIFY(!fileExists(installation.folders().file(files::PclFile)));
        std::string state = readFile(installation.folders().file(files::InstallationState));
        QCOMPARE(QString::fromStdString(state), QString("0000\r\n0\r\n"));
    }

private:
    std::unique_ptr<analysis::testing::PrivateHome> home;
};

QTEST_MAIN(TestMainForm)
#include "tst_main_form.moc"
