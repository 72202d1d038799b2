// The archive load sequence: rejoin, restore, split, list, and the way back when it fails.
#include "core/day/archive_load.h"

#include "core/common/file_io.h"
#include "core/common/text_lines.h"
#include "core/document/list_choices.h"
#include "core/document/report_files.h"
#include "core/document/report_index.h"
#include "core/installation/install_folders.h"
#include "core/schedule/schedule_table.h"
#include "core/tools/archive.h"

#include <algorithm>
#include <exception>
#include <system_error>

namespace analysis {
namespace fs = std::filesystem;
namespace {

/// Refuses an archive that holds no report, or whose report codes could not name their files,
/// before the day is touched; the split would refuse the codes only after the archive had
/// replaced the day's text, and would take no report as an empty day.
void checkArchiveReports(const fs::path& archive) {
    const std::string text = readFile(archive);
    LineReader lines(text);
    std::string_view line;
    bool reportSeen = false;
    while (lines.next(line)) {
        if (std::string code = reportCodeOf(line); !code.empty()) {
            checkReportCode(code);
            reportSeen = true;
        }
    }
    if (!reportSeen)
        throw ArchiveRefused(archive, "holds no report");
}

/// RejoinAnalysis deletes report files only once the joined text has replaced the old one, so
/// while every report still has a file the failure came before anything changed.
bool everyReportHasAFile(const fs::path& installFolder, const std::vector<std::string>& index) {
    for (const std::string& code : index)
        if (!fileExists(workingFile(installFolder, code)) &&
            !fileExists(twinFile(installFolder, code)))
            return false;
    return true;
}

/// Cuts the day's text into report files and lists them; what was reached stays in day when a
/// step fails, so the files that exist are the ones closing joins back.
void splitAndList(const fs::path& installFolder, const ListSettings& settings, SplitDay& day) {
    day.ReportIndex = SplitAnalysis(installFolder);
    day.list = BuildReportList(installFolder, *day.ReportIndex, settings);
}

std::string archiveFault(std::string_view name, const std::exception& error) {
    return "The archive " + std::string(name) + " could not be loaded: " + error.what() + ".";
}

ArchiveLoad nothingChanged(std::string_view name, const std::exception& error) {
    return {{ArchiveLoad::Status::Failed, archiveFault(name, error) + " Nothing was changed."},
            std::nullopt};
}

/// The archive did not take the place of the rejoined text: cut that text again, so the day
/// the user had is listed as before.
ArchiveLoad keepTheDay(const fs::path& installFolder, std::string error,
                       std::vector<std::string> scheduleLines, const ListSettings& settings,
                       const ReportList& currentList) {
    ArchiveLoad outcome{{ArchiveLoad::Status::Failed, std::move(error)}, SplitDay{}};
    outcome.day->ScheduleLines = std::move(scheduleLines);
    try {
        splitAndList(installFolder, settings, *outcome.day);
        outcome.day->list = carryOverChoices(currentList, std::move(outcome.day->list));
        outcome.message += " The day's analysis was kept.";
    } catch (const std::exception& again) {
        outcome.message += " The day's analysis is whole in " +
                           (installFolder / files::AnalysisText).string() +
                           " but could not be cut into reports again: " + again.what() + ".";
    }
    return outcome;
}

/// Report kind letters as a reader takes them: "A, X and E".
std::string kindNames(std::string_view kinds) {
    std::string names;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (i > 0)
            names += i + 1 == kinds.size() ? " and " : ", ";
        names += kinds[i];
    }
    return names;
}

} // namespace

ArchiveRefused::ArchiveRefused(fs::path archive, std::string_view fault)
    : AnalysisError("The archive " + archive.string() + " " + std::string(fault) +
                    "; the day's analysis was kept as it was"),
      archive_(std::move(archive)) {}

ArchiveLoad loadArchive(const fs::path& installFolder, std::string_view name,
                        const std::optional<std::vector<std::string>>& currentIndex,
                        const ReportList& currentList, ListSettings settings) {
    const fs::path archive = archiveFile(installFolder, name);
    requireFolderOf(archive);
    std::error_code notThere;
    if (fs::is_directory(archive, notThere))
        throw ArchiveRefused(archive, "is a folder, not an archive file");
    if (!fileExists(archive))
        return {{ArchiveLoad::Status::NotFound, "There is no archive named \"" + std::string(name) +
                                                    "\" in " + archive.parent_path().string() +
                                                    "; the day's analysis was kept as it was."},
                {}};
    checkArchiveReports(archive);
    std::vector<std::string> scheduleLines = LoadSchedule(installFolder / files::Schedule);
    // The loaded reports come from their untrimmed twins: every E report is cut afresh.
    settings.RecutEReports = true;

    // Without the day's text there is nothing to join the report files into, and they stay.
    const bool rejoining = currentIndex && fileExists(installFolder / files::AnalysisText);
    if (rejoining) {
        try {
            RejoinAnalysis(installFolder, *currentIndex);
        } catch (const std::exception& error) {
            if (everyReportHasAFile(installFolder, *currentIndex))
                return nothingChanged(name, error);
            return keepTheDay(installFolder, archiveFault(name, error), std::move(scheduleLines),
                              settings, currentList);
        }
    }
    try {
        RestoreAnalysisText(archive, installFolder / files::AnalysisText);
    } catch (const std::exception& error) {
        // The text is replaced whole or not at all: without a rejoin the day is as it was.
        if (!rejoining)
            return nothingChanged(name, error);
        return keepTheDay(installFolder, archiveFault(name, error), std::move(scheduleLines),
                          settings, currentList);
    }

    ArchiveLoad outcome{{ArchiveLoad::Status::Loaded, {}}, SplitDay{}};
    outcome.day->ScheduleLines = std::move(scheduleLines);
    try {
        splitAndList(installFolder, settings, *outcome.day);
    } catch (const std::exception& error) {
        outcome.status = ArchiveLoad::Status::Failed;
        outcome.message = "The archive " + std::string(name) + " is now the day's analysis in " +
                          (installFolder / files::AnalysisText).string() +
                          " but could not be cut into reports: " + error.what() + ".";
    }
    return outcome;
}

std::optional<std::string> hiddenArchiveNotice(std::span<const std::string> reportIndex,
                                               const ReportList& list,
                                               const ListSettings& settings) {
    const bool anyListed = std::any_of(list.items.begin(), list.items.end(),
                                       [](const std::string& item) { return !item.empty(); });
    if (anyListed || reportIndex.empty())
        return std::nullopt;
    std::string heldKinds;
    for (const std::string& code : reportIndex)
        if (!code.empty() && heldKinds.find(code[0]) == std::string::npos)
            heldKinds += code[0];
    std::sort(heldKinds.begin(), heldKinds.end());
    std::string hiddenKinds;
    for (char kind : heldKinds)
        if (settings.ReportKinds.find(kind) == std::string::npos)
            hiddenKinds += kind;
    const std::string loaded = "The archive's " + std::to_string(reportIndex.size()) +
                               " reports are loaded, but none is "
                               "listed: ";
    if (!hiddenKinds.empty())
        return loaded + "it holds " + kindNames(heldKinds) + " reports, and the Options show " +
               (settings.ReportKinds.empty() ? std::string("no report kinds")
                                             : "only " + kindNames(settings.ReportKinds)) +
               ". Tick " + kindNames(hiddenKinds) + " under Options to show them.";
    if (heldKinds == "X")
        return loaded + "it holds only X reports, which are listed beside their track's A "
                        "report. Load an archive saved with the A reports to see them.";
    return loaded + "their tracks are not in the track groups ticked under Options. Tick "
                    "their groups there to show them.";
}

} // namespace analysis
