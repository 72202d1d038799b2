// Making an installation where a profile has none: the folder tree the program works in, and
// what the user is told about it before and after.
#pragma once

#include "core/installation/install_folders.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

/// The folders an installation is made of, relative to its install folder, in the order they
/// are made.
inline constexpr std::array<std::string_view, 4> InstallationFolders = {"Exec", "Data", "Help",
                                                                        "Archive"};

/// What setting up an install folder would do. Only folders are ever made: a file that stands
/// anywhere in the tree is left as it is.
struct InstallationPlan {
    std::filesystem::path installFolder;
    /// The folders of the tree that are not there yet, the install folder itself first when it
    /// is missing; empty when the installation is whole.
    std::vector<std::filesystem::path> missingFolders;

    /// Every folder of the tree is there: setup leaves the installation alone.
    bool installed() const { return missingFolders.empty(); }
    /// Some of the tree is there already (a partly made or damaged installation).
    bool partial() const;
};

/// The plan for folders: which folders of the tree are missing. Nothing is changed.
InstallationPlan planInstallation(const InstallFolders& folders);

/// True when the profile holds no installation at all: the install folder has neither the
/// "Exec" folder nor the lock file of an earlier version. A tree with Exec but without another
/// folder is an installation with a fault, which start-up names.
bool lacksInstallation(const InstallFolders& folders);

/// Makes the plan's missing folders, nothing else. IoError naming the folder that cannot be
/// made (a file standing in its place, a folder that cannot be written); the folders made before
/// it stay.
void makeInstallation(const InstallationPlan& plan);

/// The offer made to the user: where the installation goes and which folders are made.
std::string installationOffer(const InstallationPlan& plan);

/// What to do next once the tree is there: where the day's data file goes, and how to open one
/// from elsewhere.
std::string dataFileHint(const InstallFolders& folders);

} // namespace analysis
