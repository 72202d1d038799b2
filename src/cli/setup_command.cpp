// analysis-tool setup: the folder tree made only after the user says yes.
#include "cli/setup_command.h"

#include "cli/arguments.h"
#include "cli/installation_guard.h"
#include "core/installation/install_folders.h"
#include "core/installation/install_setup.h"

#include <iostream>

namespace analysis::cli {
namespace {

constexpr const char* Usage =
    "usage: analysis-tool setup [PROFILE] [--yes]\n"
    "  Makes the program's folders Exec, Data, Help and Archive in\n"
    "  PROFILE/QuillmarshData/Analysis, after asking. PROFILE defaults to USERPROFILE when set,\n"
    "  otherwise HOME. An installation that is whole is left as it is; of one that is not,\n"
    "  only the missing folders are made, and no file is touched. Exit status 1 when the\n"
    "  answer is no (nothing is made).\n"
    "  --yes  make them without asking\n";

bool answeredYes(std::istream& in) {
    std::string answer;
    std::getline(in, answer);
    const auto first = answer.find_first_not_of(" \t");
    return first != std::string::npos && (answer[first] == 'y' || answer[first] == 'Y');
}

int setUp(Arguments& arguments, std::istream& in, std::ostream& out) {
    const bool unasked = arguments.flag("--yes");
    const std::vector<std::string> words = arguments.finish(0, 1);
    const std::string profile = words.empty() ? userProfileFromEnvironment() : words.front();
    if (profile.empty())
        throw UsageError("neither USERPROFILE nor HOME is set: give the profile folder");
    const InstallFolders folders = installFoldersFor(profile);

    const InstallationPlan plan = planInstallation(folders);
    out << installationOffer(plan) << "\n";
    if (plan.installed()) {
        out << "Nothing was changed.\n";
        return 0;
    }
    if (!unasked) {
        out << "Make " << (plan.missingFolders.size() == 1 ? "it" : "them") << "? [y/N] "
            << std::flush;
        if (!answeredYes(in)) {
            out << "Nothing was made.\n";
            return 1;
        }
    }
    // A window open on a partial installation is its writer: it is not changed under it.
    const auto installation = lockInstallationOf(folders.InstallFolder);
    makeInstallation(plan);
    out << "Made.\n" << dataFileHint(folders) << "\n";
    return 0;
}

} // namespace

int runSetup(std::span<const std::string> args, std::istream& in, std::ostream& out,
             std::ostream& err) {
    return runVerb(args, out, err, Usage,
                   [&in](Arguments& arguments, std::ostream& o, std::ostream&) {
                       return setUp(arguments, in, o);
                   });
}

int runSetupCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runSetup(args, std::cin, out, err);
}

} // namespace analysis::cli
