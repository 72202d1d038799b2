// Each thing the user does in the main window, done through its controls, leaves the controls
// showing exactly the day the session holds.
#include "gui/main_form.h"
#include "window_fixture.h"

#include "gui/cp437_text.h"
#include "gui/options_form.h"
#include "gui/printer_x_form.h"
#include "gui/up_down.h"

#include "core/print/print_modes.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

using namespace analysis;
using analysis::testing::child;
using analysis::testing::DemoInstallation;

namespace {

using Intent = std::function<void(TMainForm*)>;

/// Where the controls differ from the session's day; empty when they show it exactly.
QString differences(TMainForm* window) {
    const Day& day = window->session().day();
    QStringList faults;
    if (child<QLabel>(window, "RaceDate")->text() != QString::fromStdString(day.raceDateCaption()))
        faults << "race date";
    auto* list = child<QListWidget>(window, "ReportListBox");
    if (list->count() != static_cast<int>(day.list.items.size())) {
        faults << "list length";
    } else {
        for (int row = 0; row < list->count(); ++row) {
            const std::size_t i = static_cast<std::size_t>(row);
            QListWidgetItem* item = list->item(row);
            if (item->text() != textFromCp437(day.list.items[i]))
                faults << QString("item %1").arg(row);
            if (!day.list.items[i].empty() &&
                (item->checkState() == Qt::Checked) != day.list.ticked[i])
                faults << QString("tick %1").arg(row);
        }
    }
    if (list->currentRow() != day.list.selected)
        faults << "selection";
    if (day.viewer &&
        child<QPlainTextEdit>(window, "MainMemo")->toPlainText() != textFromCp437(*day.viewer))
        faults << "viewer";
    const int mode = day.print.current.fontMode;
    std::string_view label = PrintModeTable[static_cast<std::size_t>(mode)];
    if (child<QLabel>(window, "SpinFont")->text() !=
        QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())))
        faults << "mode label";
    if (child<UpDown>(window, "FontSelect")->position() != 7 - mode)
        faults << "mode arrows";
    auto* paper = child<TPrinterXForm>(window, "PrinterXForm");
    if (!(paper->paper() == day.print.paper))
        faults << "paper";
    if (paper->selectedPrinter() != day.print.printers.current)
        faults << "printer";
    return faults.join(", ");
}

int firstReportOfKind(TMainForm* window, char kind) {
    const Day& day = window->session().day();
    for (std::size_t row = 0; row < day.list.items.size(); ++row)
        if (!day.list.items[row].empty() && day.list.items[row][0] == kind)
            return static_cast<int>(row);
    return -1;
}

void clickRow(TMainForm* window, int row) {
    auto* list = child<QListWidget>(window, "ReportListBox");
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

void clickArrow(TMainForm* window, const char* arrow) {
    child<QToolButton>(child<UpDown>(window, "FontSelect"), arrow)->click();
}

} // namespace

Q_DECLARE_METATYPE(Intent)

class TestRendersTheDay : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { home = std::make_unique<analysis::testing::PrivateHome>(); }

    void eachIntentShowsTheSessionsDay_data() {
        QTest::addColumn<Intent>("intent");
        QTest::newRow("click a report")
            << Intent([](TMainForm* w) { clickRow(w, firstReportOfKind(w, 'A')); });
        QTest::newRow("tick box") << Intent([](TMainForm* w) {
            auto* list = child<QListWidget>(w, "ReportListBox");
            list->item(firstReportOfKind(w, 'X'))->setCheckState(Qt::Checked);
        });
        QTest::newRow("Check ALL")
            << Intent([](TMainForm* w) { child<QPushButton>(w, "checkALL")->click(); });
        QTest::newRow("Clear ALL")
            << Intent([](TMainForm* w) { child<QPushButton>(w, "clearALL")->click(); });
        QTest::newRow("Backspace twice") << Intent([](TMainForm* w) {
            auto* list = child<QListWidget>(w, "ReportListBox");
            QTest::keyClick(list, Qt::Key_Backspace);
            clickRow(w, firstReportOfKind(w, 'A'));
            QTest::keyClick(list, Qt::Key_Backspace);
        });
        QTest::newRow("mode arrows") << Intent([](TMainForm* w) {
            clickArrow(w, "up");
            clickArrow(w, "up");
            clickArrow(w, "down");
        });
        QTest::newRow("legal paper, then a mode") << Intent([](TMainForm* w) {
            child<QCheckBox>(child<TPrinterXForm>(w, "PrinterXForm"), "LegalBox")->click();
            clickArrow(w, "down");
        });
        QTest::newRow("help page")
            << Intent([](TMainForm* w) { child<QAction>(w, "AReport")->trigger(); });
        QTest::newRow("options: only E reports") << Intent([](TMainForm* w) {
            QTimer::singleShot(0, w, [w] {
                auto* dialog = child<TOptionsForm>(w, "TOptionsForm");
                auto* kinds = child<QListWidget>(dialog, "ReportOptions");
                for (int row = 0; row < kinds->count(); ++row)
                    kinds->item(row)->setCheckState(
                        kinds->item(row)->text().contains("(E)") ? Qt::Checked : Qt::Unchecked);
                child<QPushButton>(dialog, "OptionsOk")->click();
            });
            child<QAction>(w, "OptionsMenu")->trigger();
        });
        QTest::newRow("archive save and load") << Intent([](TMainForm* w) {
            child<QPushButton>(w, "clearALL")->click();
            child<QListWidget>(w, "ReportListBox")
                ->item(firstReportOfKind(w, 'E'))
                ->setCheckState(Qt::Checked);
            child<QAction>(w, "FileMenuSave")->trigger();
            child<QAction>(w, "FileMenuLoad")->trigger();
        });
    }

    void eachIntentShowsTheSessionsDay() {
        QFETCH(Intent, intent);
        DemoInstallation installation(true);
        QStringList messages;
        MainFormSetup setup = installation.windowSetup(messages, {{"Back", "Front"}, 1});
        setup.askText = [](const QString&, const QString&, const QString&) {
            return QString("DAY.TXT");
        };
        TMainForm window(std::move(setup));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(differences(&window), QString());

        const Day before = window.session().day();
        intent(&window);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
        QVERIFY2(!(window.session().day() == before), "the intent changed nothing");
        QCOMPARE(differences(&window), QString());
        QVERIFY(window.close());
    }

private:
    std::unique_ptr<analysis::testing::PrivateHome> home;
};

QTEST_MAIN(TestRendersTheDay)
#include "tst_renders_the_day.moc"
