// The made-up races of one track, shared by all the reports of the track so they agree.
#pragma once

#include "demo/demo_day.h"
#include "demo/random_source.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace analysis::demo {

/// One past race of a horse, newest first in Horse::performances.
struct Performance {
    int daysAgo = 0; ///< days before the race day, at least one
    int gapDays = 0; ///< days between this race and the horse's race before it
    std::string track;
    int raceNumber = 1;
    int trackSpeed = 0;   ///< relative track speed: positive is a faster surface
    char condition = 'f'; ///< f fast, g good, m muddy, s sloppy, y yielding
    double furlongs = 6.0;
    char surface = ' ';        ///< ' ' dirt, 'T' turf, 'i' inner dirt, 't' inner turf, '*' off
    std::array<int, 3> pace{}; ///< first, middle and final third ratings
    int totalEffort = 0;
    int beaten = 0;
    int notBeaten = 0;
    std::array<int, 3> strength{}; ///< top finishers' figure, their expected figure, par
};

struct Horse {
    std::string name;
    int age = 4;
    bool female = false;
    std::string previousTrainer;
    std::string lastTrainer;
    int ability = 75;
    bool router = false;                   ///< at home at a mile and beyond rather than in sprints
    std::vector<Performance> performances; ///< empty for a first starter
    double paceOdds = 0;                   ///< fair odds from the pace figures
    double speedOdds = 0;                  ///< fair odds from the final speed figures
};

struct Race {
    std::string track;
    int number = 1;
    double furlongs = 6.0;
    bool turf = false;
    std::string conditions;
    bool maiden = false; ///< for horses that have not won yet: short records, first starters
    int purse = 0;
    int reference = 75; ///< the line the E report graphs every horse against
    std::vector<Horse> horses;
};

/// The day's races at one track.
struct TrackCard {
    std::string track;
    std::uint16_t raceDay = 0; ///< the day the card is run, as the data file numbers it
    std::vector<Race> races;   ///< numbered from 1 in running order
};

/// The card of one track on shape.raceDay, with race, horse and performance counts drawn from
/// the shape's ranges.
TrackCard makeCard(const std::string& track, const DayShape& shape, RandomSource& random);

} // namespace analysis::demo
