// The state of the day as one value: what the window shows and what each print, save and load
// starts from. The session owns it; the window renders it and never keeps a copy of its own.
#pragma once

#include "core/document/report_list.h"
#include "core/print/print_modes.h"
#include "core/schedule/schedule_layout.h"
#include "core/tools/report_search.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace analysis {

/// The paper choices of PCL output, as the PCL printer options offer them.
struct PclPaper {
    bool legal = false;
    bool duplex = false;

    friend bool operator==(const PclPaper&, const PclPaper&) = default;
};

/// The installed printers and the application's current one, shared by every kind of printing.
struct PrinterChoice {
    std::vector<std::string> names; ///< the installed printers, in a stable order
    int current = -1;               ///< index into names; -1 when there is none

    /// The current printer's name; empty when there is none.
    std::string currentName() const {
        return current >= 0 && current < static_cast<int>(names.size())
                   ? names[static_cast<std::size_t>(current)]
                   : std::string();
    }

    friend bool operator==(const PrinterChoice&, const PrinterChoice&) = default;
};

/// The one print setting of the day.
struct PrintSetup {
    /// The mode, and the legal-paper and duplex flags as the last mode change or job left them:
    /// the print of the report in view takes them as they stand.
    PrintSettings current;
    /// The paper chosen in the PCL printer options, which every print of the ticked reports and
    /// every mode change takes afresh.
    PclPaper paper;
    PrinterChoice printers;

    friend bool operator==(const PrintSetup&, const PrintSetup&) = default;
};

/// A search of the text across the day's reports, as the user last asked for it.
struct DaySearch {
    /// Code page 437 bytes.
    std::string text;
    bool caseSensitive = false;
    /// In the order of the reports in the analysis text, and down each report.
    std::vector<ReportHit> hits;
    /// The reports hold more hits than the first DaySearchHitLimit kept here.
    bool moreHits = false;
};

/// The hits a search keeps: a list longer than this is no use to read, and a text found on
/// every line would otherwise hold the whole day twice over.
inline constexpr std::size_t DaySearchHitLimit = 10000;

struct Day {
    /// The race date of the day decoded at start-up; empty when none was decoded.
    std::string raceDateText;
    /// The race date as headings show it: "Race Date" until a day is decoded.
    std::string raceDateCaption() const {
        return raceDateText.empty() ? std::string("Race Date") : raceDateText;
    }
    /// "Analysis.TXT" exists, so there is a day to archive.
    bool haveText = false;
    /// The day opened last decoded no new text (no data file, or one that held none): what is
    /// shown, if anything, is the text kept from an earlier day. It holds until a day is opened
    /// again, whatever is loaded in between.
    bool earlierText = false;
    /// The report list with the user's ticks and selection.
    ReportList list;
    /// The file the viewer shows, the one "PRINT Current View  Only" prints; empty before one
    /// is shown. A help page shown counts; the extracted schedule does not.
    std::filesystem::path ViewFile;
    /// The bytes the viewer shows (code page 437): ViewFile's, or the schedule just extracted;
    /// nothing before anything was shown, when the viewer keeps its empty ruler.
    std::optional<std::string> viewer;
    /// Backspace in the list returns to the report marked by the Backspace before it.
    int BackIndex = -1;
    int MarkIndex = -1;
    /// Counts the loads of the viewer: a report shown again is loaded again, from its top.
    unsigned viewerLoads = 0;
    PrintSetup print;
    /// The schedule layout settings; not saved, so every start has the defaults.
    ScheduleLayoutOptions simoLayout;
    /// The 2-up box of the schedule layout dialog as the user left it, which the schedule print
    /// goes by: closing the dialog without OK drops the other choices, not this one.
    bool simoTwoUpBox = false;
    /// The last search across the day; nothing before the first. Shared rather than copied, so
    /// that a copy of the Day (the window keeps one to compare with) stays cheap however many
    /// hits it holds; a new search is a new one, never a change to this one.
    std::shared_ptr<const DaySearch> search;
    /// The hit of search shown last, from which the next one is counted; -1 before the first.
    int currentHit = -1;
    /// The viewer shows currentHit's report, loaded for it: the match is to be selected there.
    bool hitInView = false;

    friend bool operator==(const Day&, const Day&) = default;
};

} // namespace analysis
