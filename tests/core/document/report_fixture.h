// Small analysis texts for the report tests.
#pragma once

#include <string>
#include <vector>

namespace analysis::testing {

/// The separator line that starts report code.
inline std::string separator(const std::string& code) {
    return "\f" + std::string(20, ' ') + "@" + code + "  page 1";
}

/// A past-performance line of an E report box, labelled for the test.
inline std::string performance(const std::string& label) {
    std::string line(70, ' ');
    line.replace(0, label.size(), label);
    line[41] = '\xB3';
    line[63] = '\xB3';
    return line;
}

/// A spacer line inside an E report box: something else at the bar positions.
inline std::string spacer() {
    std::string line(70, ' ');
    line[41] = '\xC3';
    line[63] = '\xC3';
    return line;
}

inline std::string boxTop() {
    return "  \xDA" + std::string(8, '\xC4') + "\xC2" + std::string(7, '\xC4') + "\xC4\xC4";
}

inline std::string boxBottom() {
    return "  \xC0" + std::string(8, '\xC4') + "\xC1" + std::string(12, '\xC4') + "\xD9";
}

/// Lines joined with CR LF after each.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace analysis::testing
