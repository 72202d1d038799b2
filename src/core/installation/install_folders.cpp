// The program's folder tree.
#include "core/installation/install_folders.h"

#include "core/common/file_io.h"

#include <cstdlib>

namespace analysis {

std::string userProfileFromEnvironment() {
    for (const char* name : {"USERPROFILE", "HOME"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return {};
}

InstallFolders installFoldersFor(std::string_view userProfile) {
    InstallFolders folders;
    folders.ProfileFolder = userProfile.empty() ? std::filesystem::path("/") : userProfile;
    folders.InstallFolder = folders.ProfileFolder / "QuillmarshData" / "Analysis";
    return folders;
}

void removeLeftoverFiles(const std::filesystem::path& profileFolder) {
    for (const char* name : {"Nightjar.EXE", "QuillStub.EXE", "SEE32.DLL"})
        DeleteIfExists(profileFolder / name);
}

} // namespace analysis
