// Pieces shared by several report kinds: the report code, the opening separator and title,
// the race information box.
#include "demo/race_dates.h"
#include "demo/report_writers.h"
#include "demo/text_line.h"

namespace analysis::demo {

std::string reportCode(char kind, const std::string& track, int raceNumber) {
    std::string code = std::string(1, kind) + "01" + track;
    if (raceNumber > 0)
        code += std::to_string(100 + raceNumber).substr(1);
    return code;
}

void appendReportStart(std::string& text, const std::string& code, const std::string& title,
                       const TrackCard& card) {
    appendLine(text, "\f@" + code);
    TextLine line;
    line.at(3, title).at(44, card.track).at(52, IdentificationMark);
    line.at(63, raceDayText(card.raceDay));
    appendLine(text, line.trimmed());
}

void appendRaceInfoBox(std::string& text, const TrackCard& card, const Race& race) {
    appendLine(
        text,
        TextLine().at(1, box::TopLeft).fill(2, 79, box::Horizontal).at(80, box::TopRight).full());
    TextLine info;
    info.at(1, box::Vertical).at(3, shortDate(card.raceDay, 0));
    info.at(10, "Race " + std::to_string(race.number));
    info.at(18, race.track).at(23, oneDecimal(race.furlongs) + "f");
    info.at(30, race.turf ? "Turf" : "Dirt").at(36, race.conditions.substr(0, 28));
    info.at(66, "Line: " + std::to_string(race.reference)).at(80, box::Vertical);
    appendLine(text, info.full());
    appendLine(text, TextLine()
                         .at(1, box::BottomLeft)
                         .fill(2, 79, box::Horizontal)
                         .at(80, box::BottomRight)
                         .full());
}

} // namespace analysis::demo
