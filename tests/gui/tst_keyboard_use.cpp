// The main window from the keyboard alone: Tab reaches every control in reading order, the
// focus shows, and what the mouse does on the list side the keys do too.
#include "gui/main_form.h"
#include "gui/up_down.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace analysis;
using analysis::testing::child;
using analysis::testing::DemoInstallation;
using analysis::testing::PrivateHome;

namespace {

/// The contrast ratio of two colours, as accessibility guidelines count it (1 to 21).
double contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& colour) {
        auto channel = [](double value) {
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
               0.0722 * channel(colour.blueF());
    };
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

} // namespace

class TestKeyboardUse : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> openActive(const DemoInstallation& installation) {
        auto window = analysis::testing::openWindow(installation, messages);
        if (!window)
            return nullptr;
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            return nullptr;
        return window;
    }

    QStringList messages;
    std::unique_ptr<PrivateHome> home;

private slots:
    void init() {
        messages.clear();
        home = std::make_unique<PrivateHome>();
    }

    void tabVisitsEveryControlInReadingOrder() {
        DemoInstallation installation(true);
        auto window = openActive(installation);
        QVERIFY(window);
        auto* selector = child<UpDown>(window.get(), "FontSelect");
        const QList<QWidget*> expected = {
            child<QWidget>(window.get(), "ReportListBox"),
            child<QWidget>(window.get(), "checkALL"),
            child<QWidget>(window.get(), "clearALL"),
            child<QWidget>(window.get(), "PrintButton"),
            child<QWidget>(window.get(), "ModeMenuButton"),
            selector->upButton(),
            selector->downButton(),
            child<QWidget>(window.get(), "ListBox1"),
            child<QWidget>(window.get(), "PrintSimo"),
            child<QWidget>(window.get(), "options"),
            child<QWidget>(window.get(), "MainMemo"),
            child<QWidget>(window.get(), "QuickieButton"),
        };
        expected.first()->setFocus();
        QList<QWidget*> visited = {QApplication::focusWidget()};
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (QApplication::focusWidget() == expected.first())
                break;
            visited << QApplication::focusWidget();
        }
        QStringList names;
        for (QWidget* widget : visited)
            names << (widget ? widget->objectName() : QString("(none)"));
        QCOMPARE(visited.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(visited[i] == expected[i], qPrintable(names.join(' ')));
        // Shift+Tab goes back the same way.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), expected.last());
    }

    void theListIsWalkedAndTickedFromTheKeyboard() {
        DemoInstallation installation(true);
        auto window = openActive(installation);
        QVERIFY(window);
        auto* list = child<QListWidget>(window.get(), "ReportListBox");
        auto* memo = child<QPlainTextEdit>(window.get(), "MainMemo");
        list->setFocus();
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentRow(), 1);
        QVERIFY(memo->toPlainText().contains(list->item(1)->text()));
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
        QVERIFY(!window->session().day().list.ticked[1]); // what PRINT prints
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
    }

    void theViewerScrollsFromTheKeyboard() {
        DemoInstallation installation(true);
        auto window = openActive(installation);
        QVERIFY(window);
        auto* memo = child<QPlainTextEdit>(window.get(), "MainMemo");
        child<QWidget>(window.get(), "options")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), memo);
        QVERIFY(memo->verticalScrollBar()->maximum() > 0);
        QCOMPARE(memo->verticalScrollBar()->value(), 0);
        QTest::keyClick(memo, Qt::Key_PageDown);
        QTest::keyClick(memo, Qt::Key_PageDown);
        QVERIFY(memo->verticalScrollBar()->value() > 0);
    }

    void theCurrentViewPrintIsAMenuItemToo() {
        DemoInstallation installation(true);
        auto window = openActive(installation);
        QVERIFY(window);
        auto* quickie = child<QAction>(window.get(), "QuickieMenu");
        QVERIFY(child<QMenu>(window.get(), "FileMenu")->actions().contains(quickie));
        QCOMPARE(child<QToolButton>(window.get(), "QuickieButton")->defaultAction(), quickie);
        // Every slot of the bar is a menu a user goes to, none an empty one to pass.
        for (QAction* action : window->menuBar()->actions()) {
            QVERIFY2(!action->text().trimmed().isEmpty(), "an empty slot in the menu bar");
            QVERIFY2(action->isEnabled(), qPrintable(action->text()));
        }
    }

    void focusOnTheListsShows_data() {
        QTest::addColumn<QString>("list");
        QTest::newRow("report list") << "ReportListBox";
        QTest::newRow("job counter") << "ListBox1";
    }

    void focusOnTheListsShows() {
        QFETCH(QString, list);
        DemoInstallation installation(true);
        auto window = openActive(installation);
        QVERIFY(window);
        auto* widget = child<QListWidget>(window.get(), qPrintable(list));
        child<QWidget>(window.get(), "PrintButton")->setFocus();
        const QImage without = widget->grab().toImage();
        widget->setFocus();
        QVERIFY(widget->hasFocus());
        const QImage with = widget->grab().toImage();
        QVERIFY(with != without);
    }

    void theSpaceBarHoldsTheJobCounterUp() {
        DemoInstallation installation(false);
        auto window = openActive(installation);
        QVERIFY(window);
        auto* box = child<QListWidget>(window.get(), "ListBox1");
        auto* counter = child<QLabel>(window.get(), "PrintCounter");
        box->setFocus();
        QTest::keyPress(box, Qt::Key_Space);
        QCOMPARE(counter->text(), QString("0000"));
        QTest::keyRelease(box, Qt::Key_Space);
        QCOMPARE(counter->text(), QString("    "));
    }

    void theModesAreOneChoiceAwayAndTheArrowsFollowTheirList() {
        DemoInstallation installation(false);
        auto window = openActive(installation);
        QVERIFY(window);
        auto* menu = child<QMenu>(window.get(), "ModeMenu");
        auto* label = child<QLabel>(window.get(), "SpinFont");
        QCOMPARE(child<QToolButton>(window.get(), "ModeMenuButton")->menu(), menu);
        QStringList names;
        QList<QAction*> modes;
        for (int mode = 0; mode < 8; ++mode) {
            modes << child<QAction>(window.get(), qPrintable(QString("Mode%1").arg(mode)));
            names << modes.last()->text();
            QVERIFY(menu->actions().contains(modes.last()));
            QCOMPARE(modes.last()->isEnabled(), !names.last().contains("reserved"));
        }
        QCOMPARE(names, QStringList({"WIN Portrait 9pt", "WIN *reserved*", "WIN Portrait 7pt",
                                     "WIN Landscape 7pt", "PCL Portrait 10pt", "PCL *reserved*",
                                     "PCL Portrait 6pt", "PCL Landscape 6pt"}));
        QVERIFY(modes[2]->isChecked()); // the start's mode

        modes[4]->trigger();
        QCOMPARE(label->text().simplified(), QString("PCL Portrait 10pt"));
        QVERIFY(modes[4]->isChecked());
        // Up goes to the mode above in the list, down to the one below.
        auto* selector = child<UpDown>(window.get(), "FontSelect");
        selector->upButton()->click();
        QVERIFY(modes[3]->isChecked());
        QCOMPARE(label->text().simplified(), names[3]);
        selector->downButton()->click();
        selector->downButton()->click();
        QVERIFY(modes[5]->isChecked());
        QVERIFY(child<QAction>(window.get(), "PrinterOptionsMenu"));
    }

    void smallControlsSayWhatTheyAreAndCanBeRead() {
        DemoInstallation installation(false);
        auto window = openActive(installation);
        QVERIFY(window);
        for (const char* name : {"ListBox1", "PrintSimo", "options"})
            QVERIFY2(!child<QWidget>(window.get(), name)->toolTip().isEmpty(), name);
        QVERIFY(child<QWidget>(window.get(), "ListBox1")->toolTip().startsWith("Job counter"));
        QVERIFY(child<QLabel>(window.get(), "ListBox1Label")->isVisible());

        auto* counter = child<QLabel>(window.get(), "PrintCounter");
        QVERIFY(counter->font().pixelSize() >= 12);
        const QColor ink = counter->palette().color(QPalette::WindowText);
        const QColor paper = counter->parentWidget()->palette().color(QPalette::Window);
        QVERIFY2(contrast(ink, paper) >= 4.5, qPrintable(QString::number(contrast(ink, paper))));
    }
};

QTEST_MAIN(TestKeyboardUse)
#include "tst_keyboard_use.moc"
