// The whole analysis text of a generated day: banner, then the reports of every track.
#include "demo/demo_day.h"

#include "core/common/io_error.h"
#include "demo/race_card.h"
#include "demo/race_dates.h"
#include "demo/report_writers.h"
#include "demo/text_line.h"

namespace analysis::demo {
namespace {

void requireRange(const char* what, int fewest, int most, int limit) {
    if (fewest < 0 || fewest > most || most > limit)
        throw AnalysisError(std::string("A day's ") + what + " range from " +
                            std::to_string(fewest) + " to " + std::to_string(most) +
                            " is not one of 0 to " + std::to_string(limit) + ".");
}

// Race numbers are two digits of the report codes; field sizes and records stay in what the
// reports' columns and the E report trimming (at most 14 performances) are laid out for.
void checkShape(const DayShape& shape) {
    for (const std::string& track : shape.tracks)
        if (track.size() != 3)
            throw AnalysisError("A track code has three characters; \"" + track +
                                "\" cannot name a report.");
    requireRange("races per track", shape.fewestRaces, shape.mostRaces, 99);
    requireRange("horses per race", shape.fewestHorses, shape.mostHorses, 99);
    requireRange("performances per horse", shape.fewestPerformances, shape.mostPerformances, 14);
}

// The service's cover lines; they stand before the first report and belong to none.
void appendBanner(std::string& text, const std::vector<TrackCard>& cards, std::size_t reports) {
    TextLine heading;
    heading.at(3, "QUILLMARSH HANDICAPPING SERVICE");
    if (!cards.empty())
        heading.at(45, "Daily analysis " + raceDayText(cards.front().raceDay));
    appendLine(text, heading.trimmed());
    std::string tracks = "  Tracks:";
    for (const TrackCard& card : cards) {
        if (tracks.size() + 4 > 78) {
            appendLine(text, tracks);
            tracks = "         ";
        }
        tracks += " " + card.track;
    }
    appendLine(text, tracks);
    appendLine(text, "  Reports: " + std::to_string(reports) +
                         "   (A and X for each track, E and B for each race)");
    appendLine(text, "");
}

} // namespace

std::string makeAnalysisText(const DayShape& shape) {
    checkShape(shape);
    RandomSource random(shape.seed);
    std::vector<TrackCard> cards;
    std::size_t reports = 0;
    std::size_t horses = 0;
    for (const std::string& track : shape.tracks) {
        cards.push_back(makeCard(track, shape, random));
        reports += 2 + 2 * cards.back().races.size();
        for (const Race& race : cards.back().races)
            horses += race.horses.size();
    }

    std::string text;
    // About 3 KB of text per horse in the four reports together.
    text.reserve(4096 + 3 * 1024 * horses);
    appendBanner(text, cards, reports);
    for (const TrackCard& card : cards) {
        appendValueReport(text, card);
        appendMainTrackReport(text, card);
        for (const Race& race : card.races)
            appendPerformanceReport(text, card, race);
        for (const Race& race : card.races)
            appendSummaryReport(text, card, race);
    }
    return text;
}

} // namespace analysis::demo
