// The day from start to close.
#include "core/day/day_session.h"

#include "core/common/file_io.h"
#include "core/document/decoder.h"
#include "core/document/list_choices.h"
#include "core/document/report_index.h"
#include "core/installation/desktop_launcher.h"
#include "core/schedule/schedule_table.h"

#include <exception>
#include <new>

namespace analysis {
namespace {

constexpr const char* LauncherName = "Quillmarsh ANALYSIS";

std::string missingRecordsNotice(const std::filesystem::path& dataFile,
                                 const DecodeResult& decoded) {
    return "The data file " + dataFile.string() +
           " is incomplete: " + std::to_string(decoded.missingRecords) + " of its " +
           std::to_string(decoded.RecordCount) +
           " records are missing. The reports it holds are shown; ask the service for the "
           "whole file.";
}

std::string emptyDataFileNotice(const std::filesystem::path& dataFile) {
    return "The data file " + dataFile.string() +
           " holds no analysis: it ends after its header. The analysis kept from before is "
           "shown; ask the service for the whole file.";
}

std::string folderInsteadOfDataFile(const std::filesystem::path& dataFile, bool earlierText) {
    return "The data file " + dataFile.string() +
           " is a folder, not a file, so no new day was decoded. " +
           (earlierText ? "The analysis shown is the one left from before; remove the folder "
                          "and copy the day's data file in its place."
                        : "Remove the folder and copy the day's data file in its place.");
}

} // namespace

DaySession::DaySession(DaySessionSetup setup) : setup_(std::move(setup)) {}

DayStart DaySession::open() {
    DayStart day;
    try {
        openSteps(day);
    } catch (const std::bad_alloc&) {
        day.messages.push_back("Not enough memory to open the day");
    } catch (const std::exception& error) {
        day.messages.push_back(error.what());
    }
    day.haveText = FileExists(setup_.folders.file(files::AnalysisText));
    return day;
}

void DaySession::openSteps(DayStart& day) {
    const InstallFolders& folders = setup_.folders;
    installation_ = readInstallationState(folders.file(files::InstallationState));
    removeLeftoverFiles(folders.ProfileFolder);

    auto settingsFile = folders.file(files::Settings);
    if (FileExists(settingsFile))
        settings_ = ReadSettings(settingsFile);
    else
        WriteSettings(settingsFile, settings_);
    settingsReady_ = true;

    if (!setup_.desktopFolder.empty()) {
        auto icon = folders.file(files::ProgramIcon);
        CreateDesktopShortcut(setup_.desktopFolder, folders.file(files::Program), LauncherName,
                              FileExists(icon) ? icon : std::filesystem::path());
    }

    if (setup_.extractResource) {
        setup_.extractResource('A', folders.file(files::HelpA));
        setup_.extractResource('X', folders.file(files::HelpX));
        setup_.extractResource('E', folders.file(files::HelpE));
        setup_.extractResource('B', folders.file(files::HelpB));
        setup_.extractResource('Z', folders.file(files::Schedule));
    }

    auto dataFile = folders.file(files::DataFile);
    day.earlierText = true;
    std::error_code noStatus;
    if (std::filesystem::is_directory(dataFile, noStatus))
        // Skipping it without a word would show the text left from an earlier day as today's.
        day.messages.push_back(
            folderInsteadOfDataFile(dataFile, FileExists(folders.file(files::AnalysisText))));
    if (FileExists(dataFile)) {
        DecodeResult decoded =
            DecodeDailyData(dataFile, folders.file(files::AnalysisText), installation_.UserId);
        if (decoded.decodedRecords() == 0) {
            day.messages.push_back(emptyDataFileNotice(dataFile));
        } else {
            day.earlierText = false;
            day.raceDateText = decoded.raceDateText;
            if (decoded.missingRecords > 0)
                day.messages.push_back(missingRecordsNotice(dataFile, decoded));
        }
    }

    if (FileExists(folders.file(files::AnalysisText))) {
        split();
        day.list = listReports();
    }

    if (!day.list.items.empty() && !day.list.items.front().empty()) {
        auto first = folders.file(day.list.items.front());
        if (FileExists(first))
            day.firstReport = first;
    }
}

std::optional<std::string> DaySession::close() {
    if (settingsReady_) {
        WriteSettings(setup_.folders.file(files::Settings), settings_);
        writeInstallationState(setup_.folders.file(files::InstallationState), installation_);
    }
    return rejoin();
}

ReportList DaySession::listReports() {
    if (!reportIndex_)
        return {};
    return BuildReportList(setup_.folders.InstallFolder, *reportIndex_, listSettings());
}

ReportList DaySession::relist(const ReportList& previous) {
    if (!reportIndex_)
        return {};
    return relistReports(setup_.folders.InstallFolder, *reportIndex_, listSettings(), previous);
}

ListSettings DaySession::listSettings() const {
    return {settings_.ReportKinds, settings_.TrackGroups, settings_.EmaxLines, RecutEReports};
}

void DaySession::setListSettings(const ListSettings& chosen) {
    settings_.ReportKinds = chosen.ReportKinds;
    settings_.TrackGroups = chosen.TrackGroups;
    settings_.EmaxLines = static_cast<std::uint16_t>(chosen.EmaxLines);
    RecutEReports = chosen.RecutEReports;
}

ArchiveLoad DaySession::loadArchive(std::string_view name, const ReportList& previous) {
    ArchiveLoad outcome = analysis::loadArchive(setup_.folders.InstallFolder, name, reportIndex_,
                                                previous, listSettings());
    if (outcome.day) {
        reportIndex_ = outcome.day->ReportIndex;
        scheduleLines_ = outcome.day->ScheduleLines;
        RecutEReports = true;
    }
    return outcome;
}

void DaySession::split() {
    scheduleLines_ = LoadSchedule(setup_.folders.file(files::Schedule));
    reportIndex_ = SplitAnalysis(setup_.folders.InstallFolder);
    RecutEReports = true;
}

std::optional<std::string> DaySession::rejoin() {
    if (!reportIndex_)
        return std::nullopt;
    const RejoinOutcome outcome = RejoinAnalysis(setup_.folders.InstallFolder, *reportIndex_);
    reportIndex_.reset();
    if (outcome != RejoinOutcome::ReportFilesMissing)
        return std::nullopt;
    return "None of the day's report files is left in " + setup_.folders.InstallFolder.string() +
           ", so " + setup_.folders.file(files::AnalysisText).string() +
           " was left as it is. Another program may have put the day away already.";
}

} // namespace analysis
