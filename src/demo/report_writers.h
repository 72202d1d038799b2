// The four report kinds of a track, each appended to the analysis text.
#pragma once

#include "demo/race_card.h"

#include <string>

namespace analysis::demo {

/// The identification text that the decoder stamps with the subscriber id: "ID: " followed
/// by the stamp marker byte and three bytes that the stamp overwrites.
inline constexpr char IdentificationMark[] = "ID: \x01"
                                             "---";

/// The code of a track's report of one kind: "A01Aqu" for the whole card, "E01Aqu07" for
/// race 7 alone. The race number follows the track so that a track's reports sort together.
std::string reportCode(char kind, const std::string& track, int raceNumber = 0);

/// The A report ("A01Aqu"): value-line blocks of pace and speed figures for every race.
void appendValueReport(std::string& text, const TrackCard& card);

/// The X report ("X01Aqu"): the A report's layout for the main-track (dirt) races only.
void appendMainTrackReport(std::string& text, const TrackCard& card);

/// The E report of one race ("E01Aqu07"): the race information box, then one box per horse
/// holding its performance lines.
void appendPerformanceReport(std::string& text, const TrackCard& card, const Race& race);

/// The B report of one race ("B01Aqu07"): the field ranked by its figures, then the horses'
/// boxes in that order, each with its whole record.
void appendSummaryReport(std::string& text, const TrackCard& card, const Race& race);

/// The boxed race information (date, race and track, distance, reference line) that opens the
/// E and B reports.
void appendRaceInfoBox(std::string& text, const TrackCard& card, const Race& race);

/// The box of one horse: a header line (days since its last race, age, sex, name, trainers),
/// its performance lines newest first with spacer lines marking layoffs, and a closing line
/// with its best and average figures.
void appendHorseBox(std::string& text, const TrackCard& card, const Horse& horse, int reference);

/// The separator line that opens a report, "\f@" + code, and the report's title line with the
/// identification mark and the race day.
void appendReportStart(std::string& text, const std::string& code, const std::string& title,
                       const TrackCard& card);

} // namespace analysis::demo
