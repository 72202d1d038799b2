// analysis-tool archive-name, archive-save and archive-restore.
#include "cli/archive_command.h"

#include "cli/arguments.h"
#include "cli/installation_guard.h"
#include "core/tools/archive.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace analysis::cli {
namespace {

constexpr const char* NameUsage =
    "usage: analysis-tool archive-name [--] NAME\n"
    "  Exit status 0 when NAME may name an archive file, 1 when it may not (the reason goes to\n"
    "  standard error): UTF-8 text of at most 12 characters, no blank or control character,\n"
    "  none of \" * + , / : ; < = > ? \\ |, and at most one dot, not first and followed by at\n"
    "  most 3 characters. Put -- before a NAME that begins with a dash.\n";

constexpr const char* SaveUsage =
    "usage: analysis-tool archive-save OUT FILE...\n"
    "  Writes the report files one after another into the archive file OUT, as the window's\n"
    "  Save writes the ticked reports; every line ends in CR LF. A FILE that does not exist\n"
    "  adds nothing. OUT's folder must exist; OUT is replaced only once complete.\n";

constexpr const char* RestoreUsage =
    "usage: analysis-tool archive-restore ARCHIVE TXT\n"
    "  Copies the archive file ARCHIVE over the analysis text TXT, every line ended in CR LF,\n"
    "  as the window's Load does before it cuts the text into reports. TXT is replaced only\n"
    "  once complete.\n";

int saveVerb(Arguments& arguments, std::ostream&, std::ostream&) {
    const std::vector<std::string> words =
        arguments.finish(1, std::numeric_limits<std::size_t>::max());
    const std::vector<std::filesystem::path> reports(words.begin() + 1, words.end());
    const auto installation = lockInstallationAround(words[0]);
    WriteReportsToFile(words[0], reports);
    return 0;
}

int restoreVerb(Arguments& arguments, std::ostream&, std::ostream&) {
    const std::vector<std::string> words = arguments.finish(2, 2);
    const auto installation = lockInstallationAround(words[1]);
    RestoreAnalysisText(words[0], words[1]);
    return 0;
}

} // namespace

int runArchiveNameCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        out << NameUsage;
        return 0;
    }
    // A name may begin with a dash, so the words are not read as options.
    std::span<const std::string> names = args;
    if (!names.empty() && names.front() == "--")
        names = names.subspan(1);
    if (names.size() != 1) {
        err << "analysis-tool: archive-name takes one NAME\n" << NameUsage;
        return 2;
    }
    const std::string_view fault = archiveNameFault(names.front());
    if (fault.empty())
        return 0;
    err << "analysis-tool: " << InvalidArchiveName(names.front(), fault).what() << "\n";
    return 1;
}

int runArchiveSaveCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, SaveUsage, saveVerb);
}

int runArchiveRestoreCommand(std::span<const std::string> args, std::ostream& out,
                             std::ostream& err) {
    return runVerb(args, out, err, RestoreUsage, restoreVerb);
}

} // namespace analysis::cli
