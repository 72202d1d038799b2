// B reports: the summary of one race, ranking the field by its final speed figures, then each
// horse's whole record in the order of the ranking.
#include "demo/report_writers.h"
#include "demo/text_line.h"

#include <algorithm>
#include <vector>

namespace analysis::demo {
namespace {

struct Summary {
    const Horse* horse = nullptr;
    int last = 0;
    int best = 0;
    int average = 0;
    int pace = 0;
};

Summary summarise(const Horse& horse) {
    Summary s;
    s.horse = &horse;
    s.average = s.best = s.last = s.pace = horse.ability;
    if (horse.performances.empty())
        return s;
    s.last = horse.performances.front().totalEffort;
    int sum = 0;
    int paceSum = 0;
    s.best = 0;
    for (const Performance& p : horse.performances) {
        s.best = std::max(s.best, p.totalEffort);
        sum += p.totalEffort;
        paceSum += p.pace[0];
    }
    int count = int(horse.performances.size());
    s.average = sum / count;
    s.pace = paceSum / count;
    return s;
}

void appendRanking(std::string& text, const std::vector<Summary>& field) {
    appendLine(text, "  Rank  Horse               Last  Best  Avg  Early  Odds");
    appendLine(text, "  " + std::string(4, box::Horizontal) + "  " +
                         std::string(18, box::Horizontal) + "  " +
                         std::string(34, box::Horizontal));
    for (std::size_t rank = 0; rank < field.size(); ++rank) {
        const Summary& s = field[rank];
        TextLine line;
        line.rightAt(5, std::to_string(rank + 1)).at(9, s.horse->name.substr(0, 18));
        if (s.horse->performances.empty()) {
            line.at(28, "first start");
        } else {
            line.rightAt(31, std::to_string(s.last)).rightAt(37, std::to_string(s.best));
            line.rightAt(42, std::to_string(s.average)).rightAt(48, std::to_string(s.pace));
        }
        line.rightAt(57, oneDecimal(s.horse->speedOdds) + "-1");
        appendLine(text, line.trimmed());
    }
}

void appendVerdict(std::string& text, const std::vector<Summary>& field) {
    std::string contenders = "  Contenders: " + field[0].horse->name;
    for (std::size_t i = 1; i < std::min<std::size_t>(field.size(), 3); ++i)
        contenders += ", " + field[i].horse->name;
    appendLine(text, contenders);
    // Early speed shows only in races run; a field of first starters has no known pacesetter.
    const Summary* pacesetter = nullptr;
    for (const Summary& s : field)
        if (!s.horse->performances.empty() && (!pacesetter || s.pace > pacesetter->pace))
            pacesetter = &s;
    if (pacesetter)
        appendLine(text, "  Likely pacesetter: " + pacesetter->horse->name);
}

} // namespace

void appendSummaryReport(std::string& text, const TrackCard& card, const Race& race) {
    appendReportStart(text, reportCode('B', card.track, race.number),
                      "QUILLMARSH RACE SUMMARY   Race " + std::to_string(race.number), card);
    appendLine(text, "");
    appendRaceInfoBox(text, card, race);
    if (race.horses.empty())
        return;

    std::vector<Summary> field;
    for (const Horse& horse : race.horses)
        field.push_back(summarise(horse));
    std::stable_sort(field.begin(), field.end(), [](const Summary& a, const Summary& b) {
        return a.horse->speedOdds < b.horse->speedOdds;
    });
    appendLine(text, "");
    appendRanking(text, field);
    appendLine(text, "");
    appendVerdict(text, field);
    for (const Summary& s : field) {
        appendLine(text, "");
        appendHorseBox(text, card, *s.horse, race.reference);
    }
}

} // namespace analysis::demo
