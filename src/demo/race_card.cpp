// The made-up races of one track, shared by all the reports of the track so they agree.
#include "demo/race_card.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace analysis::demo {
namespace {

const std::vector<std::string> FirstWords = {
    "COPPER",   "QUIET",  "NORTHERN", "SILVER", "RED",    "WILD",   "GOLDEN", "LUCKY",
    "MIDNIGHT", "SPRING", "STORMY",   "ROYAL",  "HIDDEN", "BRAVE",  "SALTY",  "DUSTY",
    "MISTY",    "IRON",   "SWIFT",    "CLEVER", "HOLLOW", "VELVET", "SUNNY",  "RAPID"};
const std::vector<std::string> SecondWords = {
    "LANTERN", "HARBOR", "ECHO",   "RIVER",   "BANDIT", "MEADOW", "ARROW", "FORTUNE",
    "SPIRIT",  "CANYON", "DANCER", "LEGEND",  "COMET",  "TIDE",   "ROSE",  "MAJOR",
    "PILOT",   "SONNET", "RANGER", "PROMISE", "GLORY",  "TALE",   "MARSH", "QUILL"};
const std::vector<std::string> Trainers = {
    "Abbott", "Brennan", "Castillo", "Dunmore", "Ellery",    "Fairley", "Garza",  "Holt",
    "Ivers",  "Jardine", "Kessler",  "Lowry",   "Marchetti", "Novak",   "Ortega", "Pruitt",
    "Quade",  "Rourke",  "Sandoval", "Thorne",  "Underhill", "Vance",   "Whitby", "Yardley"};
const std::vector<std::string> OtherTracks = {"Aqu", "Bel", "Sar", "GPx", "Tam", "Kee", "CDx",
                                              "SAx", "Dmr", "FGx", "WOx", "Pim", "Lrl", "OPx",
                                              "Mth", "Del", "APx", "Haw", "Prx", "Pen"};
const std::vector<std::string> Conditions = {"Maiden Special Weight",
                                             "Maiden Claiming 30000",
                                             "Claiming 16000",
                                             "Claiming 25000",
                                             "Claiming 40000",
                                             "Allowance",
                                             "Allowance Optional Claiming",
                                             "Starter Allowance",
                                             "Stakes"};
const std::vector<double> Distances = {5.0, 5.5, 6.0, 6.5, 7.0, 8.0, 8.32, 8.5, 9.0, 10.0};

int clampFigure(int value) {
    return std::clamp(value, 10, 99);
}

Performance makePerformance(const Race& race, const Horse& horse, int daysAgo, int gapDays,
                            RandomSource& random) {
    Performance p;
    p.daysAgo = daysAgo;
    p.gapDays = gapDays;
    // Most horses run on their home circuit; some ship in from elsewhere.
    p.track = random.percent(45) ? race.track : random.pick(OtherTracks);
    p.raceNumber = random.between(1, 10);
    p.trackSpeed = random.between(-12, 12);
    const char conditions[] = {'f', 'f', 'f', 'f', 'g', 'm', 's', 'y'};
    p.condition = conditions[random.between(0, 7)];
    // Horses mostly stay at sprints or at routes; a switch across one mile is the exception.
    do
        p.furlongs = random.pick(Distances);
    while (random.percent(80) && (p.furlongs >= 8.0) != horse.router);
    const char surfaces[] = {' ', ' ', ' ', ' ', 'T', 'T', 'i', 't', '*'};
    p.surface = surfaces[random.between(0, 8)];
    int form = horse.ability + random.between(-9, 7) - (gapDays > 90 ? 5 : 0);
    for (auto& third : p.pace)
        third = clampFigure(form + random.between(-8, 8));
    p.totalEffort = clampFigure(form + random.between(-4, 4));
    int field = random.between(6, 12);
    p.notBeaten = std::clamp((90 - form) / 6 + random.between(0, 3), 0, field - 1);
    p.beaten = field - 1 - p.notBeaten;
    int par = clampFigure(horse.ability + random.between(-6, 6));
    p.strength = {clampFigure(par + random.between(-5, 5)),
                  clampFigure(par + random.between(-3, 3)), par};
    return p;
}

// How many past races a horse of race brings: maidens have short records, and some have none.
int recordLength(const DayShape& shape, const Race& race, RandomSource& random) {
    if (race.maiden)
        return random.between(0, std::min(4, shape.mostPerformances));
    return random.between(shape.fewestPerformances, shape.mostPerformances);
}

Horse makeHorse(const DayShape& shape, const Race& race, RandomSource& random) {
    Horse horse;
    do {
        horse.name = random.pick(FirstWords) + " " + random.pick(SecondWords);
    } while (std::any_of(race.horses.begin(), race.horses.end(),
                         [&](const Horse& other) { return other.name == horse.name; }));
    horse.age = race.maiden ? random.between(2, 4) : random.between(3, 8);
    horse.female = random.percent(40);
    horse.previousTrainer = random.pick(Trainers);
    horse.lastTrainer = random.percent(80) ? horse.previousTrainer : random.pick(Trainers);
    horse.ability = race.reference + random.between(-14, 10);
    horse.router = random.percent(50);
    int daysAgo = random.between(9, 60);
    for (int i = recordLength(shape, race, random); i > 0; --i) {
        // Most horses run every few weeks; now and then one comes back from a layoff.
        int gap = random.percent(12) ? random.between(91, 300) : random.between(14, 45);
        horse.performances.push_back(makePerformance(race, horse, daysAgo, gap, random));
        daysAgo += gap;
    }
    return horse;
}

// Fair odds from figures: chances grow with the figure, and 1 / (odds + 1) sums to 1 over the
// field, as the value lines of the analysis expect.
void setOdds(std::vector<Horse>& horses) {
    auto average = [](const Horse& horse, auto figure) {
        if (horse.performances.empty())
            return double(horse.ability);
        double sum = 0;
        for (const auto& p : horse.performances)
            sum += figure(p);
        return sum / double(horse.performances.size());
    };
    auto assign = [&](auto figure, double Horse::*odds) {
        std::vector<double> weights;
        for (const auto& horse : horses)
            weights.push_back(std::exp(average(horse, figure) / 8.0));
        double total = std::accumulate(weights.begin(), weights.end(), 0.0);
        for (std::size_t i = 0; i < horses.size(); ++i)
            horses[i].*odds = std::clamp(total / weights[i] - 1.0, 0.1, 99.9);
    };
    assign([](const Performance& p) { return (p.pace[0] + p.pace[1] + p.pace[2]) / 3.0; },
           &Horse::paceOdds);
    assign([](const Performance& p) { return double(p.totalEffort); }, &Horse::speedOdds);
}

} // namespace

TrackCard makeCard(const std::string& track, const DayShape& shape, RandomSource& random) {
    TrackCard card{track, shape.raceDay, {}};
    int races = random.between(shape.fewestRaces, shape.mostRaces);
    for (int number = 1; number <= races; ++number) {
        Race race;
        race.track = track;
        race.number = number;
        race.furlongs = random.pick(Distances);
        race.turf = random.percent(25);
        do
            race.conditions = random.pick(Conditions);
        while (!shape.maidenRaces && race.conditions.starts_with("Maiden"));
        race.maiden = race.conditions.starts_with("Maiden");
        race.purse = random.between(12, 90) * 1000;
        race.reference = random.between(60, 84);
        int horses = random.between(shape.fewestHorses, shape.mostHorses);
        for (int i = 0; i < horses; ++i)
            race.horses.push_back(makeHorse(shape, race, random));
        setOdds(race.horses);
        card.races.push_back(std::move(race));
    }
    return card;
}

} // namespace analysis::demo
