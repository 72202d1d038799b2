// The whole analysis text of a generated day: banner, then the four reports of every track.
#include "demo/demo_day.h"
#include "demo/race_card.h"
#include "demo/report_writers.h"
#include "demo/text_line.h"

namespace analysis::demo {
namespace {

// The service's cover lines; they stand before the first report and belong to none.
void appendBanner(std::string& text, const DayShape& shape) {
    TextLine heading;
    heading.at(3, "QUILLMARSH HANDICAPPING SERVICE").at(45, "Daily analysis " + cardDateText());
    appendLine(text, heading.trimmed());
    std::string tracks = "  Tracks:";
    for (const std::string& track : shape.tracks) {
        if (tracks.size() + 4 > 78) {
            appendLine(text, tracks);
            tracks = "         ";
        }
        tracks += " " + track;
    }
    appendLine(text, tracks);
    appendLine(text, "  Reports: " + std::to_string(4 * shape.tracks.size()) +
                         "   (A, X, E and B for each track)");
    appendLine(text, "");
}

} // namespace

std::string makeAnalysisText(const DayShape& shape) {
    std::string text;
    // About 1 KB of text per horse and race in the four reports together.
    text.reserve(shape.tracks.size() * std::size_t(shape.racesPerTrack) *
                 std::size_t(shape.horsesPerRace) *
                 std::size_t(400 + 100 * shape.performancesPerHorse));
    appendBanner(text, shape);
    RandomSource random(shape.seed);
    for (const std::string& track : shape.tracks) {
        std::vector<Race> card = makeCard(track, shape, random);
        appendValueReport(text, card);
        appendMainTrackReport(text, card);
        appendPerformanceReport(text, card);
        appendSummaryReport(text, card);
    }
    return text;
}

} // namespace analysis::demo
