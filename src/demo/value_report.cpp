// A and X reports: per race a block of value lines with pace figures, final speed figures and
// the two fair-odds columns that the scratch editor rescales.
#include "demo/report_writers.h"
#include "demo/text_line.h"

#include <algorithm>
#include <array>

namespace analysis::demo {
namespace {

// Columns of a value line (1-based). The two odds fields sit at 70-73 and 75-78 with their
// decimal points at 72 and 77, where the scratch editor looks for them.
constexpr int PaceColumn = 23;   // three figures, four columns apart, each with a symbol
constexpr int TotalColumn = 36;  // five final speed figures, five columns apart
constexpr int BestOfColumn = 60; // best of the last two, three and four races
constexpr int PaceOddsEnd = 73;
constexpr int SpeedOddsEnd = 78;

double averagePace(const Horse& horse, std::size_t third) {
    std::size_t count = std::min<std::size_t>(horse.performances.size(), 5);
    if (count == 0)
        return horse.ability;
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += horse.performances[i].pace[third];
    return sum / double(count);
}

int bestOfLast(const Horse& horse, std::size_t races) {
    int best = 0;
    for (std::size_t i = 0; i < races && i < horse.performances.size(); ++i)
        best = std::max(best, horse.performances[i].totalEffort);
    return best;
}

// The symbol shown after a final speed figure: the most telling of the race's circumstances.
char circumstance(const Horse& horse, std::size_t index) {
    const Performance& p = horse.performances[index];
    if (p.gapDays >= 90)
        return '/';
    if (index + 1 < horse.performances.size() &&
        (p.furlongs >= 8.0) != (horse.performances[index + 1].furlongs >= 8.0))
        return '~';
    if (p.condition == 'm' || p.condition == 's')
        return '.';
    if (p.surface == 'T' || p.surface == 't')
        return '-';
    return ' ';
}

// '*' for the field's best value of a column and '+' for the second best.
std::vector<char> rankMarks(const std::vector<double>& values) {
    std::vector<std::size_t> order(values.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return values[a] > values[b]; });
    std::vector<char> marks(values.size(), ' ');
    if (!order.empty())
        marks[order[0]] = '*';
    if (order.size() > 1)
        marks[order[1]] = '+';
    return marks;
}

std::string figure(double value) {
    return std::to_string(static_cast<int>(value + 0.5));
}

std::string blockHeader() {
    TextLine line;
    line.fill(1, 79, box::Horizontal).at(80, box::TopRight);
    line.at(2, " # ").at(6, " HORSE ").at(22, " E   M   L ").at(37, " TOTAL EFFORT ");
    line.at(59, " 2  3  4 ");
    line.at(72, box::DownTee).at(77, box::DownTee);
    return line.full();
}

std::string blockEnd() {
    TextLine line;
    line.fill(1, 79, box::Horizontal).at(72, box::UpTee).at(77, box::UpTee);
    return line.at(80, box::BottomRight).full();
}

// The pace, final speed and best-of figures of a horse that has raced, with their marks.
void appendFigures(TextLine& line, const Horse& horse, std::size_t h,
                   const std::array<std::vector<char>, 3>& paceMarks,
                   const std::array<std::vector<char>, 3>& bestMarks) {
    for (std::size_t third = 0; third < 3; ++third) {
        int column = PaceColumn + 4 * int(third);
        line.at(column, figure(averagePace(horse, third))).at(column + 2, paceMarks[third][h]);
    }
    std::size_t shown = std::min<std::size_t>(horse.performances.size(), 5);
    for (std::size_t i = 0; i < shown; ++i) {
        std::size_t index = shown - 1 - i; // oldest on the left
        int column = TotalColumn + 5 * int(i);
        line.at(column, std::to_string(horse.performances[index].totalEffort));
        line.at(column + 2, circumstance(horse, index));
    }
    for (std::size_t k = 0; k < 3; ++k) {
        int column = BestOfColumn + 3 * int(k);
        line.at(column, std::to_string(bestOfLast(horse, k + 2))).at(column + 2, bestMarks[k][h]);
    }
}

void appendRace(std::string& text, const Race& race, const char* title) {
    appendLine(text, "");
    TextLine heading;
    heading.at(3, title).at(25, race.track).at(30, "Race " + std::to_string(race.number));
    heading.at(39, oneDecimal(race.furlongs) + "f").at(45, race.turf ? "Turf" : "Dirt");
    heading.at(52, IdentificationMark);
    appendLine(text, heading.trimmed());
    TextLine conditions;
    conditions.at(3, race.conditions).at(33, "Purse $" + std::to_string(race.purse));
    conditions.at(69, "PACE SPEED");
    appendLine(text, conditions.trimmed());

    const auto& horses = race.horses;
    std::array<std::vector<char>, 3> paceMarks;
    for (std::size_t third = 0; third < 3; ++third) {
        std::vector<double> values;
        for (const auto& horse : horses)
            values.push_back(horse.performances.empty() ? -1.0 : averagePace(horse, third));
        paceMarks[third] = rankMarks(values);
    }
    std::array<std::vector<char>, 3> bestMarks;
    for (std::size_t k = 0; k < 3; ++k) {
        std::vector<double> values;
        for (const auto& horse : horses)
            values.push_back(bestOfLast(horse, k + 2));
        bestMarks[k] = rankMarks(values);
    }

    appendLine(text, blockHeader());
    for (std::size_t h = 0; h < horses.size(); ++h) {
        const Horse& horse = horses[h];
        TextLine line;
        line.rightAt(2, std::to_string(h + 1)).at(4, horse.name.substr(0, 18));
        if (horse.performances.empty()) {
            // A first starter has no figures; only its fair odds, from its breeding and works.
            line.at(TotalColumn, "first start");
        } else {
            appendFigures(line, horse, h, paceMarks, bestMarks);
        }
        line.rightAt(PaceOddsEnd, oneDecimal(horse.paceOdds));
        line.rightAt(SpeedOddsEnd, oneDecimal(horse.speedOdds));
        line.at(80, box::Vertical);
        appendLine(text, line.full());
    }
    appendLine(text, blockEnd());

    // A few handicapper's notes, so that blocks differ in length.
    std::size_t notes = static_cast<std::size_t>(race.number * 7 + int(horses.size())) % 4;
    for (std::size_t i = 0; i < notes && i < horses.size(); ++i) {
        const Horse& horse = horses[(i * 3 + std::size_t(race.number)) % horses.size()];
        static const char* const Notes[] = {"  Early pace to beat: ", "  Sharp return figure: ",
                                            "  Trainer change helps ", "  Fits on the best line: "};
        appendLine(text, Notes[i] + horse.name);
    }
}

} // namespace

void appendValueReport(std::string& text, const TrackCard& card) {
    appendReportStart(text, reportCode('A', card.track), "QUILLMARSH ANALYSIS - PACE AND SPEED",
                      card);
    for (const Race& race : card.races)
        appendRace(text, race, "QUILLMARSH ANALYSIS");
}

void appendMainTrackReport(std::string& text, const TrackCard& card) {
    appendReportStart(text, reportCode('X', card.track), "QUILLMARSH ANALYSIS - MAIN TRACK", card);
    bool any = false;
    for (const Race& race : card.races) {
        if (race.turf)
            continue;
        appendRace(text, race, "QUILLMARSH MAIN TRACK");
        any = true;
    }
    if (!any)
        appendLine(text, "  No main-track races on this card.");
}

} // namespace analysis::demo
