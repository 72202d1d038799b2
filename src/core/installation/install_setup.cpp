// Making the program's folder tree on the user's word.
#include "core/installation/install_setup.h"

#include "core/common/io_error.h"
#include "core/installation/install_lock.h"

#include <cerrno>
#include <system_error>

namespace analysis {
namespace fs = std::filesystem;

namespace {

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

} // namespace

bool InstallationPlan::partial() const {
    return !missingFolders.empty() && missingFolders.front() != installFolder;
}

InstallationPlan planInstallation(const InstallFolders& folders) {
    InstallationPlan plan;
    plan.installFolder = folders.InstallFolder;
    if (!isFolder(folders.InstallFolder))
        plan.missingFolders.push_back(folders.InstallFolder);
    for (std::string_view name : InstallationFolders) {
        fs::path folder = folders.InstallFolder / name;
        if (!isFolder(folder))
            plan.missingFolders.push_back(std::move(folder));
    }
    return plan;
}

bool lacksInstallation(const InstallFolders& folders) {
    return !isInstallFolder(folders.InstallFolder);
}

void makeInstallation(const InstallationPlan& plan) {
    for (const fs::path& folder : plan.missingFolders) {
        std::error_code error;
        fs::create_directories(folder, error);
        // create_directories reports no error when a file stands at the name's place.
        if (!error && !isFolder(folder))
            error = std::make_error_code(std::errc::file_exists);
        if (error)
            throw IoError("The folder cannot be made (" + ioErrorReason(error.value()) + ")",
                          folder);
    }
}

std::string installationOffer(const InstallationPlan& plan) {
    if (plan.installed())
        return "Analysis is installed in " + plan.installFolder.string() + ".";
    std::string text = plan.partial()
                           ? "The installation in " + plan.installFolder.string() +
                                 " is not whole. These folders are missing:\n"
                           : "Analysis is not installed in this profile yet. It keeps "
                             "its files in " +
                                 plan.installFolder.string() + ", and setup makes these folders:\n";
    for (const fs::path& folder : plan.missingFolders)
        text += "    " + folder.string() + "\n";
    text += plan.partial() ? "Setup makes only the missing folders; no file is touched."
                           : "Nothing else is changed.";
    return text;
}

std::string dataFileHint(const InstallFolders& folders) {
    return "The day's data file goes to " + folders.file(files::DataFile).string() +
           ": Analysis opens it at each start. A data file kept anywhere else opens with "
           "\"Open Data File...\" (Ctrl+O) in the Archive menu, by dropping it on the window, or "
           "with \"Analysis FILE\" on the command line.";
}

} // namespace analysis
