// The "?" menu: the guides in the viewer, the "?" page only when installed, and the report list
// left as it was.
#include "gui/main_form.h"
#include "window_fixture.h"

#include "core/common/file_io.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

#include <memory>

using namespace analysis;
using namespace analysis::testing;

class TestHelpPages : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> open(const DemoInstallation& installation) {
        return openWindow(installation, messages);
    }

    static QString memoText(QWidget* window) {
        return child<QPlainTextEdit>(window, "MainMemo")->toPlainText();
    }

    /// Clicks "?": its sub-menu opens and closes again, nothing chosen.
    static void clickQuestionMark(QWidget* window) {
        auto* menu = child<QMenu>(window, "N1");
        menu->popup(QPoint(0, 0));
        menu->close();
    }

    static void choose(QWidget* window, const char* item) {
        child<QAction>(window, item)->trigger();
    }

    QStringList messages;

private slots:
    void init() {
        messages.clear();
        home = std::make_unique<PrivateHome>();
    }

    void theReportGuideShowsOnlyWhenChosenAndTheInstallationHasOne() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        QString report = memoText(window.get());
        clickQuestionMark(window.get());
        QCOMPARE(memoText(window.get()), report);
        choose(window.get(), "HelpIndexMenu");
        QCOMPARE(memoText(window.get()), report);

        installation.profile().write(installation.folders().file(files::HelpIndex),
                                     "\r\n    @-Report.HLP\r\n\r\n\r\nThe reports of the day\r\n");
        // Opening the menu, on the way to About, leaves the report in view.
        clickQuestionMark(window.get());
        QCOMPARE(memoText(window.get()), report);
        choose(window.get(), "HelpIndexMenu");
        QCOMPARE(memoText(window.get()), QString("\n    @-Report.HLP\n\n\nThe reports of the day"));
        QVERIFY(messages.isEmpty());
    }

    void guidesShowAndADeletedOneWaitsForTheNextStart() {
        DemoInstallation installation(true);
        {
            auto window = open(installation);
            QVERIFY(window);
            choose(window.get(), "EReport");
            QVERIFY(memoText(window.get()).contains("    E-Report.HLP"));
            choose(window.get(), "AReport");
            QString aPage = memoText(window.get());
            QVERIFY(aPage.contains("    A-Report.HLP"));

            std::filesystem::remove(installation.folders().file(files::HelpE));
            choose(window.get(), "EReport");
            QCOMPARE(memoText(window.get()), aPage);
            QVERIFY(window->close());
        }
        auto window = open(installation);
        QVERIFY(window);
        choose(window.get(), "EReport");
        QVERIFY(memoText(window.get()).contains("    E-Report.HLP"));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void helpLeavesTheListsSelectionAndTicksAlone() {
        DemoInstallation installation(true);
        installation.profile().write(installation.folders().file(files::HelpIndex), "?\r\n");
        auto window = open(installation);
        QVERIFY(window);
        auto* list = child<QListWidget>(window.get(), "ReportListBox");
        int row = list->count() - 1;
        while (row > 0 && list->item(row)->text().isEmpty())
            --row;
        QVERIFY(row > 0);
        list->setCurrentRow(row);
        QString report = memoText(window.get());
        list->item(0)->setCheckState(Qt::Unchecked);
        QList<Qt::CheckState> ticks;
        for (int i = 0; i < list->count(); ++i)
            ticks << list->item(i)->checkState();

        choose(window.get(), "AReport");
        choose(window.get(), "EReport");
        choose(window.get(), "HelpIndexMenu");
        QCOMPARE(memoText(window.get()), QString("?"));
        QCOMPARE(list->currentRow(), row);
        for (int i = 0; i < list->count(); ++i)
            QCOMPARE(list->item(i)->checkState(), ticks[i]);

        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        QCOMPARE(memoText(window.get()), report);
    }

private:
    std::unique_ptr<PrivateHome> home;
};

QTEST_MAIN(TestHelpPages)
#include "tst_help_pages.moc"
