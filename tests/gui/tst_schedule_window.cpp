// The schedule print and its layout dialog on the real window: the dialog keeps the optimum at
// most the maximum, forgets what its close box closes, starts from the defaults each run; the
// print reaches a printer (a private CUPS queue, which passes the PDF through) and reads back.
#include "gui/main_form.h"
#include "gui/simo_opts.h"
#include "gui/up_down.h"
#include "window_fixture.h"

#include "core/common/file_io.h"
#include "support/private_cups.h"

#include "support/run_command.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <tuple>

using namespace analysis;
using namespace std::chrono_literals;
using analysis::testing::child;
using analysis::testing::DemoInstallation;
using analysis::testing::runCommand;

namespace {

/// Clicks an arrow of an up-down times times.
void step(TSimoOpts* dialog, const char* upDown, const char* arrow, int times = 1) {
    for (int i = 0; i < times; ++i)
        child<QToolButton>(child<UpDown>(dialog, upDown), arrow)->click();
}

/// What the dialog shows: both panels, both up-down positions, and the 2-up box.
struct Shown {
    QString optimum;
    QString maximum;
    int optimumPosition = 0;
    int maximumPosition = 0;
    bool twoUp = false;
};

Shown shown(TSimoOpts* dialog) {
    return {child<QLabel>(dialog, "OptimumPanel")->text(),
            child<QLabel>(dialog, "MaximumPanel")->text(),
            child<UpDown>(dialog, "OptimumLines")->position(),
            child<UpDown>(dialog, "MaximumLines")->position(),
            child<QCheckBox>(dialog, "x2")->isChecked()};
}

bool shows(TSimoOpts* dialog, int optimum, int maximum, bool twoUp) {
    Shown now = shown(dialog);
    bool same = now.optimum == QString::number(optimum) &&
                now.maximum == QString::number(maximum) && now.optimumPosition == optimum &&
                now.maximumPosition == maximum && now.twoUp == twoUp;
    if (!same)
        qWarning("dialog shows %s/%s at %d/%d, 2-up %d; expected %d/%d, 2-up %d",
                 qPrintable(now.optimum), qPrintable(now.maximum), now.optimumPosition,
                 now.maximumPosition, now.twoUp, optimum, maximum, twoUp);
    return same;
}

/// The text of each page of a PDF, as pdftotext reads it (blanks between words collapsed).
QStringList pdfPages(const std::filesystem::path& pdf) {
    QString text = QString::fromStdString(runCommand("pdftotext -raw '" + pdf.string() + "' -"));
    QStringList pages = text.split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    for (QString& page : pages)
        page = page.simplified();
    return pages;
}

} // namespace

class TestScheduleWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> open(const DemoInstallation& installation,
                                    PrinterChoice printers = {{"q"}, 0}) {
        auto window = std::make_unique<TMainForm>(installation.windowSetup(messages, printers));
        window->show();
        return window;
    }

    /// Opens the dialog with the window's button and runs work on it while it is shown; work
    /// ends it (OK or the close box). False when the dialog did not open.
    static bool withDialog(TMainForm* window, const std::function<void(TSimoOpts*)>& work) {
        bool opened = false;
        QTimer::singleShot(0, window, [&] {
            auto* dialog = child<TSimoOpts>(window, "SimoOpts");
            opened = dialog->isVisible();
            work(dialog);
            if (dialog->isVisible())
                dialog->close();
        });
        child<QPushButton>(window, "options")->click();
        return opened;
    }

    static void ok(TSimoOpts* dialog) { child<QPushButton>(dialog, "OK")->click(); }

    /// Ticks the reports of the given tracks only (all when empty).
    static void tickTracks(TMainForm* window, const QStringList& tracks) {
        auto* list = child<QListWidget>(window, "ReportListBox");
        for (int row = 0; row < list->count(); ++row) {
            QListWidgetItem* item = list->item(row);
            if (item->text().isEmpty())
                continue;
            bool wanted = tracks.isEmpty() || tracks.contains(item->text().mid(3, 3));
            item->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
        }
    }

    /// The PDF of the job the queue receives after its first before, written into the
    /// installation's profile.
    std::optional<std::filesystem::path> nextPdf(const DemoInstallation& installation,
                                                 std::size_t before) {
        auto job = queue->nextJob(before);
        if (!job)
            return std::nullopt;
        return installation.profile().write("job.pdf", *job);
    }

    QStringList messages;

private slots:
    void initTestCase() {
        home = std::make_unique<analysis::testing::PrivateHome>();
        queue = std::make_unique<analysis::testing::PrivateQueue>();
    }
    void cleanupTestCase() { queue.reset(); }
    void init() { messages.clear(); }

    void optimumAndMaximumFollowEachOther() {
        DemoInstallation installation(false);
        auto window = open(installation);
        QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
            QVERIFY(shows(dialog, 32, 64, false));
            // Maximum down to 40, then the optimum up to 48: the maximum follows it up.
            step(dialog, "MaximumLines", "down", 6);
            QVERIFY(shows(dialog, 32, 40, false));
            step(dialog, "OptimumLines", "up", 4);
            QVERIFY(shows(dialog, 48, 48, false));
            // Optimum at 44 and the maximum down to 36: the optimum follows it down.
            step(dialog, "OptimumLines", "down");
            step(dialog, "MaximumLines", "up", 4);
            QVERIFY(shows(dialog, 44, 64, false));
            step(dialog, "MaximumLines", "down", 7);
            QVERIFY(shows(dialog, 36, 36, false));
            // The ends hold without wrapping round: both at 32, both at 64.
            step(dialog, "MaximumLines", "down", 3);
            QVERIFY(shows(dialog, 32, 32, false));
            step(dialog, "OptimumLines", "up", 10);
            QVERIFY(shows(dialog, 64, 64, false));
            ok(dialog);
        }));
        QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
            QVERIFY(shows(dialog, 64, 64, false));
            ok(dialog);
        }));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void closeBoxForgetsTheValuesButNotTheTwoUpBox() {
        DemoInstallation installation(false);
        auto window = open(installation);
        QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
            step(dialog, "OptimumLines", "up", 2);
            step(dialog, "MaximumLines", "down");
            child<QCheckBox>(dialog, "x2")->click();
            QVERIFY(shows(dialog, 40, 60, true));
            dialog->close();
        }));
        // The 2-up box stays ticked until the dialog opens again, which shows what is stored;
        // OK then stores those very values.
        QVERIFY(child<QCheckBox>(window.get(), "x2")->isChecked());
        QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
            QVERIFY(shows(dialog, 32, 64, false));
            ok(dialog);
        }));
        QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
            QVERIFY(shows(dialog, 32, 64, false));
            dialog->close();
        }));
    }

    void everyStartBeginsWithTheDefaults() {
        DemoInstallation installation(false);
        QStringList settingsBefore;
        {
            auto window = open(installation);
            settingsBefore = installation.settingsLines();
            QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
                step(dialog, "OptimumLines", "up", 4);
                step(dialog, "MaximumLines", "down", 2);
                child<QCheckBox>(dialog, "x2")->click();
                QVERIFY(shows(dialog, 48, 56, true));
                ok(dialog);
            }));
            QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
                QVERIFY(shows(dialog, 48, 56, true));
                ok(dialog);
            }));
            QVERIFY(window->close());
        }
        QCOMPARE(installation.settingsLines(), settingsBefore);
        auto window = open(installation);
        QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
            QVERIFY(shows(dialog, 32, 64, false));
            ok(dialog);
        }));
    }

    void keysNoControlTakesAreReported() {
        DemoInstallation installation(false);
        auto window = open(installation);
        QVERIFY(withDialog(window.get(), [this](TSimoOpts* dialog) {
            QTest::keyClick(dialog, Qt::Key_A);
            QCOMPARE(messages, QStringList({"KEYDOWN", "KEYPRESS", "KEYUP"}));
            messages.clear();
            QTest::keyClick(dialog, Qt::Key_Shift);
            QCOMPARE(messages, QStringList({"KEYDOWN", "KEYUP"}));
            messages.clear();
            // A release whose press went elsewhere (to a message box) is not the dialog's key.
            QTest::keyRelease(dialog, Qt::Key_Return);
            QVERIFY2(messages.isEmpty(), qPrintable(messages.join(' ')));
        }));
    }

    void theKeyThatDismissesAMessageRaisesNoOther_data() {
        QTest::addColumn<int>("dismissKey");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void theKeyThatDismissesAMessageRaisesNoOther() {
        QFETCH(int, dismissKey);
        DemoInstallation installation(false);
        TSimoOpts* dialog = nullptr;
        QStringList boxes;
        // Each message is a box the user dismisses with dismissKey: its press closes the box,
        // and its release reaches the dialog under it.
        MainFormSetup setup = installation.windowSetup(messages, {{"q"}, 0});
        setup.showMessage = [&](const QString& text) {
            boxes << text;
            if (dialog != nullptr && boxes.size() < 20)
                QTest::keyRelease(dialog, Qt::Key(dismissKey));
        };
        TMainForm window(std::move(setup));
        window.show();
        QVERIFY(withDialog(&window, [&](TSimoOpts* shown) {
            dialog = shown;
            QTest::keyClick(dialog, Qt::Key_A);
            dialog = nullptr;
        }));
        QCOMPARE(boxes, QStringList({"KEYDOWN", "KEYPRESS", "KEYUP"}));
    }

    void escapeLeavesTheDialogFromAnyControl_data() {
        QTest::addColumn<QString>("focused");
        QTest::newRow("the dialog itself") << QString();
        QTest::newRow("the 2-up box") << QString("x2");
        QTest::newRow("the minutes") << QString("closeMinutes");
        QTest::newRow("an arrow") << QString("up");
    }

    void escapeLeavesTheDialogFromAnyControl() {
        QFETCH(QString, focused);
        DemoInstallation installation(false);
        auto window = open(installation);
        bool stillShown = true;
        QVERIFY(withDialog(window.get(), [&](TSimoOpts* dialog) {
            step(dialog, "OptimumLines", "up", 2);
            QWidget* target = dialog;
            if (!focused.isEmpty())
                target = child<QWidget>(dialog, qPrintable(focused));
            QTest::keyClick(target, Qt::Key_Escape);
            stillShown = dialog->isVisible();
        }));
        QVERIFY(!stillShown);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(' ')));
        // Escape drops the changes, as the close box does.
        QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
            QVERIFY(shows(dialog, 32, 64, false));
            ok(dialog);
        }));
    }

    void printsTheTickedTracksAndShowsTheReportAgain() {
        DemoInstallation installation(true);
        auto window = open(installation);
        auto* memo = child<QPlainTextEdit>(window.get(), "MainMemo");
        const QString report = memo->toPlainText();
        const QString raceDate = child<QLabel>(window.get(), "RaceDate")->text();
        tickTracks(window.get(), {"Kee", "Aqu"});
        std::size_t before = queue->jobCount();
        child<QPushButton>(window.get(), "PrintSimo")->click();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QCOMPARE(memo->toPlainText(), report);

        // Sixteen lines: one page, headed by the race date, the lines in schedule order.
        std::string extracted = readFile(installation.folders().file(files::Schedule));
        QStringList lines = QString::fromLatin1(extracted.data(), qsizetype(extracted.size()))
                                .split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 16);
        auto pdf = nextPdf(installation, before);
        QVERIFY(pdf);
        QStringList pages = pdfPages(*pdf);
        QCOMPARE(pages.size(), 1);
        QString expected = raceDate.simplified();
        for (const QString& line : lines)
            expected += " " + line.simplified();
        QCOMPARE(pages[0], expected);
    }

    void twoUpBoxLeftTickedByTheCloseBoxPrintsOneSheet() {
        DemoInstallation installation(true);
        auto window = open(installation);
        const QString raceDate = child<QLabel>(window.get(), "RaceDate")->text().simplified();
        // Pages of 32 lines: the whole schedule of 56 lines takes two of them.
        QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
            step(dialog, "MaximumLines", "down", 8);
            ok(dialog);
        }));
        tickTracks(window.get(), {});
        std::size_t before = queue->jobCount();
        child<QPushButton>(window.get(), "PrintSimo")->click();
        auto pdf = nextPdf(installation, before);
        QVERIFY(pdf);
        QStringList pages = pdfPages(*pdf);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[0].startsWith(raceDate));
        QVERIFY(pages[1].startsWith(raceDate));

        QVERIFY(withDialog(window.get(), [](TSimoOpts* dialog) {
            child<QCheckBox>(dialog, "x2")->click();
            dialog->close();
        }));
        child<QPushButton>(window.get(), "PrintSimo")->click();
        pdf = nextPdf(installation, before + 1);
        QVERIFY(pdf);
        pages = pdfPages(*pdf);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].count(raceDate), 2);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void closePostChoiceIsKeptForTheSessionAndMarksThePrint() {
        DemoInstallation installation(true);
        auto window = open(installation);
        auto closeChoice = [](TSimoOpts* dialog) {
            auto* minutes = child<QSpinBox>(dialog, "closeMinutes");
            return std::make_tuple(child<QCheckBox>(dialog, "markClose")->isChecked(),
                                   minutes->value(), minutes->isEnabled());
        };
        // Off and 3 at first, the minutes only to be set once the box is ticked; the close box
        // drops what was chosen.
        QVERIFY(withDialog(window.get(), [&](TSimoOpts* dialog) {
            QCOMPARE(closeChoice(dialog), std::make_tuple(false, 3, false));
            child<QCheckBox>(dialog, "markClose")->click();
            child<QSpinBox>(dialog, "closeMinutes")->setValue(9);
            QCOMPARE(closeChoice(dialog), std::make_tuple(true, 9, true));
            dialog->close();
        }));
        QVERIFY(withDialog(window.get(), [&](TSimoOpts* dialog) {
            QCOMPARE(closeChoice(dialog), std::make_tuple(false, 3, false));
            child<QCheckBox>(dialog, "markClose")->click();
            child<QSpinBox>(dialog, "closeMinutes")->setValue(2);
            ok(dialog);
        }));
        QVERIFY(withDialog(window.get(), [&](TSimoOpts* dialog) {
            QCOMPARE(closeChoice(dialog), std::make_tuple(true, 2, true));
            ok(dialog);
        }));
        QVERIFY(window->session().day().simoLayout.markClosePosts);
        QCOMPARE(window->session().day().simoLayout.closeMinutes, 2);

        // Aqu and GPx go off 5, 4, 3, 2, 1 and 0 minutes apart from their first races on.
        tickTracks(window.get(), {"Aqu", "GPx"});
        std::size_t before = queue->jobCount();
        child<QPushButton>(window.get(), "PrintSimo")->click();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        auto pdf = nextPdf(installation, before);
        QVERIFY(pdf);
        QStringList pages = pdfPages(*pdf);
        QCOMPARE(pages.size(), 1);
        for (const char* marked : {"2:50 - 4 Aqu - 10.0f <2 GPx 2:52 - 4 GPx - 10.0f T <2 Aqu",
                                   "3:20 - 5 Aqu - 12.0f <1 GPx 3:21 - 5 GPx - 5.0f <1 Aqu",
                                   "3:50 - 6 Aqu - 5.5f <0 GPx 3:50 - 6 GPx - 6.5f <0 Aqu",
                                   "2:20 - 3 Aqu - 12.0f T 2:23 - 3 GPx - 12.0f T 2:50"})
            QVERIFY2(pages[0].contains(marked), qPrintable(pages[0]));
    }

    void nothingTickedPrintsNothing() {
        DemoInstallation installation(true);
        auto window = open(installation);
        auto* memo = child<QPlainTextEdit>(window.get(), "MainMemo");
        tickTracks(window.get(), {"Sar"});
        std::size_t before = queue->jobCount();
        child<QPushButton>(window.get(), "PrintSimo")->click();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QCOMPARE(memo->toPlainText(), QString());
        QVERIFY(readFile(installation.folders().file(files::Schedule)).empty());
        QVERIFY(!queue->nextJob(before, 1s));
    }

    void theScheduleSaysWhatTheServerSaysOfThePrinter() {
        // Refused: said, nothing printed, the report back on screen. Paused or good: the
        // status line says where it went, and that it waits.
        queue->addRawQueue("Refusing");
        queue->administer("cupsreject", {"-r", "closed", "Refusing"});
        queue->addRawQueue("Paused");
        queue->administer("cupsdisable", {"-r", "out of toner", "Paused"});
        struct Case {
            const char* printer;
            const char* warning;
            const char* status;
        };
        const Case cases[] = {
            {"Refusing",
             "Printer Refusing could not print the schedule: it does not accept jobs (closed)", ""},
            {"Paused", "", "was sent to Paused. The job waits: Paused is paused (out of toner)"},
            {"q", "", "was sent to q"},
        };
        for (const Case& c : cases) {
            messages.clear();
            DemoInstallation installation(true);
            auto window = open(installation, {{c.printer}, 0});
            auto* memo = child<QPlainTextEdit>(window.get(), "MainMemo");
            const QString report = memo->toPlainText();
            tickTracks(window.get(), {"Kee"});
            child<QPushButton>(window.get(), "PrintSimo")->click();
            QCOMPARE(messages.join('\n'), QString(c.warning));
            // The status line says how much was printed: the lines extracted.
            const std::string extracted = readFile(installation.folders().file(files::Schedule));
            const QString printed =
                QString("The schedule of %1 lines ")
                    .arg(QString::fromLatin1(extracted.data(), qsizetype(extracted.size()))
                             .split("\r\n", Qt::SkipEmptyParts)
                             .size());
            if (*c.status)
                QVERIFY2(window->statusBar()->currentMessage().startsWith(printed + c.status),
                         qPrintable(window->statusBar()->currentMessage()));
            QCOMPARE(memo->toPlainText(), report);
        }
    }

    void noPrinterIsReportedAndTheReportShowsAgain() {
        DemoInstallation installation(true);
        auto window = open(installation, {});
        auto* memo = child<QPlainTextEdit>(window.get(), "MainMemo");
        const QString report = memo->toPlainText();
        tickTracks(window.get(), {"Kee"});
        child<QPushButton>(window.get(), "PrintSimo")->click();
        QCOMPARE(messages,
                 QStringList({"The schedule cannot be printed: no printer is installed"}));
        QCOMPARE(memo->toPlainText(), report);

        messages.clear();
        QVERIFY(window->close());
        window.reset();
        window = open(installation, {{"gone"}, 0});
        tickTracks(window.get(), {"Kee"});
        child<QPushButton>(window.get(), "PrintSimo")->click();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith("Printer gone could not print the schedule: "),
                 qPrintable(messages[0]));
        QCOMPARE(child<QPlainTextEdit>(window.get(), "MainMemo")->toPlainText(), report);
    }

private:
    std::unique_ptr<analysis::testing::PrivateHome> home;
    std::unique_ptr<analysis::testing::PrivateQueue> queue;
};

QTEST_MAIN(TestScheduleWindow)
#include "tst_schedule_window.moc"
