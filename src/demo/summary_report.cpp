// B reports: one summary page per race, ranking the field by its final speed figures.
#include "demo/report_writers.h"
#include "demo/text_line.h"

#include <algorithm>
#include <numeric>

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

void appendRacePage(std::string& text, const Race& race) {
    appendLine(text, "");
    TextLine title;
    title.at(3, "QUILLMARSH RACE SUMMARY").at(28, race.track);
    title.at(33, "Race " + std::to_string(race.number)).at(52, IdentificationMark);
    appendLine(text, title.trimmed());
    appendLine(text, "");
    appendRaceInfoBox(text, race);
    appendLine(text, "");

    std::vector<Summary> field;
    for (const Horse& horse : race.horses)
        field.push_back(summarise(horse));
    std::stable_sort(field.begin(), field.end(), [](const Summary& a, const Summary& b) {
        return a.horse->speedOdds < b.horse->speedOdds;
    });

    appendLine(text, "  Rank  Horse               Last  Best  Avg  Early  Odds");
    appendLine(text, "  " + std::string(4, box::Horizontal) + "  " +
                         std::string(18, box::Horizontal) + "  " +
                         std::string(34, box::Horizontal));
    for (std::size_t rank = 0; rank < field.size(); ++rank) {
        const Summary& s = field[rank];
        TextLine line;
        line.rightAt(5, std::to_string(rank + 1)).at(9, s.horse->name.substr(0, 18));
        line.rightAt(31, std::to_string(s.last)).rightAt(37, std::to_string(s.best));
        line.rightAt(42, std::to_string(s.average)).rightAt(48, std::to_string(s.pace));
        line.rightAt(57, oneDecimal(s.horse->speedOdds) + "-1");
        appendLine(text, line.trimmed());
    }
    appendLine(text, "");
    if (!field.empty()) {
        std::string contenders = "  Contenders: " + field[0].horse->name;
        for (std::size_t i = 1; i < std::min<std::size_t>(field.size(), 3); ++i)
            contenders += ", " + field[i].horse->name;
        appendLine(text, contenders);
        auto pacesetter = std::max_element(field.begin(), field.end(),
                                           [](auto& a, auto& b) { return a.pace < b.pace; });
        appendLine(text, "  Likely pacesetter: " + pacesetter->horse->name);
    }
}

} // namespace

void appendSummaryReport(std::string& text, const std::vector<Race>& card) {
    if (card.empty())
        return;
    appendReportStart(text, 'B', card.front().track, "QUILLMARSH RACE SUMMARIES");
    for (const Race& race : card)
        appendRacePage(text, race);
}

} // namespace analysis::demo
