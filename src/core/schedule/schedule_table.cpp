// Loading and extracting the schedule.
#include "core/schedule/schedule_table.h"

#include "core/common/file_io.h"
#include "core/common/text_lines.h"

#include <algorithm>
#include <string_view>

namespace analysis {
namespace {

/// Characters from..from+2 (counted from 1), fewer when the text is shorter.
std::string_view threeFrom(std::string_view text, std::size_t from) {
    return text.size() >= from ? text.substr(from - 1, 3) : std::string_view{};
}

} // namespace

std::vector<std::string> LoadSchedule(const std::filesystem::path& file) {
    const std::string content = readFile(file);
    std::vector<std::string> lines;
    LineReader reader(content);
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line.substr(0, ScheduleLineLimit));
    return lines;
}

std::vector<std::string> scheduleLinesOfTracks(std::span<const std::string> scheduleLines,
                                               std::span<const std::string> tracks) {
    std::vector<std::string> wanted;
    for (const std::string& line : scheduleLines) {
        const std::string_view track = threeFrom(line, 20);
        if (std::find(tracks.begin(), tracks.end(), track) != tracks.end())
            wanted.push_back(line);
    }
    return wanted;
}

void ExtractSchedule(std::span<const std::string> scheduleLines,
                     std::span<const std::string> tickedCodes, const std::filesystem::path& file) {
    std::vector<std::string> tracks;
    for (const std::string& code : tickedCodes)
        tracks.emplace_back(threeFrom(code, 4));
    std::string content;
    for (const std::string& line : scheduleLinesOfTracks(scheduleLines, tracks)) {
        content += line;
        content += "\r\n";
    }
    writeFileAtomically(file, content);
}

} // namespace analysis
