// Reading a generated day's text back as reports and horse boxes, for the demo day's tests.
#pragma once

#include "core/common/text_lines.h"

#include <string>
#include <string_view>
#include <vector>

namespace analysis::demo::reading {

struct Report {
    std::string code;
    std::vector<std::string> lines; ///< the separator line first
};

/// Cuts text as the report index does: a line with a form feed and "@code" starts a report.
/// Lines before the first report go to banner when given.
inline std::vector<Report> reportsOf(std::string_view text,
                                     std::vector<std::string>* banner = nullptr) {
    std::vector<Report> reports;
    LineReader reader(text);
    std::string_view line;
    while (reader.next(line)) {
        auto at = line.find('@');
        if (line.find('\f') != std::string_view::npos && at != std::string_view::npos)
            reports.push_back({std::string(line.substr(at + 1)), {}});
        if (!reports.empty())
            reports.back().lines.emplace_back(line);
        else if (banner)
            banner->emplace_back(line);
    }
    return reports;
}

inline std::string trackOf(std::string_view code) {
    return std::string(code.substr(3, 3));
}

/// The race number of an E or B code ("E01Kee07" gives 7); 0 for a code without one.
inline int raceOf(std::string_view code) {
    return code.size() == 8 ? std::stoi(std::string(code.substr(6))) : 0;
}

const std::string BoxTop = "\xDA\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC2\xC4\xC4\xC4\xC4\xC4\xC4\xC4";
const std::string BoxBottom = "\xC0\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC1"
                              "\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xD9";

/// The test the E report trimming makes: bars at positions 42 and 64.
inline bool isPerformanceLine(std::string_view line) {
    return line.size() >= 64 && line[41] == '\xB3' && line[63] == '\xB3';
}

/// One horse's box of an E or B report.
struct HorseBox {
    std::string header;                    ///< the line after the box top
    std::vector<std::string> performances; ///< newest first
    int spacers = 0;                       ///< lines between performance lines
    std::string bottom;
};

/// The horse boxes of a report, from each box top to its box bottom.
inline std::vector<HorseBox> horseBoxesOf(const Report& report) {
    std::vector<HorseBox> boxes;
    bool inBox = false;
    for (const std::string& line : report.lines) {
        if (line.find(BoxTop) != std::string::npos) {
            boxes.emplace_back();
            inBox = true;
        } else if (line.find(BoxBottom) != std::string::npos) {
            boxes.back().bottom = line;
            inBox = false;
        } else if (inBox && boxes.back().header.empty()) {
            boxes.back().header = line;
        } else if (inBox && isPerformanceLine(line)) {
            boxes.back().performances.push_back(line);
        } else if (inBox) {
            ++boxes.back().spacers;
        }
    }
    return boxes;
}

/// The horse's name in a box header: the word run after the sex mark ("+" or "^").
inline std::string horseNameOf(const HorseBox& box) {
    std::size_t start = box.header.find_first_of("+^", 10) + 1;
    return box.header.substr(start, box.header.find("  ", start) - start);
}

} // namespace analysis::demo::reading
