// The window's print commands in a PCL mode, through a private CUPS server: what reaches the
// printer is the composed PCL of the print file, stamped for a job and unchanged for the view.
#include "gui/main_form.h"
#include "gui/print_preview_window.h"
#include "window_fixture.h"

#include "core/common/file_io.h"
#include "core/print/pcl/pcl_composer.h"
#include "support/private_cups.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

using namespace analysis;
using analysis::testing::DemoInstallation;

class TestWindowPrinting : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> open(const DemoInstallation& installation) {
        auto window = std::make_unique<TMainForm>(installation.windowSetup(messages, {{"q"}, 0}));
        window->show();
        return window;
    }

    /// The PCL of a print file in layout G, as the engine composes it.
    static std::string composed(const DemoInstallation& installation,
                                const std::string& printFile) {
        auto prn = installation.profile().write("expected.PRN", printFile);
        OutputFile pcl(installation.profile() / "expected.PCL");
        pcl::PrintPclJob(prn, 'G', false, false, pcl);
        pcl.commit();
        return installation.profile().read("expected.PCL");
    }

    QStringList messages;

private slots:
    void initTestCase() {
        home = std::make_unique<analysis::testing::PrivateHome>();
        queue = std::make_unique<analysis::testing::PrivateQueue>();
    }
    void cleanupTestCase() { queue.reset(); }

    void currentViewPrintsTheShownPageUnchanged() {
        DemoInstallation installation(false);
        installation.profile().write(installation.folders().file(files::Settings),
                                     "0000\r\nAXE\r\n@ABC\r\n77\r\n");
        auto window = open(installation);
        window->findChild<QAction*>("AReport")->trigger();
        std::size_t before = queue->jobCount();
        window->findChild<QAction*>("QuickieMenu")->trigger();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        auto job = queue->nextJob(before);
        QVERIFY(job);
        std::string page = readFile(installation.folders().file(files::HelpA));
        QVERIFY(*job == composed(installation, page));
        QVERIFY(!fileExists(installation.folders().file(files::PrintFile)));
        QVERIFY(!fileExists(installation.folders().file(files::PclFile)));
        QVERIFY(window->findChild<QPushButton*>("PrintButton")->isEnabled());
    }

    void printJobSendsTheStampedTickedReports() {
        DemoInstallation installation(true);
        installation.profile().write(installation.folders().file(files::Settings),
                                     "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n77\r\n");
        auto window = open(installation);
        auto* list = window->findChild<QListWidget*>("ReportListBox");
        window->findChild<QPushButton*>("clearALL")->click();
        int aRow = -1;
        for (int row = 0; row < list->count() && aRow < 0; ++row)
            if (list->item(row)->text().startsWith("A"))
                aRow = row;
        QVERIFY(aRow >= 0);
        list->item(aRow)->setCheckState(Qt::Checked);
        std::size_t before = queue->jobCount();
        window->findChild<QPushButton*>("PrintButton")->click();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QCOMPARE(window->findChild<QLabel*>("PrintCounter")->text(), QString("-OK-"));
        auto job = queue->nextJob(before);
        QVERIFY(job);
        const std::string& received = *job;
        // Job 0001: every identification line carries it after its stamp.
        QVERIFY(received.find("  0001") != std::string::npos);
        QVERIFY(received.find("ID: 0000    ") != std::string::npos);
        std::string report =
            readFile(installation.folders().file(list->item(aRow)->text().toStdString()));
        QVERIFY(received.size() > report.size() / 2);
        // The status line follows the job on the server: printed once the server says so.
        auto* status = window->findChild<QStatusBar*>("StatusLine");
        QTRY_VERIFY_WITH_TIMEOUT(status->currentMessage() == "Job 0001 printed on q", 20000);
    }

    void aJobTheServerDoesNotPrintIsSaidOnceNamingThePrinter() {
        // The queue takes the job; the server then says what became of it: aborted is FAIL on
        // the counter and one warning with the server's words, completed is said on the status
        // line.
        struct Case {
            ServerJob::Phase phase;
            const char* counter;
            const char* warning;
        };
        const Case cases[] = {
            {ServerJob::Phase::Aborted, "FAIL", "Job 0001 on q was aborted (paper jam)"},
            {ServerJob::Phase::Completed, "-OK-", ""},
        };
        for (const Case& c : cases) {
            messages.clear();
            DemoInstallation installation(true);
            installation.profile().write(installation.folders().file(files::Settings),
                                         "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n77\r\n");
            MainFormSetup setup = installation.windowSetup(messages, {{"q"}, 0});
            int asked = 0;
            setup.newestJob = [&asked](const std::string&) { return 40 + asked++; };
            setup.lookupJob = [&c](int id) -> std::optional<ServerJob> {
                return ServerJob{id, c.phase, 3, "paper jam"};
            };
            TMainForm window(std::move(setup));
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            auto* counter = window.findChild<QLabel*>("PrintCounter");
            window.findChild<QPushButton*>("PrintButton")->click();
            QTRY_COMPARE(counter->text(), QString(c.counter));
            if (*c.warning) {
                QTRY_COMPARE(messages.size(), 1);
                QCOMPARE(messages[0], QString(c.warning));
            } else {
                QTRY_VERIFY(window.statusBar()->currentMessage() == "Job 0001 printed on q");
                QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
            }
        }
    }

    void aPrintOfMoreSheetsThanTheSettingAsksFirst() {
        // Five demo reports in PCL Landscape 6pt: a handful of sheets. Over the threshold the
        // user is asked, with the sheets and the printer; a no sends nothing. At or under it,
        // nobody is asked.
        struct Case {
            int threshold;
            bool answer;
            bool asked;
            bool sent;
        };
        const Case cases[] = {
            {0, false, true, false}, {0, true, true, true}, {999, false, false, true}};
        for (const Case& c : cases) {
            DemoInstallation installation(true);
            installation.profile().write(installation.folders().file(files::Settings),
                                         "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n77\r\n");
            MainFormSetup setup = installation.windowSetup(messages, {{"q"}, 0});
            setup.bigJobSheets = c.threshold;
            QStringList questions;
            setup.confirmBigJob = [&](int sheets, const QString& printer) {
                questions << QString("%1 on %2").arg(sheets).arg(printer);
                return c.answer;
            };
            TMainForm window(std::move(setup));
            window.show();
            const std::size_t before = queue->jobCount();
            window.findChild<QPushButton*>("PrintButton")->click();
            QCOMPARE(questions.size(), c.asked ? 1 : 0);
            if (c.asked)
                QVERIFY2(questions[0].endsWith(" on q") &&
                             questions[0].section(' ', 0, 0).toInt() > 0,
                         qPrintable(questions[0]));
            using namespace std::chrono_literals;
            QCOMPARE(queue->nextJob(before, c.sent ? 20s : 1s).has_value(), c.sent);
        }
    }

    void aDrawnPrintCountsItsPagesOutOfTheTotal() {
        DemoInstallation installation(true);
        installation.profile().write(installation.folders().file(files::Settings),
                                     "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n27\r\n");
        TMainForm window(installation.windowSetup(messages, {{"q"}, 0}));
        window.show();
        QStringList progress;
        connect(window.statusBar(), &QStatusBar::messageChanged, this, [&](const QString& text) {
            if (text.startsWith("Printing page"))
                progress << text;
        });
        window.findChild<QPushButton*>("PrintButton")->click();
        QVERIFY(!progress.isEmpty());
        const QString total = QString::number(progress.size());
        QCOMPARE(progress.front(), "Printing page 1 of " + total);
        QCOMPARE(progress.back(), "Printing page " + total + " of " + total);
    }

    void whatTheQueueSaysIsWhatTheWindowSays_data() {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("said");
        QTest::addColumn<bool>("counted");
        for (const char* mode : {"27", "77"}) {
            const QString engine = mode[0] == '2' ? "drawn" : "raw";
            QTest::newRow(qPrintable("good " + engine)) << "q" << mode << "-OK-"
                                                        << "sent to q" << true;
            QTest::newRow(qPrintable("refusing " + engine))
                << "Refusing" << mode << "FAIL"
                << "does not accept jobs (closed for the day)" << false;
            QTest::newRow(qPrintable("paused " + engine))
                << "Paused" << mode << "-OK-"
                << "The job waits: Paused is paused (out of toner)" << true;
        }
    }

    void whatTheQueueSaysIsWhatTheWindowSays() {
        // A refusing queue: FAIL, one warning with the server's reason, nothing counted. A
        // paused one: sent and counted, and the status line says the job waits.
        QFETCH(QString, printer);
        QFETCH(QString, mode);
        QFETCH(QString, counter);
        QFETCH(QString, said);
        QFETCH(bool, counted);
        if (!refusingAndPaused) {
            queue->addRawQueue("Refusing");
            queue->administer("cupsreject", {"-r", "closed for the day", "Refusing"});
            queue->addRawQueue("Paused");
            queue->administer("cupsdisable", {"-r", "out of toner", "Paused"});
            refusingAndPaused = true;
        }
        messages.clear();
        DemoInstallation installation(true);
        installation.profile().write(installation.folders().file(files::Settings),
                                     "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n" +
                                         mode.toStdString() + "\r\n");
        installation.profile().write(installation.folders().file(files::InstallationState),
                                     "0000\r\n0041\r\n");
        TMainForm window(installation.windowSetup(messages, {{printer.toStdString()}, 0}));
        window.show();
        window.findChild<QPushButton*>("clearALL")->click();
        window.findChild<QListWidget*>("ReportListBox")->item(0)->setCheckState(Qt::Checked);
        window.findChild<QPushButton*>("PrintButton")->click();
        QCOMPARE(window.findChild<QLabel*>("PrintCounter")->text(), counter);
        const QString told = messages.join('\n') + window.statusBar()->currentMessage();
        QVERIFY2(told.contains(said), qPrintable(told));
        const std::string state = readFile(installation.folders().file(files::InstallationState));
        QCOMPARE(QString::fromStdString(state),
                 QString(counted ? "0000\r\n42\r\n" : "0000\r\n0041\r\n"));
    }

    void aFollowedJobCanBeCanceled() {
        DemoInstallation installation(true);
        installation.profile().write(installation.folders().file(files::Settings),
                                     "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n77\r\n");
        MainFormSetup setup = installation.windowSetup(messages, {{"q"}, 0});
        int asked = 0;
        std::vector<int> canceled;
        setup.newestJob = [&asked](const std::string&) { return 40 + asked++; };
        setup.lookupJob = [&canceled](int id) -> std::optional<ServerJob> {
            return ServerJob{
                id, canceled.empty() ? ServerJob::Phase::Printing : ServerJob::Phase::Canceled, 1,
                ""};
        };
        setup.cancelJob = [&canceled](int id) {
            canceled.push_back(id);
            return true;
        };
        TMainForm window(std::move(setup));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* cancel = window.findChild<QAction*>("CancelJobMenu");
        QVERIFY(!cancel->isEnabled());
        window.findChild<QPushButton*>("PrintButton")->click();
        QTRY_VERIFY(
            window.statusBar()->currentMessage().startsWith("Job 0001 on q: printing page 2 of "));
        QVERIFY(cancel->isEnabled());
        cancel->trigger();
        QCOMPARE(canceled, std::vector<int>{41});
        QTRY_VERIFY(window.statusBar()->currentMessage() == "Job 0001 on q was canceled");
        QVERIFY(!cancel->isEnabled());
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void printFromThePreviewIsTheJobThePreviewShows() {
        // With nothing ticked the preview shows the report in view and prints it as "PRINT
        // Current View  Only" does, unchanged; with reports ticked it is PRINT's stamped job.
        DemoInstallation installation(true);
        installation.profile().write(installation.folders().file(files::Settings),
                                     "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n77\r\n");
        MainFormSetup setup = installation.windowSetup(messages, {{"q"}, 0});
        QString title;
        setup.showPreview = [&](PrintPreviewWindow& preview) {
            title = preview.windowTitle();
            analysis::testing::child<QAction>(&preview, "PreviewPrint")->trigger();
        };
        TMainForm window(setup);
        window.show();
        window.findChild<QPushButton*>("clearALL")->click();
        window.findChild<QAction*>("AReport")->trigger();
        std::size_t before = queue->jobCount();
        window.findChild<QAction*>("PreviewMenu")->trigger();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QVERIFY(title.contains("current view"));
        auto job = queue->nextJob(before);
        QVERIFY(job);
        std::string page = readFile(installation.folders().file(files::HelpA));
        QVERIFY(*job == composed(installation, page));

        window.findChild<QPushButton*>("checkALL")->click();
        window.findChild<QAction*>("PreviewMenu")->trigger();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QVERIFY(!title.contains("current view"));
        job = queue->nextJob(before + 1);
        QVERIFY(job);
        QVERIFY(job->find("  0001") != std::string::npos);
        QCOMPARE(window.findChild<QLabel*>("PrintCounter")->text(), QString("-OK-"));
    }

private:
    std::unique_ptr<analysis::testing::PrivateHome> home;
    std::unique_ptr<analysis::testing::PrivateQueue> queue;
    bool refusingAndPaused = false;
};

QTEST_MAIN(TestWindowPrinting)
#include "tst_window_printing.moc"
