// The two ready-made days: the demonstration day and the benchmark day.
#include "demo/demo_day.h"

#include <string>
#include <vector>

namespace analysis::demo {

DayShape DemoDay() {
    // The seven tracks of the built-in schedule, in its order.
    return DayShape{{"Aqu", "GPx", "Kee", "SAx", "Tam", "FGx", "WOx"}, 8, 8, 10, 1};
}

DayShape HeavyDay() {
    // 250 tracks of four reports each: every track of the track groups, then made-up codes
    // that belong to no group (distinct, three characters, found in no group's row).
    const std::vector<std::string> groupTracks = {
        "Tam", "GGx", "Fer", "SRx", "Sac", "Fno", "SAx", "Dmr", "LRC", "LAx", "Del", "Cby", "EmD",
        "GPx", "GPW", "OTC", "WOx", "Ind", "APx", "Haw", "FAN", "Mth", "Med", "CDx", "Kee", "TPx",
        "ElP", "KDx", "FGx", "LaD", "Pim", "Lrl", "Tim", "Cnl", "Pen", "MVR", "Tdn", "BtP", "PrM",
        "Prx", "PID", "FEx", "OPx", "RPx", "WRD", "FMT", "Sun", "TuP", "Zia", "Ril", "SrP", "LSx",
        "Hou", "Ret", "DeD", "EvD", "CTx", "Mnr", "FLx", "Bel", "Aqu", "Sar"};
    DayShape shape{groupTracks, 4, 12, 14, 7};
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const std::string lower = "abcdefghijklmnopqrstuvwxyz";
    for (std::size_t i = 0; shape.tracks.size() < 250; ++i)
        shape.tracks.push_back({letters[i % 26], lower[i / 26 % 26], 'x'});
    return shape;
}

} // namespace analysis::demo
