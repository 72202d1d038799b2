// Drives the real main window through one action and its close, as a user would, for the kill
// test to kill at any moment of it: "load NAME" (Archive > Load of the archive NAME) or "scratch"
// (ScratchX on an A report, confirmed with a line added).
//   window_driver PROFILE (load NAME | scratch)
#include "gui/edit_form.h"
#include "gui/main_form.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList words = QApplication::arguments();
    if (words.size() < 3 || (words[2] == "load" && words.size() < 4)) {
        std::fprintf(stderr, "usage: window_driver PROFILE (load NAME | scratch)\n");
        return 2;
    }
    const QString action = words[2];
    const QString archive = words.size() > 3 ? words[3] : QString();

    analysis::MainFormSetup setup;
    setup.folders = analysis::installFoldersFor(words[1].toStdString());
    setup.exePath = "window_driver";
    setup.showMessage = [](const QString& text) {
        std::fprintf(stderr, "window_driver: %s\n", qPrintable(text));
    };
    setup.askText = [archive](const QString&, const QString&, const QString&) { return archive; };
    analysis::TMainForm window(std::move(setup));
    window.show();

    QTimer::singleShot(0, &window, [&window, action] {
        if (action == "load") {
            window.findChild<QAction*>("FileMenuLoad")->trigger();
        } else {
            // An A report, whose working file is what the close joins back (an E report's
            // untrimmed twin goes back instead).
            auto* list = window.findChild<QListWidget*>("ReportListBox");
            for (int row = 0; row < list->count(); ++row)
                if (list->item(row)->text().startsWith('A')) {
                    list->setCurrentRow(row);
                    break;
                }
            // The editor is modal: a line is added and OK pressed once it is up.
            QTimer::singleShot(0, &window, [&window] {
                auto* editor = window.findChild<analysis::TEditForm*>();
                editor->findChild<QPlainTextEdit*>()->appendPlainText("scratch note");
                editor->findChild<QPushButton*>("EditOK")->click();
            });
            window.findChild<QAction*>("MenuEdit")->trigger();
        }
        window.close();
    });
    return app.exec();
}
