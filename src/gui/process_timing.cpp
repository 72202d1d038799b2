// What a user waits for, on standard error.
#include "gui/process_timing.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace analysis {
namespace {

/// Milliseconds since this process started, as the kernel counts it: the time before main (the
/// loader, the libraries) is part of what the user waits for. Nothing when it cannot be told.
std::optional<long long> millisecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line))
        return std::nullopt;
    // Field 22 is the start time in clock ticks since boot; the fields after the command name
    // (in parentheses, and it may hold blanks) are counted from its closing parenthesis.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int number = 3; number < 22 && fields >> field; ++number) {
    }
    unsigned long long startTicks = 0;
    timespec now{};
    if (!(fields >> startTicks) || ::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return std::nullopt;
    const long long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    const long long nowMs = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
    return nowMs - static_cast<long long>(startTicks) * 1000 / ticksPerSecond;
}

void tell(std::string_view event, long long milliseconds) {
    std::fprintf(stderr, "timing %.*s %lld\n", static_cast<int>(event.size()), event.data(),
                 milliseconds);
    std::fflush(stderr);
}

} // namespace

ProcessTiming ProcessTiming::fromEnvironment() {
    const char* asked = std::getenv("ANALYSIS_TIMING");
    return ProcessTiming(asked != nullptr && std::string_view(asked) == "1");
}

ProcessTiming::~ProcessTiming() {
    if (on_ && closeRequested_)
        tell("closed", std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - *closeRequested_)
                           .count());
}

void ProcessTiming::sinceProcessStart(std::string_view event) const {
    if (!on_)
        return;
    if (const std::optional<long long> elapsed = millisecondsSinceProcessStart())
        tell(event, *elapsed);
}

void ProcessTiming::closeRequested() {
    if (!closeRequested_)
        closeRequested_ = std::chrono::steady_clock::now();
}

} // namespace analysis
