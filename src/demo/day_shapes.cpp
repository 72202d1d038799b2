// The two ready-made days: the demonstration day and the benchmark day.
#include "demo/demo_day.h"

#include <string>

namespace analysis::demo {

DayShape DemoDay() {
    // The seven tracks of the built-in schedule, in its order.
    return DayShape{{"Aqu", "GPx", "Kee", "SAx", "Tam", "FGx", "WOx"}, 8, 8, 10, 1};
}

DayShape HeavyDay() {
    // 250 tracks of four reports each. Codes beyond the real tracks are made up; they only
    // need to be three characters and distinct.
    DayShape shape{{}, 4, 12, 14, 7};
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const std::string lower = "abcdefghijklmnopqrstuvwxyz";
    for (int i = 0; shape.tracks.size() < 250; ++i) {
        std::string code;
        code += letters[std::size_t(i) % 26];
        code += lower[std::size_t(i / 26) % 26];
        code += 'x';
        shape.tracks.push_back(code);
    }
    return shape;
}

} // namespace analysis::demo
