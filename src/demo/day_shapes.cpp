// The two ready-made days: the demonstration day and the benchmark day.
#include "demo/demo_day.h"

#include "core/document/track_groups.h"

#include <string>
#include <vector>

namespace analysis::demo {
namespace {

// Every track code of the track group table, in the table's order.
std::vector<std::string> groupTracks() {
    std::vector<std::string> tracks;
    for (std::string_view row : TrackGroupTable())
        for (std::size_t at = 4; at + 3 <= row.size(); at += 4)
            if (row[at] != ' ')
                tracks.emplace_back(row.substr(at, 3));
    return tracks;
}

} // namespace

DayShape demoDay() {
    DayShape shape;
    // The seven tracks of the built-in schedule, in its order.
    shape.tracks = {"Aqu", "GPx", "Kee", "SAx", "Tam", "FGx", "WOx"};
    return shape;
}

DayShape heavyDay() {
    // 30 tracks of fifteen races give 960 reports: as many as the report list takes of every
    // kind (30 A reports, 450 E and 450 B reports in one column per track, 960 items with all
    // four kinds shown). Full fields of horses with full records make every report as long as
    // a real day's get, and no longer: the size comes from their number. The tracks are the
    // group table's, so the list selects all of them.
    DayShape shape;
    shape.tracks = groupTracks();
    shape.tracks.resize(30);
    shape.fewestRaces = shape.mostRaces = 15;
    shape.fewestHorses = shape.mostHorses = 14;
    shape.fewestPerformances = shape.mostPerformances = 14;
    shape.maidenRaces = false;
    shape.seed = 7;
    return shape;
}

} // namespace analysis::demo
