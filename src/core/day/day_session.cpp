// The day from start to close.
#include "core/day/day_session.h"

#include "core/common/file_io.h"
#include "core/common/temporary_files.h"
#include "core/document/decoder.h"
#include "core/document/list_choices.h"
#include "core/document/report_files.h"
#include "core/document/report_index.h"
#include "core/installation/desktop_launcher.h"
#include "core/schedule/schedule_table.h"
#include "core/tools/archive.h"
#include "core/tools/report_search.h"
#include "core/tools/rescale.h"

#include <algorithm>
#include <exception>
#include <new>
#include <unordered_map>
#include <unordered_set>

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

std::string emptyDataFileNotice(const std::filesystem::path& dataFile, bool earlierText) {
    return "The data file " + dataFile.string() + " holds no analysis: it ends after its header. " +
           (earlierText ? "The analysis kept from before is shown; ask the service for the "
                          "whole file."
                        : "There is no earlier analysis to show; ask the service for the whole "
                          "file.");
}

std::string folderInsteadOfDataFile(const std::filesystem::path& dataFile, bool earlierText) {
    return "The data file " + dataFile.string() +
           " is a folder, not a file, so no new day was decoded. " +
           (earlierText ? "The analysis shown is the one left from before; remove the folder "
                          "and copy the day's data file in its place."
                        : "Remove the folder and copy the day's data file in its place.");
}

/// The files of the cut reports in the order they are written: the listed reports first, in list
/// order, so that what the user looks at first is on disk first; then the reports not listed.
/// A listed E report's working file is written re-cut, so it is written once.
std::vector<ReportFileWriter::File> reportFilesInWritingOrder(const std::filesystem::path& folder,
                                                              const std::vector<std::string>& index,
                                                              const ReportList& list,
                                                              const ListSettings& settings) {
    std::unordered_map<std::string_view, std::size_t> byCode;
    for (std::size_t i = 0; i < index.size(); ++i)
        byCode.emplace(index[i], i);
    std::vector<std::size_t> order;
    std::unordered_set<std::size_t> listed;
    for (const std::string& item : list.items)
        if (const auto found = byCode.find(item); found != byCode.end())
            if (listed.insert(found->second).second)
                order.push_back(found->second);
    for (std::size_t i = 0; i < index.size(); ++i)
        if (!listed.contains(i))
            order.push_back(i);

    std::vector<ReportFileWriter::File> files;
    files.reserve(2 * index.size());
    for (std::size_t i : order) {
        const std::string& code = index[i];
        const bool recut = settings.RecutEReports && code.starts_with('E') && listed.contains(i);
        files.push_back({workingFile(folder, code), i,
                         recut ? std::optional<int>(settings.EmaxLines) : std::nullopt});
        files.push_back({twinFile(folder, code), i, std::nullopt});
    }
    return files;
}

} // namespace

DaySession::DaySession(DaySessionSetup setup) : setup_(std::move(setup)) {
    day_.print.printers = setup_.printers;
}

DayStart DaySession::open() {
    DayStart start = runOpening(&DaySession::openSteps);
    showFirstReport(start.notices);
    return start;
}

DayStart DaySession::runOpening(void (DaySession::*steps)(DayStart&)) {
    DayStart start;
    try {
        (this->*steps)(start);
    } catch (const std::bad_alloc&) {
        start.status = DayStart::Status::Stopped;
        start.message = "Not enough memory to open the day";
    } catch (const std::exception& error) {
        start.status = DayStart::Status::Stopped;
        start.message = error.what();
    }
    day_.haveText = fileExists(setup_.folders.file(files::AnalysisText));
    day_.earlierText = start.earlierText;
    return start;
}

void DaySession::showFirstReport(std::vector<std::string>& notices) {
    // The list's first item is shown first, when it is a report whose file exists. One that
    // cannot be read is said before the rest: the day is open all the same.
    if (isReport(0)) {
        try {
            showReportAt(0);
        } catch (const std::exception& error) {
            notices.insert(notices.begin(), error.what());
        }
    }
}

void DaySession::openSteps(DayStart& start) {
    const InstallFolders& folders = setup_.folders;
    installation_ = readInstallationState(folders.file(files::InstallationState));
    removeLeftoverFiles(folders.ProfileFolder);

    auto settingsFile = folders.file(files::Settings);
    if (fileExists(settingsFile))
        settings_ = ReadSettings(settingsFile);
    else
        WriteSettings(settingsFile, settings_);
    settingsReady_ = true;
    day_.print.current = printSettingsFrom(settings_.PrintOptions);
    day_.print.paper = {day_.print.current.legal, day_.print.current.duplex};

    if (!setup_.desktopFolder.empty()) {
        auto icon = folders.file(files::ProgramIcon);
        // A launcher of a program that is not there would start nothing.
        auto program = folders.file(files::Program);
        if (!fileExists(program) && !setup_.runningProgram.empty())
            program = setup_.runningProgram;
        CreateDesktopShortcut(setup_.desktopFolder, program, LauncherName,
                              fileExists(icon) ? icon : std::filesystem::path());
    }

    if (setup_.extractResource) {
        setup_.extractResource('A', folders.file(files::HelpA));
        setup_.extractResource('X', folders.file(files::HelpX));
        setup_.extractResource('E', folders.file(files::HelpE));
        setup_.extractResource('B', folders.file(files::HelpB));
        setup_.extractResource('Z', folders.file(files::Schedule));
    }
    openDaySteps(start);
}

void DaySession::openDaySteps(DayStart& start) {
    const InstallFolders& folders = setup_.folders;
    auto dataFile = folders.file(files::DataFile);
    start.earlierText = true;
    std::error_code noStatus;
    if (std::filesystem::is_directory(dataFile, noStatus))
        // Skipping it without a word would show the text left from an earlier day as today's.
        start.notices.push_back(
            folderInsteadOfDataFile(dataFile, fileExists(folders.file(files::AnalysisText))));
    if (fileExists(dataFile)) {
        DecodeResult decoded =
            DecodeDailyData(dataFile, folders.file(files::AnalysisText), installation_.UserId);
        if (decoded.decodedRecords() == 0) {
            start.notices.push_back(
                emptyDataFileNotice(dataFile, fileExists(folders.file(files::AnalysisText))));
        } else {
            start.earlierText = false;
            day_.raceDateText = decoded.raceDateText;
            if (decoded.missingRecords > 0)
                start.notices.push_back(missingRecordsNotice(dataFile, decoded));
        }
    }

    if (fileExists(folders.file(files::AnalysisText)))
        split();
}

std::optional<std::string> DaySession::close() {
    keepSettings();
    return putDayAway();
}

std::optional<std::string> DaySession::closeWithoutSettings() {
    return putDayAway();
}

void DaySession::keepSettings() {
    if (!settingsReady_)
        return;
    try {
        WriteSettings(setup_.folders.file(files::Settings), settings_);
        writeInstallationState(setup_.folders.file(files::InstallationState), installation_);
    } catch (const std::exception& error) {
        throw SettingsNotKept(error.what());
    }
}

std::optional<std::string> DaySession::putDayAway() {
    return rejoin();
}

bool DaySession::isReport(int row) const {
    return row >= 0 && row < static_cast<int>(day_.list.items.size()) &&
           !day_.list.items[static_cast<std::size_t>(row)].empty();
}

void DaySession::show(const std::filesystem::path& path) {
    std::optional<std::string> unwritten =
        reportFiles_ ? reportFiles_->unwritten(path) : std::nullopt;
    day_.viewer = unwritten ? std::move(*unwritten) : readFile(path);
    day_.ViewFile = path;
    ++day_.viewerLoads;
    day_.hitInView = false;
}

bool DaySession::reportFileThere(const std::filesystem::path& path) const {
    // Asked before every report shown: a file still to be written is there without making its
    // bytes (a re-cut E report's would be cut once for the question and again to show it).
    return (reportFiles_ && reportFiles_->isUnwritten(path)) || fileExists(path);
}

void DaySession::showReportAt(int row) {
    if (!isReport(row))
        return;
    auto path = setup_.folders.file(day_.list.items[static_cast<std::size_t>(row)]);
    if (reportFileThere(path))
        show(path);
}

void DaySession::select(int row) {
    day_.list.selected = row;
    showReportAt(row);
}

void DaySession::tick(int row, bool ticked) {
    if (isReport(row))
        day_.list.ticked[static_cast<std::size_t>(row)] = ticked;
}

void DaySession::tickAll(bool ticked) {
    for (std::size_t row = 0; row < day_.list.items.size(); ++row)
        if (!day_.list.items[row].empty())
            day_.list.ticked[row] = ticked;
}

void DaySession::goBack() {
    day_.BackIndex = day_.MarkIndex;
    day_.MarkIndex = day_.list.selected;
    if (day_.BackIndex >= 0) {
        day_.list.selected = day_.BackIndex;
        showReportAt(day_.BackIndex);
    }
}

void DaySession::showHelpPage(std::string_view page) {
    auto path = setup_.folders.file(page);
    if (fileExists(path))
        show(path);
}

const DaySearch& DaySession::findInDay(std::string_view text, bool caseSensitive) {
    auto search = std::make_shared<DaySearch>();
    search->text = std::string(text);
    search->caseSensitive = caseSensitive;
    waitForReportFiles();
    if (reportIndex_) {
        searchReportFiles(setup_.folders.InstallFolder, *reportIndex_,
                          ReportSearch(text, caseSensitive), [&search](const ReportHit& hit) {
                              if (search->hits.size() == DaySearchHitLimit) {
                                  search->moreHits = true;
                                  return false;
                              }
                              search->hits.push_back(hit);
                              return true;
                          });
    }
    day_.search = std::move(search);
    day_.currentHit = -1;
    day_.hitInView = false;
    return *day_.search;
}

void DaySession::showHit(int index) {
    if (!day_.search || index < 0 || index >= static_cast<int>(day_.search->hits.size()))
        return;
    day_.currentHit = index;
    const ReportHit& hit = day_.search->hits[static_cast<std::size_t>(index)];
    const std::filesystem::path path = workingFile(setup_.folders.InstallFolder, hit.code);
    if (!reportFileThere(path))
        return;
    const auto listed = std::find(day_.list.items.begin(), day_.list.items.end(), hit.code);
    if (listed != day_.list.items.end())
        day_.list.selected = static_cast<int>(listed - day_.list.items.begin());
    show(path);
    day_.hitInView = true;
}

bool DaySession::showNextHit(bool backward) {
    if (!day_.search || day_.search->hits.empty())
        return false;
    const int count = static_cast<int>(day_.search->hits.size());
    int next = 0;
    if (day_.currentHit < 0)
        next = backward ? count - 1 : 0;
    else
        next = (day_.currentHit + (backward ? count - 1 : 1)) % count;
    showHit(next);
    return true;
}

void DaySession::chooseMode(int fontMode) {
    day_.print.current = {fontMode, day_.print.paper.legal, day_.print.paper.duplex};
    settings_.PrintOptions = printOptionsWord(day_.print.current);
}

void DaySession::choosePaper(PclPaper paper) {
    day_.print.paper = paper;
}

void DaySession::choosePrinter(int index) {
    day_.print.printers.current = index;
}

void DaySession::chooseListSettings(const ListSettings& chosen) {
    settings_.ReportKinds = chosen.ReportKinds;
    settings_.TrackGroups = chosen.TrackGroups;
    settings_.EmaxLines = static_cast<std::uint16_t>(chosen.EmaxLines);
    RecutEReports = chosen.RecutEReports;
    waitForReportFiles();
    if (!reportIndex_)
        return;
    day_.list =
        relistReports(setup_.folders.InstallFolder, *reportIndex_, listSettings(), day_.list);
    showReportAt(day_.list.selected);
}

void DaySession::chooseEmaxLines(int lines) {
    settings_.EmaxLines = static_cast<std::uint16_t>(lines);
}

void DaySession::chooseScheduleLayout(const ScheduleLayoutOptions& layout) {
    day_.simoLayout = layout;
}

void DaySession::chooseScheduleTwoUpBox(bool ticked) {
    day_.simoTwoUpBox = ticked;
}

PrintJobRequest DaySession::tickedJob() const {
    PrintJobRequest request;
    request.reportFiles = tickedReportFiles(setup_.folders.InstallFolder, day_.list);
    request.settings = {day_.print.current.fontMode, day_.print.paper.legal,
                        day_.print.paper.duplex};
    return request;
}

PrintJobRequest DaySession::currentViewJob() const {
    PrintJobRequest request;
    request.stamped = false;
    if (!day_.ViewFile.empty())
        request.reportFiles.push_back(day_.ViewFile);
    request.settings = day_.print.current;
    return request;
}

PrintJobRequest DaySession::previewJob() const {
    PrintJobRequest ticked = tickedJob();
    return ticked.reportFiles.empty() ? currentViewJob() : ticked;
}

PrintJobOutcome DaySession::print(const PrintJobRequest& request, PrinterCanvas& canvas,
                                  pcl::RawSpooler& spooler, const JobClock& clock,
                                  std::function<void()> printFileReady) {
    waitForReportFiles();
    PrinterOutput printer(canvas, spooler, day_.print.printers.currentName(), setup_.printerState);
    PrintJobContext context{setup_.folders.InstallFolder,
                            clock,
                            installation_,
                            setup_.folders.file(files::InstallationState),
                            printer,
                            std::move(printFileReady)};
    PrintJobOutcome outcome = runPrintJob(request, context);
    if (outcome.status != PrintJobOutcome::Status::NothingToPrint) {
        day_.print.current.legal = request.settings.legal;
        day_.print.current.duplex = request.settings.duplex;
        if (outcome.pageIsLong)
            day_.print.current.legal = *outcome.pageIsLong;
    }
    return outcome;
}

PrintJobOutcome DaySession::output(const PrintJobRequest& job, OutputTarget& target) {
    waitForReportFiles();
    // A stamp and a job number mark a job that went to paper; a preview or a PDF, made any
    // number of times, would use up job numbers.
    PrintJobRequest unstamped = job;
    unstamped.stamped = false;
    TemporaryFolder work("analysis-output");
    SystemJobClock unused;
    InstallationState uncounted = installation_;
    PrintJobContext context{work.path(), unused, uncounted, std::nullopt, target, {}};
    return runPrintJob(unstamped, context);
}

std::optional<PrinterState> DaySession::currentPrinterState() const {
    const std::string printer = day_.print.printers.currentName();
    if (!setup_.printerState || printer.empty())
        return std::nullopt;
    return setup_.printerState(printer);
}

std::vector<std::string> DaySession::extractSchedule() {
    std::vector<std::string> codes;
    for (std::size_t row = 0; row < day_.list.items.size(); ++row)
        if (!day_.list.items[row].empty() && day_.list.ticked[row])
            codes.push_back(day_.list.items[row]);
    const auto file = setup_.folders.file(files::Schedule);
    ExtractSchedule(scheduleLines_, codes, file);
    day_.viewer = readFile(file);
    ++day_.viewerLoads;
    return LoadSchedule(file);
}

SchedulePrintResult DaySession::printSchedule(std::span<const std::string> lines,
                                              OutputTarget& target) {
    ScheduleLayoutOptions layout = day_.simoLayout;
    layout.SimoTwoUp = day_.simoTwoUpBox;
    SchedulePrintResult result;
    try {
        result = printScheduleOn(target, lines, layout, day_.raceDateCaption());
    } catch (...) {
        // The report comes back on screen whether or not the schedule reached the printer.
        if (!day_.ViewFile.empty())
            show(day_.ViewFile);
        throw;
    }
    if (!day_.ViewFile.empty())
        show(day_.ViewFile);
    return result;
}

void DaySession::saveArchive(std::string_view name) {
    waitForReportFiles();
    const std::filesystem::path& folder = setup_.folders.InstallFolder;
    WriteReportsToFile(archiveFile(folder, name), tickedReportFiles(folder, day_.list));
}

ArchiveLoad DaySession::loadArchive(std::string_view name) {
    waitForReportFiles();
    ArchiveLoad outcome = analysis::loadArchive(setup_.folders.InstallFolder, name, reportIndex_,
                                                day_.list, listSettings());
    if (outcome.day) {
        // The report files are now the archive's, cut from its text on disk.
        reportFiles_.reset();
        reportIndex_ = outcome.day->ReportIndex;
        scheduleLines_ = outcome.day->ScheduleLines;
        RecutEReports = true;
        day_.list = outcome.day->list;
        // The hits were another day's.
        day_.search.reset();
        day_.currentHit = -1;
        showReportAt(0);
    }
    return outcome;
}

std::optional<std::filesystem::path> DaySession::scratchFile() {
    waitForReportFiles();
    if (!isReport(day_.list.selected))
        return std::nullopt;
    return workingFile(setup_.folders.InstallFolder,
                       day_.list.items[static_cast<std::size_t>(day_.list.selected)]);
}

void DaySession::saveScratch(std::string_view editedBytes) {
    const std::optional<std::filesystem::path> file = scratchFile();
    if (!file)
        return;
    saveScratchEdit(*file, editedBytes);
    show(*file);
}

ReportList DaySession::listReports() {
    if (!reportIndex_)
        return {};
    return BuildReportList(setup_.folders.InstallFolder, *reportIndex_, listSettings());
}

ListSettings DaySession::listSettings() const {
    return {settings_.ReportKinds, settings_.TrackGroups, settings_.EmaxLines, RecutEReports};
}

void DaySession::split() {
    scheduleLines_ = LoadSchedule(setup_.folders.file(files::Schedule));
    std::vector<CutReport> cut = cutReports(readFile(setup_.folders.file(files::AnalysisText)));
    std::vector<std::string> index, reports;
    index.reserve(cut.size());
    reports.reserve(cut.size());
    for (CutReport& report : cut) {
        index.push_back(std::move(report.code));
        reports.push_back(std::move(report.lines));
    }
    RecutEReports = true;
    ReportList list = arrangeReportList(index, listSettings());
    std::vector<ReportFileWriter::File> files =
        reportFilesInWritingOrder(setup_.folders.InstallFolder, index, list, listSettings());
    reportFiles_ = std::make_unique<ReportFileWriter>(
        std::move(reports), std::move(files), setup_.reportFilesWritten, setup_.writeReportFile);
    reportIndex_ = std::move(index);
    day_.list = std::move(list);
    if (!setup_.writeReportFilesBehind)
        waitForReportFiles();
}

void DaySession::waitForReportFiles() {
    if (!reportFiles_)
        return;
    const bool waiting = !reportFiles_->done() && setup_.waitingForReportFiles;
    if (waiting)
        setup_.waitingForReportFiles(true);
    try {
        reportFiles_->wait();
    } catch (...) {
        if (waiting)
            setup_.waitingForReportFiles(false);
        // The writing removed what it wrote: the day is the text it was cut from.
        reportFiles_.reset();
        reportIndex_.reset();
        day_.list = {};
        throw;
    }
    if (waiting)
        setup_.waitingForReportFiles(false);
}

std::optional<std::string> DaySession::rejoin() {
    if (!reportIndex_)
        return std::nullopt;
    if (reportFiles_)
        reportFiles_->stop();
    const RejoinOutcome outcome =
        RejoinAnalysis(setup_.folders.InstallFolder, *reportIndex_,
                       [this](const std::filesystem::path& file) -> std::optional<std::string> {
                           return reportFiles_ ? reportFiles_->known(file) : std::nullopt;
                       });
    reportFiles_.reset();
    reportIndex_.reset();
    if (outcome != RejoinOutcome::ReportFilesMissing)
        return std::nullopt;
    return "None of the day's report files is left in " + setup_.folders.InstallFolder.string() +
           ", so " + setup_.folders.file(files::AnalysisText).string() +
           " was left as it is. Another program may have put the day away already.";
}

} // namespace analysis
