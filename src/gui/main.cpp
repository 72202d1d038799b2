// Process entry of Analysis: one copy per installation, a splash while the day is prepared, then
// the main window until it closes. A second start hands its data file to the window open on the
// installation, and a start during a close waits for the close to end.
#include "gui/installation_claim.h"
#include "gui/instance_channel.h"
#include "gui/main_form.h"
#include "gui/process_timing.h"
#include "gui/splash.h"

#include "core/installation/install_folders.h"
#include "core/installation/install_lock.h"
#include "platform/printer_catalog.h"
#include "platform/shutdown_signal.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <optional>
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

/// How often a file handed over looks again whether a dialog still has the window's attention.
constexpr int ModalRetryMs = 300;

/// The data file named on the command line (a path, or a file URL as some desktops pass it),
/// absolute so the window can open it whatever folder it runs in; empty when none.
QString dataFileArgument(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments.at(1).isEmpty())
        return {};
    const QString argument = arguments.at(1);
    const QString path = argument.startsWith("file:") ? QUrl(argument).toLocalFile() : argument;
    return QFileInfo(path).absoluteFilePath();
}

/// Opens path in the window once no dialog holds the user's attention: a day replaced under an
/// open dialog would leave the dialog working on a day that is gone.
void openWhenFree(QPointer<analysis::TMainForm> window, const QString& path, int delayMs) {
    QTimer::singleShot(delayMs, window, [window, path] {
        if (QApplication::activeModalWidget() != nullptr) {
            openWhenFree(window, path, ModalRetryMs);
            return;
        }
        window->raise();
        window->activateWindow();
        window->openDataFile(path);
    });
}

} // namespace

int main(int argc, char* argv[]) {
    // First, so that it is the last to go: the close is timed until the process ends.
    analysis::ProcessTiming timing = analysis::ProcessTiming::fromEnvironment();
    // The profile folder is read once, before any window exists.
    std::string userProfile = analysis::userProfileFromEnvironment();

    QApplication app(argc, argv);
    QApplication::setApplicationName("Analysis");
    // The installed menu entry's name, so a desktop shows the window with its entry and icon.
    QGuiApplication::setDesktopFileName("com.quillmarsh.Analysis");

    const QString dataFile = dataFileArgument(QApplication::arguments());
    mapDesignFonts();
    analysis::TSplash splash;

    // One writer per installation, whatever runtime folder or session each copy runs in.
    analysis::InstallFolders folders = analysis::installFoldersFor(userProfile);
    analysis::InstallLock lock(folders.InstallFolder);
    const QString channel = analysis::instanceChannelName(folders.InstallFolder);
    if (std::optional<int> status =
            analysis::claimInstallation(lock, folders, channel, dataFile, splash))
        return *status;

    // Listening from now on, so a start during start-up is answered once the window is up; what
    // it hands over waits for the window.
    analysis::InstanceServer server(channel);
    server.listen();
    QStringList handedEarly;
    QMetaObject::Connection early =
        QObject::connect(&server, &analysis::InstanceServer::fileHanded,
                         [&handedEarly](const QString& path) { handedEarly << path; });

    splash.setNote("initializing...");
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
    setup.timing = &timing;
    setup.printers.names = analysis::installedPrinters();
    setup.printers.current = analysis::defaultPrinterIndex(setup.printers.names);
    // An installation the window makes on a first start is held from then on, as any other.
    setup.installationMade = [&lock] { (void)lock.acquire(0); };
    analysis::TMainForm window(std::move(setup));

    // From the close's first moment a start waits for the day to be put away.
    QObject::connect(&window, &analysis::TMainForm::closeBegun, &server,
                     &analysis::InstanceServer::stopListening);
    QObject::connect(&window, &analysis::TMainForm::closeAbandoned, &server,
                     [&server] { server.listen(); });
    QObject::disconnect(early);
    QObject::connect(&server, &analysis::InstanceServer::fileHanded, &window,
                     [&window](const QString& path) { openWhenFree(&window, path, 0); });
    if (!dataFile.isEmpty())
        openWhenFree(&window, dataFile, 0);
    for (const QString& path : handedEarly)
        openWhenFree(&window, path, 0);

    // The desktop session ending (SIGTERM, SIGHUP) closes the window the same way the user
    // would, so the day is put away.
    QObject::connect(&shutdown, &analysis::ShutdownSignal::received, &window, &QWidget::close);

    splash.close();
    if (sessionEnding)
        return window.close() ? 0 : 1;
    window.show();
    return app.exec();
}
