// E reports: the performances of one race's field, a box per horse under the race's
// information box.
#include "demo/report_writers.h"
#include "demo/text_line.h"

namespace analysis::demo {

void appendPerformanceReport(std::string& text, const TrackCard& card, const Race& race) {
    appendReportStart(text, reportCode('E', card.track, race.number),
                      "QUILLMARSH PERFORMANCES   Race " + std::to_string(race.number), card);
    appendLine(text, "");
    appendRaceInfoBox(text, card, race);
    for (const Horse& horse : race.horses) {
        appendLine(text, "");
        appendHorseBox(text, card, horse, race.reference);
    }
}

} // namespace analysis::demo
