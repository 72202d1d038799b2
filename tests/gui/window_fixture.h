// A demo installation in a temporary profile folder, for the window tests.
#pragma once

#include "core/installation/install_folders.h"
#include "gui/main_form.h"
#include "support/temp_dir.h"

#include <QStringList>

#include <cstdint>
#include <memory>
#include <string>

namespace analysis::testing {

/// A home folder of the test's own: HOME and the desktop's settings folder point into it from
/// the time it is made, so a window never writes into the home of whoever runs the tests.
class PrivateHome {
public:
    PrivateHome();
    const std::filesystem::path& path() const { return folder_.path(); }

private:
    TempDir folder_;
};

class DemoInstallation {
public:
    /// The folder tree "Exec", "Data", "Help", "Archive"; a day's data file when withDay.
    explicit DemoInstallation(bool withDay);

    const InstallFolders& folders() const { return folders_; }
    const TempDir& profile() const { return profile_; }

    /// What the main window needs to open on this installation; every message it shows is
    /// appended to messages instead of a message box.
    MainFormSetup windowSetup(QStringList& messages, PrinterChoice printers = {}) const;

    /// Settings file lines as the program wrote them (CR LF checked).
    QStringList settingsLines() const;

private:
    TempDir profile_;
    InstallFolders folders_;
};

/// The main window on installation, shown; null when it could not be shown. Its messages are
/// appended to messages.
std::unique_ptr<TMainForm> openWindow(const DemoInstallation& installation, QStringList& messages);

/// Two tracks of the track group table that the demo day does not run, so no report of the one
/// day has the name of a report of the other.
QStringList otherDayTracks();

/// The data file of a day at otherDayTracks() on raceDay, to open in place of the demo day.
std::string otherDayDataFile(std::uint16_t raceDay);

/// Waits until the report files the window writes behind it are on disk, for a test that reads
/// them itself; false when they never were.
bool reportFilesWritten(const TMainForm& window);

/// The child of parent (a window, a dialog) named name, a widget or an action; ends the test
/// program when there is none.
template <class Widget>
Widget* child(QObject* parent, const char* name) {
    auto* widget = parent->findChild<Widget*>(name);
    if (widget == nullptr)
        qFatal("no widget named %s", name);
    return widget;
}

} // namespace analysis::testing
