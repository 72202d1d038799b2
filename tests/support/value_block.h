// Lines of a report's value blocks, for tests of the scratch editor's post-pass.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace analysis::testing {

/// A value line: the horse's name, then the two 4-character fields at characters 70-73 and
/// 75-78 between the columns' bars.
inline std::string valueLine(std::string_view first, std::string_view second,
                             std::string_view name = "Quiet Harbor") {
    std::string line(80, ' ');
    line.replace(2, name.size(), name);
    line[68] = '\xB3';
    line.replace(69, 4, first);
    line[73] = '\xB3';
    line.replace(74, 4, second);
    line[78] = '\xB3';
    return line;
}

/// A block header: 80 characters, the rule with its two down-tees at characters 70-78.
inline std::string blockHeader(std::string_view title = "Race 3  Kee") {
    std::string line(80, '\xC4');
    line.replace(0, title.size(), title);
    line[71] = '\xC2';
    line[76] = '\xC2';
    return line;
}

/// The line under a block: 80 characters, neither a header nor a value line.
inline std::string blockCloser() {
    return "\xC0" + std::string(78, '\xC4') + "\xD9";
}

/// The lines, each ended by CR LF.
inline std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace analysis::testing
