// Finding across the day in the real window: the hits' list, the jump to a hit with its match
// selected in the viewer, F3 through the hits, and the case box.
#include "gui/find_in_day_form.h"
#include "gui/main_form.h"
#include "window_fixture.h"

#include "core/common/cp437.h"
#include "core/common/file_io.h"
#include "gui/cp437_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace analysis;
using analysis::testing::child;
using analysis::testing::DemoInstallation;

class TestFindInDay : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> open(const DemoInstallation& installation) {
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askText = [this](const QString&, const QString&, const QString&) { return answer; };
        auto window = std::make_unique<TMainForm>(std::move(setup));
        window->show();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            return nullptr;
        return window;
    }

    /// The row of the hits' list that is current, -1 for none.
    static int currentRow(TMainForm* window) {
        auto* hits = child<QTreeWidget>(window, "HitList");
        return hits->currentItem() ? hits->indexOfTopLevelItem(hits->currentItem()) : -1;
    }

    /// Empty when the viewer shows the report of the hits' list row with that row's match
    /// selected, and the report list has the report selected when it lists it; what differs
    /// otherwise.
    static QString showsRow(TMainForm* window, const DemoInstallation& installation, int row,
                            const QString& sought) {
        QTreeWidgetItem* item = child<QTreeWidget>(window, "HitList")->topLevelItem(row);
        const QString code = item->text(0);
        const int line = item->text(3).toInt();
        auto* memo = child<QPlainTextEdit>(window, "MainMemo");
        const QTextCursor cursor = memo->textCursor();
        QStringList faults;
        if (memo->toPlainText() !=
            textFromCp437(readFile(installation.folders().file(code.toStdString()))))
            faults << "the viewer shows another file than " + code;
        if (cursor.selectedText().compare(sought, Qt::CaseInsensitive) != 0)
            faults << "selected: " + cursor.selectedText();
        if (cursor.block().blockNumber() != line - 1)
            faults << QString("on line %1, not %2").arg(cursor.block().blockNumber() + 1).arg(line);
        if (!cursor.block().text().contains(item->text(4)))
            faults << "the line is not " + item->text(4);
        auto* list = child<QListWidget>(window, "ReportListBox");
        const auto listed = list->findItems(code, Qt::MatchExactly);
        if (!listed.isEmpty() && list->currentItem() != listed.first())
            faults << "the list does not select " + code;
        return faults.join("; ");
    }

    QStringList messages;
    QString answer;

private slots:
    void initTestCase() { home = std::make_unique<analysis::testing::PrivateHome>(); }
    void init() {
        messages.clear();
        answer.clear();
    }

    void listsEveryHitAndShowsTheOneClicked() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        answer = "copper tale";
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        auto* form = child<FindInDayForm>(window.get(), "FindInDay");
        QVERIFY(form->isVisible());
        auto* hits = child<QTreeWidget>(window.get(), "HitList");

        // Every row names a report, its track, a line holding the text, and that line.
        const int rows = hits->topLevelItemCount();
        QCOMPARE(rows, static_cast<int>(window->session().day().search->hits.size()));
        QStringList reports;
        for (int row = 0; row < rows; ++row) {
            QTreeWidgetItem* item = hits->topLevelItem(row);
            const std::string bytes =
                readFile(installation.folders().file(item->text(0).toStdString()));
            const QStringList lines = textFromCp437(bytes).split('\n');
            const int line = item->text(3).toInt();
            QVERIFY(line >= 1 && line <= lines.size());
            QCOMPARE(lines[line - 1], item->text(4));
            QVERIFY(item->text(4).contains(answer, Qt::CaseInsensitive));
            QCOMPARE(item->text(1), item->text(0).mid(3, 3));
            if (!reports.contains(item->text(0)))
                reports << item->text(0);
        }
        QVERIFY2(reports.size() >= 3, qPrintable(reports.join(' ')));
        QVERIFY2(child<QLabel>(window.get(), "FindSummary")
                     ->text()
                     .startsWith(QString("%1 hits of \"copper tale\" in %2 reports")
                                     .arg(rows)
                                     .arg(reports.size())),
                 qPrintable(child<QLabel>(window.get(), "FindSummary")->text()));

        // A click on the last row shows its report at its line, the match selected.
        const int last = rows - 1;
        QTreeWidgetItem* lastItem = hits->topLevelItem(last);
        QTest::mouseClick(hits->viewport(), Qt::LeftButton, {},
                          hits->visualItemRect(lastItem).center());
        QCOMPARE(currentRow(window.get()), last);
        QCOMPARE(showsRow(window.get(), installation, last, answer), QString());

        // F3 goes round to the first hit and on, Shift+F3 back, from either window.
        QTest::keyClick(form, Qt::Key_F3);
        QCOMPARE(currentRow(window.get()), 0);
        QCOMPARE(showsRow(window.get(), installation, 0, answer), QString());
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F3);
        QCOMPARE(currentRow(window.get()), 1);
        QCOMPARE(showsRow(window.get(), installation, 1, answer), QString());
        QTest::keyClick(window.get(), Qt::Key_F3, Qt::ShiftModifier);
        QTest::keyClick(window.get(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(currentRow(window.get()), last);
        QCOMPARE(showsRow(window.get(), installation, last, answer), QString());
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void aHitOnAReportsSeparatorLineIsSelectedToo() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        answer = "@x01";
        child<QAction>(window.get(), "FindInDayMenu")->trigger();
        QVERIFY(child<QTreeWidget>(window.get(), "HitList")->topLevelItemCount() > 1);
        QTest::keyClick(window.get(), Qt::Key_F3);
        QCOMPARE(currentRow(window.get()), 0);
        QCOMPARE(showsRow(window.get(), installation, 0, answer), QString());
    }

    void theCaseBoxSeeksTheTextAgain() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        answer = "copper tale";
        child<QAction>(window.get(), "FindInDayMenu")->trigger();
        auto* hits = child<QTreeWidget>(window.get(), "HitList");
        const int eitherCase = hits->topLevelItemCount();
        QVERIFY(eitherCase > 0);
        auto* matchCase = child<QCheckBox>(window.get(), "MatchCase");
        QVERIFY(!matchCase->isChecked());
        matchCase->click();
        QCOMPARE(hits->topLevelItemCount(), 0);
        QCOMPARE(child<QLabel>(window.get(), "FindSummary")->text(),
                 QString("\"copper tale\" is in none of the day's reports"));
        // The next search keeps the case as chosen, until the box is cleared.
        answer = "COPPER TALE";
        child<QAction>(window.get(), "FindInDayMenu")->trigger();
        QCOMPARE(hits->topLevelItemCount(), eitherCase);
        QVERIFY(matchCase->isChecked());
        QVERIFY(window->session().day().search->caseSensitive);
        matchCase->click();
        QCOMPARE(hits->topLevelItemCount(), eitherCase);
        QVERIFY(!window->session().day().search->caseSensitive);
    }

    void afterAFindInTheReportF3StaysInTheReport() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        answer = "Race";
        child<QAction>(window.get(), "FindInDayMenu")->trigger();
        QTest::keyClick(window.get(), Qt::Key_F3);
        QCOMPARE(currentRow(window.get()), 0);
        auto* memo = child<QPlainTextEdit>(window.get(), "MainMemo");
        const QString report = memo->toPlainText();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
        const int before = memo->textCursor().position();
        QTest::keyClick(window.get(), Qt::Key_F3);
        QCOMPARE(currentRow(window.get()), 0);
        QCOMPARE(memo->toPlainText(), report);
        QVERIFY(memo->textCursor().position() > before);
        QCOMPARE(memo->textCursor().selectedText(), answer);
    }

    void aTextOnEveryLineKeepsTheFirstHits() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        answer = "e";
        child<QAction>(window.get(), "FindInDayMenu")->trigger();
        QCOMPARE(child<QTreeWidget>(window.get(), "HitList")->topLevelItemCount(),
                 static_cast<int>(DaySearchHitLimit));
        QVERIFY(child<QLabel>(window.get(), "FindSummary")->text().startsWith("The first 10000"));
        // A character the reports cannot hold is found nowhere, and nothing is sought.
        const auto search = window->session().day().search;
        answer = QString::fromUtf8("\u20AC");
        child<QAction>(window.get(), "FindInDayMenu")->trigger();
        QCOMPARE(window->session().day().search, search);
    }

    /// Case-blind matching joins exactly the bytes whose characters Unicode folds alike.
    void foldingAgreesWithUnicode() {
        for (int a = 0; a < 256; ++a) {
            const QChar folded =
                QChar(static_cast<char16_t>(cp437ToUnicode(static_cast<unsigned char>(a))))
                    .toCaseFolded();
            for (int b = 0; b < 256; ++b) {
                const bool unicode =
                    QChar(static_cast<char16_t>(cp437ToUnicode(static_cast<unsigned char>(b))))
                        .toCaseFolded() == folded;
                const bool ours = cp437FoldCase(static_cast<unsigned char>(a)) ==
                                  cp437FoldCase(static_cast<unsigned char>(b));
                if (unicode != ours)
                    QFAIL(qPrintable(QString("bytes %1 and %2").arg(a, 0, 16).arg(b, 0, 16)));
            }
        }
    }

private:
    std::unique_ptr<analysis::testing::PrivateHome> home;
};

QTEST_MAIN(TestFindInDay)
#include "tst_find_in_day.moc"
