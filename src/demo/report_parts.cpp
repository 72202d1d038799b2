// Pieces shared by several report kinds: the opening separator and title, the race box.
#include "demo/report_writers.h"
#include "demo/text_line.h"

namespace analysis::demo {

void appendReportStart(std::string& text, char kind, const std::string& track,
                       const std::string& title) {
    appendLine(text, std::string("\f@") + kind + "01" + track);
    TextLine line;
    line.at(3, title).at(44, track).at(52, IdentificationMark).at(63, cardDateText());
    appendLine(text, line.trimmed());
}

void appendRaceInfoBox(std::string& text, const Race& race) {
    appendLine(
        text,
        TextLine().at(1, box::TopLeft).fill(2, 79, box::Horizontal).at(80, box::TopRight).full());
    TextLine info;
    info.at(1, box::Vertical).at(3, shortDate(0)).at(10, "Race " + std::to_string(race.number));
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
