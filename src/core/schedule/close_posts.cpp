// Close post times on the schedule.
#include "core/schedule/close_posts.h"

#include "core/schedule/schedule_layout.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace analysis {
namespace {

/// Columns 9 to 13 hold the post time, 20 to 22 the track.
constexpr std::size_t TimeColumn = 8;
constexpr std::size_t TimeWidth = 5;
constexpr std::size_t TrackColumn = 19;
constexpr std::size_t TrackWidth = 3;
constexpr int HalfDay = 12 * 60;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trackOf(std::string_view line) {
    return line.size() > TrackColumn ? line.substr(TrackColumn, TrackWidth) : std::string_view{};
}

} // namespace

std::optional<int> postTimeOf(std::string_view line) {
    if (line.size() < TimeColumn + TimeWidth)
        return std::nullopt;
    std::string_view time = line.substr(TimeColumn, TimeWidth);
    // " h:mm" or "hh:mm".
    if (time[2] != ':' || !isDigit(time[1]) || !isDigit(time[3]) || !isDigit(time[4]))
        return std::nullopt;
    if (time[0] != ' ' && !isDigit(time[0]))
        return std::nullopt;
    const int hours = (time[0] == ' ' ? 0 : time[0] - '0') * 10 + (time[1] - '0');
    const int minutes = (time[3] - '0') * 10 + (time[4] - '0');
    if (hours < 1 || hours > 12 || minutes > 59)
        return std::nullopt;
    return hours * 60 + minutes;
}

std::vector<std::optional<int>> scheduleClock(std::span<const std::string> lines) {
    std::vector<std::optional<int>> clock;
    clock.reserve(lines.size());
    std::optional<int> before;
    int passed = 0;
    for (const std::string& line : lines) {
        const std::optional<int> time = postTimeOf(line);
        if (time) {
            if (before && *time < *before)
                passed += HalfDay;
            before = time;
            clock.push_back(*time + passed);
        } else {
            clock.push_back(std::nullopt);
        }
    }
    return clock;
}

std::vector<std::string> closePostMarks(std::span<const std::string> lines, int minutes) {
    minutes = std::clamp(minutes, FewestCloseMinutes, MostCloseMinutes);
    const std::vector<std::optional<int>> clock = scheduleClock(lines);
    std::vector<std::string> marks(lines.size());
    // A schedule holds a few hundred lines at most: every pair is looked at.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!clock[i])
            continue;
        std::optional<std::size_t> nearest;
        int nearestGap = 0;
        for (std::size_t j = 0; j < lines.size(); ++j) {
            if (!clock[j] || trackOf(lines[j]) == trackOf(lines[i]))
                continue;
            const int gap = std::abs(*clock[j] - *clock[i]);
            if (gap <= minutes && (!nearest || gap < nearestGap)) {
                nearest = j;
                nearestGap = gap;
            }
        }
        if (!nearest)
            continue;
        const std::string_view track = trackOf(lines[*nearest]);
        char mark[16];
        std::snprintf(mark, sizeof mark, "<%d %.*s", nearestGap, static_cast<int>(track.size()),
                      track.data());
        marks[i] = mark;
    }
    return marks;
}

} // namespace analysis
