// The day as the program holds it from start to close: the settings, the job counter, the
// analysis text cut into report files, the schedule table and the report list. The window only
// shows what the session reports; analysis-tool and tests drive the same steps without one.
#pragma once

#include "core/day/archive_load.h"
#include "core/document/report_list.h"
#include "core/installation/install_folders.h"
#include "core/installation/installation_state.h"
#include "core/installation/settings.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace analysis {

/// What the session needs from outside the core.
struct DaySessionSetup {
    InstallFolders folders;
    /// Where the desktop launcher goes; empty when the desktop has no folder for one.
    std::filesystem::path desktopFolder;
    /// Writes the embedded text name ('A', 'X', 'E', 'B' help pages, 'Z' schedule sample) to a
    /// file, replacing it; raises IoError when it cannot.
    std::function<void(char name, const std::filesystem::path& file)> extractResource;
};

/// What opening the day leaves for the window to show.
struct DayStart {
    /// The race date of the decoded data file; empty when no data file was decoded.
    std::string raceDateText;
    /// Notices for the user in order; the last is the failure that stopped start-up, if any.
    std::vector<std::string> messages;
    /// "Analysis.TXT" exists, so there is a day to archive.
    bool haveText = false;
    /// The text shown is not today's decoding: there was no data file, or it held no text.
    bool earlierText = false;
    /// The report list; empty when the text was not split.
    ReportList list;
    /// The report to show first: the list's first item, when it is a report whose file exists.
    std::optional<std::filesystem::path> firstReport;
};

class DaySession {
public:
    explicit DaySession(DaySessionSetup setup);

    /// Start-up: the job counter, the profile's leftovers removed, the settings read (or made
    /// with the defaults), the desktop launcher, the help pages and schedule sample, the data
    /// file decoded when there is one, the text split and listed when there is one. Each step
    /// needs the ones before it: the first failure ends start-up with what was reached, and is
    /// reported as the last message.
    DayStart open();

    /// Close: the settings and the job counter kept (only when start-up read or made them, so
    /// defaults never replace a user's file), then the report files joined back into the
    /// analysis text (only after a split). The settings go first: a close that fails on them
    /// leaves the report files as the window lists them. IoError on the first failure. Returns
    /// a notice for the user when the text was left as it is (see rejoin).
    std::optional<std::string> close();

    /// The list for the current settings, E reports re-cut when RecutEReports is set. Empty
    /// before a split.
    ReportList listReports();
    /// The list again for the current settings, with the user's ticks and selection of previous
    /// carried over by item text (options changed).
    ReportList relist(const ReportList& previous);
    /// The settings that decide what is listed, with RecutEReports.
    ListSettings listSettings() const;
    /// Takes the list settings the user chose: kinds, groups, the performance-lines limit and
    /// whether E reports are re-cut.
    void setListSettings(const ListSettings& chosen);
    /// Brings the archive name back as the day (see loadArchive); the session then holds the
    /// day the outcome describes. previous is the list as the user sees it.
    ArchiveLoad loadArchive(std::string_view name, const ReportList& previous);

    /// Cuts "Analysis.TXT" into report files (and loads the schedule table first); from now on
    /// E reports are re-cut when listed.
    void split();
    /// Joins the report files back into "Analysis.TXT" and deletes them; nothing when the text
    /// is not split. When not one of the day's report files is left, the text is kept as it is
    /// and the returned notice says so.
    std::optional<std::string> rejoin();

    const InstallFolders& folders() const noexcept { return setup_.folders; }
    Settings& settings() noexcept { return settings_; }
    InstallationState& installation() noexcept { return installation_; }
    const std::vector<std::string>& scheduleLines() const noexcept { return scheduleLines_; }
    /// The report codes of the split text in text order; nothing while the text is not split.
    const std::optional<std::vector<std::string>>& reportIndex() const noexcept {
        return reportIndex_;
    }
    /// Whether listing re-cuts the E reports to the performance-lines limit.
    bool RecutEReports = true;

private:
    void openSteps(DayStart& day);

    DaySessionSetup setup_;
    Settings settings_;
    InstallationState installation_;
    bool settingsReady_ = false; ///< read or created at start-up, so closing may write them
    std::vector<std::string> scheduleLines_;
    std::optional<std::vector<std::string>> reportIndex_;
};

} // namespace analysis
