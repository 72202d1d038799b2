// The scratch editor through the main window: every byte comes back, OK saves and rescales,
// any other close leaves the report as it was.
#include "gui/cp437_text.h"
#include "gui/edit_form.h"
#include "gui/main_form.h"
#include "support/value_block.h"
#include "window_fixture.h"

#include "core/common/file_io.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include <functional>
#include <memory>

using namespace analysis;
using namespace analysis::testing;

class TestScratchEditor : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainForm> open(const DemoInstallation& installation) {
        return openWindow(installation, messages);
    }

    /// The viewer's text as it holds it: plain text would turn byte 255, a no-break space, into a
    /// blank.
    static QString memoText(QWidget* window) {
        QString text = child<QPlainTextEdit>(window, "MainMemo")->document()->toRawText();
        return text.replace(QChar::ParagraphSeparator, QChar('\n'));
    }

    /// Chooses "&ScratchX"; inside the modal editor, step runs on the dialog and its memo. True
    /// when the editor opened.
    static bool scratch(TMainForm* window,
                        const std::function<void(TEditForm*, QPlainTextEdit*)>& step) {
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<TEditForm*>(QApplication::activeModalWidget());
            if (form == nullptr)
                return;
            opened = true;
            step(form, child<QPlainTextEdit>(form, "EditMemo"));
            // Whatever the step did, the dialog must not stay open over the test.
            if (form->isVisible())
                form->reject();
        });
        window->findChild<QAction*>("MenuEdit")->trigger();
        QCoreApplication::processEvents();
        return opened;
    }

    static void clickOk(TEditForm* form) {
        QTest::mouseClick(child<QPushButton>(form, "EditOK"), Qt::LeftButton);
    }

    /// Makes the first report the selected one and gives its working file the bytes.
    static std::filesystem::path selectFirstReport(TMainForm* window,
                                                   const DemoInstallation& installation,
                                                   const std::string& bytes) {
        // The test's bytes go over the report's file once the window has written it.
        if (!reportFilesWritten(*window))
            qFatal("the report files were never written");
        auto* list = child<QListWidget>(window, "ReportListBox");
        list->setCurrentRow(0);
        auto file = installation.folders().file(list->item(0)->text().toStdString());
        installation.profile().write(file, bytes);
        return file;
    }

    static QByteArray bytesOf(const std::filesystem::path& file) {
        return QByteArray::fromStdString(readFile(file));
    }

    QStringList messages;

private slots:
    void init() {
        messages.clear();
        home = std::make_unique<PrivateHome>();
    }

    void everyByteValueComesBackThroughTheEditor() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        // Sixteen lines of sixteen bytes: every value once, a lone CR and a lone LF among them.
        std::string bytes;
        for (int row = 0; row < 16; ++row) {
            for (int column = 0; column < 16; ++column)
                bytes += static_cast<char>(row * 16 + column);
            bytes += "\r\n";
        }
        auto file = selectFirstReport(window.get(), installation, bytes);

        QString shown;
        bool fixedPitch = false;
        QVERIFY(scratch(window.get(), [&](TEditForm* form, QPlainTextEdit* memo) {
            QCOMPARE(form->windowTitle(), QString("Edit"));
            shown = memo->toPlainText();
            fixedPitch = QFontInfo(memo->font()).fixedPitch();
            clickOk(form);
        }));
        QVERIFY(fixedPitch);
        QVERIFY(shown.contains(QChar(0x2500))); // C4, a horizontal bar
        QVERIFY(shown.contains(QChar(0x2554))); // C9, a double down-and-right corner
        QCOMPARE(bytesOf(file), QByteArray::fromStdString(bytes));
        QCOMPARE(memoText(window.get()), textFromCp437(bytes));
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    }

    void okDropsTheMarkedLineAndRescalesTheBlock() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        auto file =
            selectFirstReport(window.get(), installation,
                              crlfLines({"Value lines", blockHeader(), valueLine(" 3.0", " 1.0"),
                                         valueLine(" 3.0", " 3.0", "Scratched"),
                                         valueLine(" 3.0", " 3.0"), blockCloser()}));

        QVERIFY(scratch(window.get(), [](TEditForm* form, QPlainTextEdit* memo) {
            memo->setTextCursor(QTextCursor(memo->document()->findBlockByNumber(3)));
            QTest::keyClicks(memo, "!");
            clickOk(form);
        }));
        std::string expected = crlfLines({"Value lines", blockHeader(), valueLine(" 1.0", "  .5"),
                                          valueLine(" 1.0", " 2.0"), blockCloser()});
        QCOMPARE(bytesOf(file), QByteArray::fromStdString(expected));
        QCOMPARE(memoText(window.get()), textFromCp437(expected));
        QCOMPARE(window->focusWidget(), child<QListWidget>(window.get(), "ReportListBox"));
    }

    void afterAHelpPageTheEditedReportBecomesTheViewersFile() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        auto file = selectFirstReport(window.get(), installation, "Race 1\r\n");
        window->findChild<QAction*>("AReport")->trigger();
        QCOMPARE(window->viewFile().string(), installation.folders().file(files::HelpA).string());

        QVERIFY(scratch(window.get(), [](TEditForm* form, QPlainTextEdit*) { clickOk(form); }));
        // The screen shows the report, so a print of the view must print the report too.
        QCOMPARE(memoText(window.get()), QString("Race 1"));
        QCOMPARE(window->viewFile().string(), file.string());
    }

    void closingAnyOtherWayLeavesTheReportAsItWas_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("close box") << 0;
        QTest::newRow("Escape") << 1;
    }

    void closingAnyOtherWayLeavesTheReportAsItWas() {
        QFETCH(int, way);
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        std::string bytes = crlfLines({blockHeader(), valueLine(" 3.0", " 3.0"), blockCloser()});
        auto file = selectFirstReport(window.get(), installation, bytes);
        QString before = memoText(window.get());

        QVERIFY(scratch(window.get(), [way](TEditForm* form, QPlainTextEdit* memo) {
            memo->selectAll();
            QTest::keyClicks(memo, "all gone!");
            if (way == 0)
                form->close();
            else
                QTest::keyClick(form, Qt::Key_Escape);
        }));
        QCOMPARE(bytesOf(file), QByteArray::fromStdString(bytes));
        QCOMPARE(memoText(window.get()), before);
        // Nothing was written beside the report either.
        for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
            QVERIFY2(entry.path().filename().string().find(".tmp") == std::string::npos,
                     entry.path().c_str());
    }

    void leavingAChangedTextAsksFirst_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("close box") << 0;
        QTest::newRow("Escape") << 1;
    }

    void leavingAChangedTextAsksFirst() {
        QFETCH(int, way);
        DemoInstallation installation(true);
        QStringList questions;
        QList<bool> answers;
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askConfirm = [&](const QString& question) {
            questions << question;
            return answers.isEmpty() ? true : answers.takeFirst();
        };
        TMainForm window(std::move(setup));
        window.show();
        std::string bytes = crlfLines({"Race 1", "Race 2"});
        auto file = selectFirstReport(&window, installation, bytes);
        auto leave = [way](TEditForm* form) {
            if (way == 0)
                form->close();
            else
                QTest::keyClick(form, Qt::Key_Escape);
        };

        // Unchanged: nothing to ask.
        QVERIFY(scratch(&window, [&](TEditForm* form, QPlainTextEdit*) {
            leave(form);
            QVERIFY(!form->isVisible());
        }));
        QVERIFY(questions.isEmpty());

        // Changed: "no" keeps the editor and the text; OK then saves it.
        answers = {false};
        QVERIFY(scratch(&window, [&](TEditForm* form, QPlainTextEdit* memo) {
            QTest::keyClicks(memo, "kept ");
            leave(form);
            QVERIFY(form->isVisible());
            QVERIFY(memo->toPlainText().startsWith("kept Race 1"));
            clickOk(form);
        }));
        QCOMPARE(questions.size(), 1);
        QVERIFY2(questions[0].contains("changed"), qPrintable(questions[0]));
        QCOMPARE(bytesOf(file), QByteArray("kept Race 1\r\nRace 2\r\n"));

        // Changed again: "yes" throws the change away, and the file stays as saved.
        answers = {true};
        QVERIFY(scratch(&window, [&](TEditForm* form, QPlainTextEdit* memo) {
            QTest::keyClicks(memo, "lost ");
            leave(form);
            QVERIFY(!form->isVisible());
        }));
        QCOMPARE(questions.size(), 2);
        QCOMPARE(bytesOf(file), QByteArray("kept Race 1\r\nRace 2\r\n"));
    }

    void withoutASelectedReportTheEditorDoesNotOpen() {
        DemoInstallation installation(true);
        auto window = open(installation);
        QVERIFY(window);
        auto* list = child<QListWidget>(window.get(), "ReportListBox");
        int spacer = -1;
        for (int row = 0; row < list->count() && spacer < 0; ++row)
            if (list->item(row)->text().isEmpty())
                spacer = row;
        QVERIFY(spacer > 0);
        list->setCurrentRow(spacer);
        QVERIFY(!scratch(window.get(), [](TEditForm*, QPlainTextEdit*) {}));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("Select a report"), qPrintable(messages[0]));

        DemoInstallation empty(false);
        auto bare = open(empty);
        QVERIFY(bare);
        QVERIFY(!scratch(bare.get(), [](TEditForm*, QPlainTextEdit*) {}));
        QCOMPARE(messages.size(), 2);
    }

private:
    std::unique_ptr<PrivateHome> home;
};

QTEST_MAIN(TestScratchEditor)
#include "tst_scratch_editor.moc"
