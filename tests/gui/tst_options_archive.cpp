// The options dialog and the archive commands on the real main window, offscreen.
#include "gui/archive_picker.h"
#include "gui/main_form.h"
#include "gui/options_form.h"
#include "window_fixture.h"

#include "core/common/file_io.h"
#include "core/document/file_size_limit.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <chrono>
#include <functional>
#include <memory>
#include <new>

using namespace analysis;
using analysis::testing::DemoInstallation;
using analysis::testing::FileSizeLimit;
namespace fs = std::filesystem;

namespace {

/// Performance lines of the horse with the most, over every E report box of text.
int mostPerformancesPerHorse(const std::string& text) {
    const std::string boxTop = "\xDA" + std::string(8, '\xC4') + "\xC2";
    const std::string boxBottom = "\xC0" + std::string(8, '\xC4') + "\xC1";
    int most = 0;
    int count = 0;
    for (std::size_t from = 0, end; from < text.size(); from = end + 2) {
        end = text.find("\r\n", from);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + from, end - from);
        if (line.find(boxTop) != std::string_view::npos ||
            line.find(boxBottom) != std::string_view::npos)
            count = 0;
        else if (line.size() >= 64 && line[41] == '\xB3' && line[63] == '\xB3')
            most = std::max(most, ++count);
    }
    return most;
}

struct ListState {
    QStringList items;
    QList<bool> ticks;
    int selected = -1;
};

ListState stateOf(QListWidget* list) {
    ListState state;
    for (int row = 0; row < list->count(); ++row) {
        state.items << list->item(row)->text();
        state.ticks << (list->item(row)->checkState() == Qt::Checked);
    }
    state.selected = list->currentRow();
    return state;
}

/// What the options dialog showed when it opened.
struct OptionsShown {
    QList<bool> reportKinds;
    QStringList trackRows;
    QList<bool> trackTicks;
    QString lines;
    bool fixedPitch = false;
};

} // namespace

class TestOptionsArchive : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> open(const DemoInstallation& installation) {
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askText = [this](const QString& caption, const QString& prompt,
                               const QString& defaultText) {
            asked << caption + "|" + prompt + "|" + defaultText;
            if (!answers.isEmpty() && answers.front() == OutOfMemory)
                throw std::bad_alloc();
            return answers.isEmpty() ? defaultText : answers.takeFirst();
        };
        auto window = std::make_unique<TMainForm>(std::move(setup));
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            return nullptr;
        return window;
    }

    static QListWidget* reportList(QWidget* window) {
        return window->findChild<QListWidget*>("ReportListBox");
    }

    static QString memoText(QWidget* window) {
        return window->findChild<QPlainTextEdit*>("MainMemo")->toPlainText();
    }

    static void trigger(QWidget* window, const char* action) {
        window->findChild<QAction*>(action)->trigger();
    }

    /// Opens "&Options", lets act work the dialog, then closes it with OK or the close box, and
    /// returns what the dialog showed on opening.
    static OptionsShown options(QWidget* window, bool ok,
                                const std::function<void(TOptionsForm*)>& act = {}) {
        OptionsShown shown;
        QTimer::singleShot(0, window, [&] {
            auto* dialog = window->findChild<TOptionsForm*>("TOptionsForm");
            auto* kinds = dialog->findChild<QListWidget*>("ReportOptions");
            auto* tracks = dialog->findChild<QListWidget*>("TrackOptions");
            for (int row = 0; row < kinds->count(); ++row)
                shown.reportKinds << (kinds->item(row)->checkState() == Qt::Checked);
            for (int row = 0; row < tracks->count(); ++row) {
                shown.trackRows << tracks->item(row)->text();
                shown.trackTicks << (tracks->item(row)->checkState() == Qt::Checked);
            }
            shown.fixedPitch = QFontInfo(tracks->font()).fixedPitch();
            shown.lines = dialog->findChild<QLabel*>("emaxpanel")->text();
            if (act)
                act(dialog);
            if (ok)
                dialog->findChild<QPushButton*>("OptionsOk")->click();
            else
                dialog->reject();
        });
        trigger(window, "OptionsMenu");
        return shown;
    }

    static void stepLines(TOptionsForm* dialog, const char* arrow, int clicks) {
        auto* button = dialog->findChild<QWidget*>("emaxupdown")->findChild<QToolButton*>(arrow);
        for (int i = 0; i < clicks; ++i)
            button->click();
    }

    static void tickRow(TOptionsForm* dialog, const char* list, int row, bool ticked) {
        dialog->findChild<QListWidget*>(list)->item(row)->setCheckState(ticked ? Qt::Checked
                                                                               : Qt::Unchecked);
    }

    /// How the archive name rule begins, as a refused name is told it.
    inline static const QString ArchiveNameRuleStart = "An archive name has at most 12";

    /// An answer that makes asking for a name run out of memory.
    inline static const QString OutOfMemory = "\x01out of memory";

    QStringList messages;
    QStringList answers;
    QStringList asked;
    std::unique_ptr<analysis::testing::PrivateHome> home;

private slots:
    void init() {
        messages.clear();
        answers.clear();
        asked.clear();
        home = std::make_unique<analysis::testing::PrivateHome>();
    }

    void okWithoutChangeKeepsTicksSelectionAndCut() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        QListWidget* list = reportList(window.get());
        const int a = 15; // the top of the second column
        QVERIFY(!list->item(a)->text().isEmpty());
        list->item(0)->setCheckState(Qt::Unchecked);
        list->setCurrentRow(a);
        // A re-cut would rewrite the E report files from their twins and lose this mark.
        QVERIFY(testing::reportFilesWritten(*window));
        const fs::path eFile = installation.folders().file(list->item(0)->text().toStdString());
        std::string marked = readFile(eFile) + "marked\r\n";
        writeFileAtomically(eFile, marked);
        const ListState before = stateOf(list);

        const OptionsShown shown = options(window.get(), true);
        QCOMPARE(shown.reportKinds, QList<bool>({true, true, true, false}));
        QCOMPARE(shown.trackRows.size(), 25);
        QCOMPARE(shown.trackRows.first(), QString("(A) Tam").leftJustified(24));
        QCOMPARE(shown.trackRows.last(), QString("(Y) Bel Aqu Sar").leftJustified(24));
        QVERIFY(!shown.trackTicks.contains(false));
        QVERIFY(shown.fixedPitch);
        QCOMPARE(shown.lines, QString("7"));

        const ListState after = stateOf(list);
        QCOMPARE(after.items, before.items);
        QCOMPARE(after.ticks, before.ticks);
        QCOMPARE(after.selected, a);
        QCOMPARE(readFile(eFile), marked);
        QVERIFY(memoText(window.get()).contains(list->item(a)->text()));
        QCOMPARE(window->focusWidget(), list);
        QVERIFY(messages.isEmpty());
    }

    void fewerLinesRecutAndStaySteppedAfterTheCloseBox() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        QListWidget* list = reportList(window.get());
        const fs::path eFile = installation.folders().file(list->item(0)->text().toStdString());
        QCOMPARE(mostPerformancesPerHorse(readFile(eFile)), 7);

        // Stepped to 5 and closed: the limit is 5 now, yet nothing is rebuilt or cut.
        const OptionsShown first = options(
            window.get(), false, [](TOptionsForm* dialog) { stepLines(dialog, "down", 2); });
        QCOMPARE(first.lines, QString("7"));
        QCOMPARE(mostPerformancesPerHorse(readFile(eFile)), 7);
        // Opened again it shows 5, and OK without a change still cuts nothing.
        const OptionsShown second = options(window.get(), true);
        QCOMPARE(second.lines, QString("5"));
        QCOMPARE(mostPerformancesPerHorse(readFile(eFile)), 7);

        options(window.get(), true, [](TOptionsForm* dialog) {
            stepLines(dialog, "down", 10); // stops at 1
            stepLines(dialog, "up", 2);
        });
        QCOMPARE(mostPerformancesPerHorse(readFile(eFile)), 3);
        QVERIFY(window->close());
        QCOMPARE(installation.settingsLines().value(3), QString("23"));
    }

    void newlyOfferedReportsAreTickedButXAndGroupsChooseTracks() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        QListWidget* list = reportList(window.get());

        // Without X reports, then with them again: they come back as new, so unticked even
        // after the user ticked them all.
        window->findChild<QPushButton*>("checkALL")->click();
        const QString firstReport = list->currentItem()->text();
        options(window.get(), true, [](TOptionsForm* d) { tickRow(d, "ReportOptions", 1, false); });
        for (const QString& item : stateOf(list).items)
            QVERIFY(!item.startsWith("X"));
        options(window.get(), true, [](TOptionsForm* d) {
            tickRow(d, "ReportOptions", 1, true);
            tickRow(d, "ReportOptions", 3, true);
        });
        QCOMPARE(list->currentItem()->text(), firstReport); // the selection is kept by its text
        ListState state = stateOf(list);
        int bReports = 0;
        for (int row = 0; row < state.items.size(); ++row) {
            const QString& item = state.items[row];
            bReports += item.startsWith("B");
            if (item.startsWith("X") || item.startsWith("B"))
                QCOMPARE(state.ticks[row], item.startsWith("B"));
            else if (!item.isEmpty())
                QVERIFY2(state.ticks[row], qPrintable(item)); // kept from "Chec&k ALL"
        }
        QVERIFY(bReports > 0);
        QVERIFY(list->item(0)->text().startsWith("B"));

        // Only the rows A, B and K: the tracks of those groups alone, "@" gone.
        options(window.get(), true, [](TOptionsForm* d) {
            d->findChild<QPushButton*>("ClearAllTracks")->click();
            for (int row : {0, 1, 10})
                tickRow(d, "TrackOptions", row, true);
        });
        for (const QString& item : stateOf(list).items)
            QVERIFY2(item.isEmpty() || item.mid(3, 3) == "Kee" || item.mid(3, 3) == "Tam",
                     qPrintable(item));
        // The selected report (of Aqu) is gone: the first report is selected and shown.
        QVERIFY(list->currentRow() >= 0);
        QVERIFY(memoText(window.get()).contains(list->currentItem()->text()));
        QVERIFY(window->close());
        QCOMPARE(installation.settingsLines().value(1), QString("AXEB"));
        QCOMPARE(installation.settingsLines().value(2), QString("ABK"));
    }

    void noGroupsGiveAnEmptyListAndTheViewerKeepsItsFile() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        const QString shown = memoText(window.get());
        options(window.get(), true,
                [](TOptionsForm* d) { d->findChild<QPushButton*>("ClearAllTracks")->click(); });
        QCOMPARE(reportList(window.get())->count(), 0);
        QCOMPARE(memoText(window.get()), shown);
        options(window.get(), true,
                [](TOptionsForm* d) { d->findChild<QPushButton*>("CheckAllTracks")->click(); });
        QVERIFY(reportList(window.get())->count() > 0);
    }

    void saveAsksAgainOnABadNameAndArchivesTheTickedCutReports() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        const fs::path archiveFolder = installation.folders().InstallFolder / "Archive";

        // Nothing ticked: an empty archive.
        window->findChild<QPushButton*>("clearALL")->click();
        answers = {"A.B.C", "EMPTY"};
        trigger(window.get(), "FileMenuSave");
        QCOMPARE(asked, QStringList({"Save File|Save Analysis.TXT as: |",
                                     "Save File|Save Analysis.TXT as: |"}));
        // The refused name is said, with why and the rule, before the name is asked again.
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("\"A.B.C\" holds more than one dot") &&
                     messages[0].contains("at most 12 characters"),
                 qPrintable(messages[0]));
        messages.clear();
        QVERIFY(fileExists(archiveFolder / "EMPTY"));
        QCOMPARE(readFile(archiveFolder / "EMPTY"), std::string());

        // An empty answer (or Cancel) saves nothing.
        trigger(window.get(), "FileMenuSave");
        QCOMPARE(std::distance(fs::directory_iterator(archiveFolder), fs::directory_iterator()), 1);

        // After a cut to 4 lines the archive holds the reports as cut, in list order.
        options(window.get(), true, [](TOptionsForm* dialog) { stepLines(dialog, "down", 3); });
        QListWidget* list = reportList(window.get());
        std::string expected;
        for (int row = 0, ticked = 0; row < list->count() && ticked < 3; ++row) {
            if (list->item(row)->text().isEmpty())
                continue;
            list->item(row)->setCheckState(Qt::Checked);
            expected +=
                readFile(installation.folders().file(list->item(row)->text().toStdString()));
            ++ticked;
        }
        answers = {"CUT.TXT"};
        trigger(window.get(), "FileMenuSave");
        const std::string archived = readFile(archiveFolder / "CUT.TXT");
        QCOMPARE(archived, expected);
        QCOMPARE(mostPerformancesPerHorse(archived), 4);
        QVERIFY(messages.isEmpty());

        // The folder is the user's to make: its absence is named, and it is not created.
        fs::remove_all(archiveFolder);
        answers = {"AGAIN"};
        trigger(window.get(), "FileMenuSave");
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QString::fromStdString(archiveFolder.string())),
                 qPrintable(messages[0]));
        QVERIFY(!fs::exists(archiveFolder));
    }

    void loadOfAPartialArchiveListsItsReports() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        QVERIFY(testing::reportFilesWritten(*window));
        QListWidget* list = reportList(window.get());
        // One track's A, X and E reports as another day's archive.
        QString track;
        for (const QString& item : stateOf(list).items)
            if (track.isEmpty() && item.startsWith("A"))
                track = item.mid(3, 3);
        std::string archive;
        QStringList archived;
        for (const QString& item : stateOf(list).items)
            if (item.mid(3, 3) == track &&
                (item.startsWith("E") || item.startsWith("A") || item.startsWith("X"))) {
                archived << item;
                archive += readFile(installation.folders().file(item.toStdString()));
            }
        QVERIFY(archived.size() >= 3);
        writeFileAtomically(installation.folders().InstallFolder / "Archive" / "PART", archive);

        answers = {"NONE"};
        trigger(window.get(), "FileMenuLoad"); // no such archive: said, and nothing changes
        QVERIFY(list->count() > archived.size());
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("no archive named \"NONE\""), qPrintable(messages[0]));
        messages.clear();

        answers = {"PART"};
        trigger(window.get(), "FileMenuLoad");
        QCOMPARE(asked.last(), QString("Load File|Load Analysis.TXT from: |"));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        ListState state = stateOf(list);
        QStringList listed;
        for (int row = 0; row < state.items.size(); ++row) {
            if (state.items[row].isEmpty())
                continue;
            listed << state.items[row];
            QCOMPARE(state.ticks[row], !state.items[row].startsWith("X"));
        }
        std::sort(listed.begin(), listed.end());
        std::sort(archived.begin(), archived.end());
        QCOMPARE(listed, archived);
        QVERIFY(memoText(window.get()).contains(list->item(0)->text()));
        QCOMPARE(readFile(installation.folders().file(files::AnalysisText)), archive);

        // Closing joins the loaded day back, not the one before.
        QVERIFY(window->close());
        QCOMPARE(readFile(installation.folders().file(files::AnalysisText)), archive);
    }

    void refusedNamesSayWhy_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("why");
        QTest::newRow("too long") << "THIRTEENCHARS"
                                  << "longer than 12 characters";
        QTest::newRow("a blank") << "MON DAY"
                                 << "blank";
        QTest::newRow("a slash") << "MON/DAY"
                                 << "one of";
        QTest::newRow("dot first") << ".MONDAY"
                                   << "begins with a dot";
        QTest::newRow("long extension") << "MON.TEXT"
                                        << "more than 3 characters after";
    }

    void refusedNamesSayWhy() {
        QFETCH(QString, name);
        QFETCH(QString, why);
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        for (const char* action : {"FileMenuSave", "FileMenuLoad"}) {
            messages.clear();
            answers = {name};
            trigger(window.get(), action);
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].contains(why) && messages[0].contains(ArchiveNameRuleStart),
                     qPrintable(messages[0]));
        }
        QCOMPARE(
            std::distance(fs::directory_iterator(installation.folders().InstallFolder / "Archive"),
                          fs::directory_iterator()),
            0);
    }

    void savingOverAnArchiveAsksFirst() {
        DemoInstallation installation(true);
        QStringList questions;
        QList<bool> replies;
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askText = [this](const QString&, const QString&, const QString& defaultText) {
            return answers.isEmpty() ? defaultText : answers.takeFirst();
        };
        setup.askConfirm = [&](const QString& question) {
            questions << question;
            return replies.takeFirst();
        };
        TMainForm window(std::move(setup));
        window.show();
        const fs::path archive = installation.folders().InstallFolder / "Archive" / "MON.TXT";
        writeFileAtomically(archive, "kept");

        replies = {false};
        answers = {"MON.TXT"};
        trigger(&window, "FileMenuSave");
        QCOMPARE(questions.size(), 1);
        QVERIFY2(questions[0].contains("\"MON.TXT\" is already saved") &&
                     questions[0].contains("4 bytes"),
                 qPrintable(questions[0]));
        QCOMPARE(readFile(archive), std::string("kept"));

        replies = {true};
        answers = {"MON.TXT"};
        trigger(&window, "FileMenuSave");
        QCOMPARE(questions.size(), 2);
        QVERIFY(readFile(archive).size() > 1000);

        // A new name asks nothing.
        answers = {"TUE.TXT"};
        trigger(&window, "FileMenuSave");
        QCOMPARE(questions.size(), 2);
        QVERIFY(fileExists(installation.folders().InstallFolder / "Archive" / "TUE.TXT"));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void loadOffersTheSavedArchivesNewestFirst() {
        DemoInstallation installation(true);
        const fs::path folder = installation.folders().InstallFolder / "Archive";
        std::vector<ArchiveEntry> offered;
        QString offeredFolder;
        MainFormSetup setup = installation.windowSetup(messages);
        setup.chooseArchive = [&](const std::vector<ArchiveEntry>& archives, const QString& where) {
            offered = archives;
            offeredFolder = where;
            return QString();
        };
        TMainForm window(std::move(setup));
        window.show();
        writeFileAtomically(folder / "OLD", "old");
        fs::last_write_time(folder / "OLD",
                            fs::file_time_type::clock::now() - std::chrono::hours(24));
        writeFileAtomically(folder / "NEW.TXT", "newer");
        writeFileAtomically(folder / "NEW.TXT.tmp12", "half written");

        const QStringList before = stateOf(reportList(&window)).items;
        trigger(&window, "FileMenuLoad");
        QCOMPARE(offeredFolder, QString::fromStdString(folder.string()));
        QCOMPARE(offered.size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(offered[0].name), QString("NEW.TXT"));
        QCOMPARE(offered[0].bytes, std::uintmax_t(5));
        QCOMPARE(QString::fromStdString(offered[1].name), QString("OLD"));
        // Cancelled: the day is as it was, and nothing is said.
        QCOMPARE(stateOf(reportList(&window)).items, before);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void thePickerListsArchivesAndTakesATypedName() {
        const auto now = fs::file_time_type::clock::now();
        const std::vector<ArchiveEntry> archives = {{"NEW.TXT", 2048, now},
                                                    {"OLD", 12, now - std::chrono::hours(24)}};
        {
            ArchivePicker picker(archives, "/home/u/Archive");
            auto* list = picker.findChild<QTreeWidget*>("ArchiveList");
            QCOMPARE(list->topLevelItemCount(), 2);
            QCOMPARE(list->topLevelItem(1)->text(0), QString("OLD"));
            QVERIFY(!list->topLevelItem(1)->text(1).isEmpty()); // the date it was saved
            QCOMPARE(list->topLevelItem(0)->text(2), QLocale().formattedDataSize(2048));
            QVERIFY(picker.findChild<QLabel*>("ArchiveLoadNote")->text().contains("replaces"));
            // The newest is offered first; a click on another takes that one.
            auto* name = picker.findChild<QLineEdit*>("ArchiveName");
            QCOMPARE(name->text(), QString("NEW.TXT"));
            list->setCurrentItem(list->topLevelItem(1));
            picker.accept();
            QCOMPARE(picker.chosenName(), QString("OLD"));
        }
        {
            ArchivePicker picker(archives, "/home/u/Archive");
            picker.findChild<QLineEdit*>("ArchiveName")->setText("FRIDAY");
            picker.accept();
            QCOMPARE(picker.chosenName(), QString("FRIDAY"));
        }
        {
            ArchivePicker picker(archives, "/home/u/Archive");
            picker.reject();
            QCOMPARE(picker.chosenName(), QString());
        }
    }

    void anArchiveAllHiddenByTheOptionsSaysHowToShowIt() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        QVERIFY(testing::reportFilesWritten(*window));
        // Only B reports, which the options leave out unless asked.
        std::string archive;
        const std::optional<std::vector<std::string>>& index = window->session().reportIndex();
        QVERIFY(index);
        for (const std::string& code : *index)
            if (code.starts_with('B'))
                archive += readFile(installation.folders().file(code));
        QVERIFY(!archive.empty());
        writeFileAtomically(installation.folders().InstallFolder / "Archive" / "BONLY", archive);

        answers = {"BONLY"};
        trigger(window.get(), "FileMenuLoad");
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("holds B reports") &&
                     messages[0].contains("Tick B under Options"),
                 qPrintable(messages[0]));
        QVERIFY(stateOf(reportList(window.get())).items.join("").isEmpty());

        // Ticked as said, they are listed.
        options(window.get(), true,
                [](TOptionsForm* dialog) { tickRow(dialog, "ReportOptions", 3, true); });
        QVERIFY(stateOf(reportList(window.get())).items.join("").startsWith("B"));
    }

    void outOfMemoryIsSaidAndTheDayKept() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        QListWidget* list = reportList(window.get());
        const ListState before = stateOf(list);
        for (const char* action : {"FileMenuSave", "FileMenuLoad"}) {
            messages.clear();
            answers = {OutOfMemory};
            trigger(window.get(), action);
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].contains("Not enough memory"), qPrintable(messages[0]));
            QCOMPARE(stateOf(list).items, before.items);
            QCOMPARE(stateOf(list).ticks, before.ticks);
        }
        QVERIFY(testing::reportFilesWritten(*window));
        for (const QString& item : before.items)
            if (!item.isEmpty())
                QVERIFY2(fileExists(installation.folders().file(item.toStdString())),
                         qPrintable(item));
        QVERIFY(window->close());
    }

    void failedLoadKeepsTheDayAndSaysSo() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        QListWidget* list = reportList(window.get());
        list->item(0)->setCheckState(Qt::Unchecked);
        const ListState before = stateOf(list);
        const std::size_t dayText =
            readFile(installation.folders().file(files::AnalysisText)).size();
        writeFileAtomically(installation.folders().InstallFolder / "Archive" / "BIG",
                            "\f@A01Aqu\r\n" + std::string(4 * dayText, 'b') + "\r\n");
        answers = {"BIG"};
        {
            FileSizeLimit limit(2 * dayText);
            trigger(window.get(), "FileMenuLoad");
        }
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("BIG") && messages[0].contains("kept"),
                 qPrintable(messages[0]));
        const ListState after = stateOf(list);
        QCOMPARE(after.items, before.items);
        QCOMPARE(after.ticks, before.ticks);
        for (const QString& item : after.items)
            if (!item.isEmpty())
                QVERIFY2(fileExists(installation.folders().file(item.toStdString())),
                         qPrintable(item));
        QVERIFY(window->close());
        const std::string text = readFile(installation.folders().file(files::AnalysisText));
        QVERIFY(text.find(std::string(100, 'b')) == std::string::npos);
        for (const QString& item : after.items)
            QVERIFY2(text.find("@" + item.toStdString()) != std::string::npos, qPrintable(item));
    }
};

QTEST_MAIN(TestOptionsArchive)
#include "tst_options_archive.moc"
