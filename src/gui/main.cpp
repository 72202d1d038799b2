// Process entry of Analysis: one copy per installation, a splash while the day is prepared, then
// the main window until it closes.
#include "gui/main_form.h"
#include "gui/message.h"
#include "gui/splash.h"

#include "core/installation/install_folders.h"
#include "core/installation/install_lock.h"
#include "core/installation/stale_temporaries.h"
#include "platform/printer_catalog.h"
#include "platform/shutdown_signal.h"

#include <QApplication>
#include <QFont>

#include <filesystem>
#include <utility>

namespace {

/// The window's font names are those of the program's design; these are the faces that stand in
/// for them on a Linux desktop (all cover code page 437's box-drawing characters).
void mapDesignFonts() {
    QFont::insertSubstitutions("Lucida Console", {"DejaVu Sans Mono", "Liberation Mono"});
    QFont::insertSubstitutions("Terminal", {"DejaVu Sans Mono", "Liberation Mono"});
    QFont::insertSubstitutions("Courier New", {"Liberation Mono", "DejaVu Sans Mono"});
    QFont::insertSubstitutions("Lucida Sans", {"DejaVu Sans", "Liberation Sans"});
    QFont::insertSubstitutions("Small Fonts", {"DejaVu Sans", "Liberation Sans"});
}

} // namespace

int main(int argc, char* argv[]) {
    // The profile folder is read once, before any window exists.
    std::string userProfile = analysis::userProfileFromEnvironment();

    QApplication app(argc, argv);
    QApplication::setApplicationName("Analysis");

    // One writer per installation, whatever runtime folder or session each copy runs in.
    analysis::InstallFolders folders = analysis::installFoldersFor(userProfile);
    analysis::InstallLock lock(folders.InstallFolder);
    switch (lock.acquire(2000)) {
    case analysis::InstallLock::Result::Acquired:
        // Holding the installation, this copy is its only writer: a temporary file in it can
        // only be the leftover of a copy that was killed while writing.
        analysis::removeStaleTemporaries(folders);
        break;
    case analysis::InstallLock::Result::HeldByAnother:
        analysis::showMessage(nullptr, "Whoa!  Only one instance of Analysis.EXE at a time.");
        return 0;
    case analysis::InstallLock::Result::Unavailable:
        // Without an install folder there is nothing to guard, and start-up names the missing
        // folder itself. A folder that cannot be locked could be another copy's: two writers
        // would lose the day, so this one does not start.
        if (!std::filesystem::exists(folders.InstallFolder))
            break;
        analysis::showWarning(nullptr, QString::fromStdString(lock.failureText()) +
                                           ". Analysis cannot be sure it is the only copy "
                                           "writing there, so it does not start.");
        return 1;
    }
    mapDesignFonts();

    analysis::TSplash splash;
    splash.showPainted();

    // Installed before the day is prepared, so a session ending during start-up still closes
    // the window the orderly way once it is up. Until then, a message start-up shows is closed
    // at once (nobody is left to answer it) and the ones after it go to standard error.
    analysis::ShutdownSignal shutdown;
    bool sessionEnding = false;
    QObject::connect(&shutdown, &analysis::ShutdownSignal::received, [&sessionEnding] {
        sessionEnding = true;
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });

    analysis::MainFormSetup setup;
    setup.sessionEnding = [&sessionEnding] { return sessionEnding; };
    setup.folders = std::move(folders);
    setup.exePath = QApplication::applicationFilePath();
    setup.printers.names = analysis::installedPrinters();
    setup.printers.current = analysis::defaultPrinterIndex(setup.printers.names);
    analysis::TMainForm window(std::move(setup));

    // The desktop session ending (SIGTERM, SIGHUP) closes the window the same way the user
    // would, so the day is put away.
    QObject::connect(&shutdown, &analysis::ShutdownSignal::received, &window, &QWidget::close);

    splash.close();
    if (sessionEnding)
        return window.close() ? 0 : 1;
    window.show();
    return app.exec();
}
