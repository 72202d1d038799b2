// The four report kinds of a track, each appended to the analysis text.
#pragma once

#include "demo/race_card.h"

#include <string>
#include <vector>

namespace analysis::demo {

/// The identification text that the decoder stamps with the subscriber id: "ID: " followed
/// by the stamp marker byte and three bytes that the stamp overwrites.
inline constexpr char IdentificationMark[] = "ID: \x01"
                                             "---";

/// The A report ("A01Aqu"): value-line blocks of pace and speed figures for every race.
void appendValueReport(std::string& text, const std::vector<Race>& card);

/// The X report ("X01Aqu"): the A report's layout for the main-track (dirt) races only.
void appendMainTrackReport(std::string& text, const std::vector<Race>& card);

/// The E report ("E01Aqu"): per race an information box, then one box per horse holding its
/// performance lines.
void appendPerformanceReport(std::string& text, const std::vector<Race>& card);

/// The B report ("B01Aqu"): one summary page per race.
void appendSummaryReport(std::string& text, const std::vector<Race>& card);

/// The boxed race information (date, race and track, distance, reference line) shared by the
/// E and B reports.
void appendRaceInfoBox(std::string& text, const Race& race);

/// The separator line that opens a report, "\f@" + kind + "01" + track, and the report's title.
void appendReportStart(std::string& text, char kind, const std::string& track,
                       const std::string& title);

} // namespace analysis::demo
