// What a user waits for, told on standard error when ANALYSIS_TIMING=1: one line
// "timing EVENT MS" per moment, so that a benchmark (or a user with a slow day) can see where
// the time goes without a profiler.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace analysis {

class ProcessTiming {
public:
    /// On when the environment asks for it (ANALYSIS_TIMING=1), otherwise silent.
    static ProcessTiming fromEnvironment();
    explicit ProcessTiming(bool on) : on_(on) {}
    /// Tells "closed" with the time from closeRequested, when a close was requested: the object
    /// lives as long as the process's main, so this is the time until the process ends.
    ~ProcessTiming();
    ProcessTiming(const ProcessTiming&) = delete;
    ProcessTiming& operator=(const ProcessTiming&) = delete;

    bool on() const noexcept { return on_; }
    /// Tells event with the milliseconds since the process started.
    void sinceProcessStart(std::string_view event) const;
    /// The user asked to close; the first request counts.
    void closeRequested();

private:
    bool on_ = false;
    std::optional<std::chrono::steady_clock::time_point> closeRequested_;
};

} // namespace analysis
