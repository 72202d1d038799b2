// The box of one horse in E and B reports: header line, performance lines with layoff
// spacers, each effort graphed against the race's reference line, and a closing line.
#include "demo/race_dates.h"
#include "demo/report_writers.h"
#include "demo/text_line.h"

#include <algorithm>

namespace analysis::demo {
namespace {

// Columns of a performance line (1-based): the graph lies between the bars at 42 and 64.
constexpr int GraphLeft = 42;
constexpr int GraphRight = 64;
constexpr int GraphCentre = 53;

std::string signedFigure(int value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < 2)
        digits = "0" + digits;
    return (value < 0 ? "-" : "+") + digits;
}

std::string performanceLine(const TrackCard& card, const Performance& p, int reference) {
    TextLine line;
    line.at(1, box::Vertical).rightAt(4, std::to_string(p.gapDays));
    line.at(6, shortDate(card.raceDay, p.daysAgo));
    line.rightAt(13, std::to_string(p.raceNumber)).at(14, p.track);
    line.at(18, signedFigure(p.trackSpeed)).at(21, p.condition);
    line.rightAt(26, oneDecimal(p.furlongs)).at(27, p.surface);
    for (int third = 0; third < 3; ++third)
        line.at(30 + 3 * third, std::to_string(p.pace[std::size_t(third)]));
    line.at(GraphLeft, box::Vertical).at(GraphCentre, ':');
    int column =
        std::clamp(GraphCentre + (p.totalEffort - reference) / 2, GraphLeft + 1, GraphRight - 2);
    line.at(column, std::to_string(p.totalEffort));
    line.at(GraphRight, box::Vertical);
    line.rightAt(66, std::to_string(p.beaten)).at(67, '-').rightAt(69, std::to_string(p.notBeaten));
    for (int k = 0; k < 3; ++k)
        line.at(71 + 3 * k, std::to_string(p.strength[std::size_t(k)]));
    return line.at(80, box::Vertical).full();
}

} // namespace

void appendHorseBox(std::string& text, const TrackCard& card, const Horse& horse, int reference) {
    TextLine top;
    top.at(1, box::TopLeft).fill(2, 79, box::Horizontal).at(80, box::TopRight);
    top.at(10, box::DownTee).at(GraphLeft, box::DownTee).at(GraphRight, box::DownTee);
    appendLine(text, top.full());

    TextLine header;
    header.at(1, box::Vertical);
    if (horse.performances.empty())
        header.at(3, "debut");
    else
        header.rightAt(6, std::to_string(horse.performances.front().daysAgo)).at(8, 'd');
    header.at(10, box::Vertical);
    // The age shows as indentation: the older the horse, the further right its name.
    header.at(10 + horse.age, std::string(1, horse.female ? '+' : '^') + horse.name);
    header.at(44, "Tr: " + horse.previousTrainer + " > " + horse.lastTrainer);
    appendLine(text, header.at(80, box::Vertical).full());

    for (const Performance& p : horse.performances) {
        appendLine(text, performanceLine(card, p, reference));
        // A layoff leaves a gap: one marked spacer line per three months away.
        for (int months = 90; months <= std::min(p.gapDays, 270); months += 90)
            appendLine(text, TextLine().at(1, box::Vertical).at(4, '+').trimmed());
    }

    TextLine bottom;
    bottom.at(1, box::BottomLeft).fill(2, 22, box::Horizontal).at(10, box::UpTee);
    bottom.at(23, box::BottomRight);
    if (horse.performances.empty()) {
        bottom.at(26, "First start");
    } else {
        int best = 0;
        int sum = 0;
        for (const Performance& p : horse.performances) {
            best = std::max(best, p.totalEffort);
            sum += p.totalEffort;
        }
        bottom.at(26, "Best " + std::to_string(best));
        bottom.at(35, "Avg " + std::to_string(sum / int(horse.performances.size())));
        bottom.at(44, "Starts " + std::to_string(horse.performances.size()));
    }
    appendLine(text, bottom.trimmed());
}

} // namespace analysis::demo
