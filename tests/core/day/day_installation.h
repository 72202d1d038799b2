// An installation in a fresh profile for the day's tests: its folders, a desktop folder, and the
// embedded resources written as one line each.
#pragma once

#include "core/common/file_io.h"
#include "core/day/day_session.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace analysis::testing {

struct DayInstallation {
    TempDir profile;
    InstallFolders folders = installFoldersFor(profile.path().string());
    std::vector<char> extracted;

    DayInstallation() {
        for (const char* folder : {"Exec", "Data", "Help", "Archive", "Desktop"})
            std::filesystem::create_directories(folders.InstallFolder / folder);
    }
    DaySessionSetup setup() {
        return {folders,
                folders.InstallFolder / "Desktop",
                [this](char name, const std::filesystem::path& file) {
                    extracted.push_back(name);
                    writeFileAtomically(file, std::string(1, name) + "\r\n");
                },
                {},
                {}};
    }
    std::string read(std::string_view name) const { return profile.read(folders.file(name)); }
    bool has(std::string_view name) const { return fileExists(folders.file(name)); }
};

} // namespace analysis::testing
