// Taking the installation for a copy of the window: one writer per installation, whatever
// runtime folder or session each copy runs in. A copy that finds another window on the
// installation hands it its data file or tells it of the start; one that finds a window closing
// waits for the close to end.
#pragma once

#include "core/installation/install_folders.h"
#include "core/installation/install_lock.h"
#include "gui/splash.h"

#include <QString>

#include <optional>

namespace analysis {

/// Takes the installation for this copy. Another copy holding it is handed dataFile (none when
/// empty) through channel, or told of this start, or, while it closes, waited for with the splash
/// saying so. Returns the exit status when this copy is to open no window.
std::optional<int> claimInstallation(InstallLock& lock, const InstallFolders& folders,
                                     const QString& channel, const QString& dataFile,
                                     TSplash& splash);

} // namespace analysis
