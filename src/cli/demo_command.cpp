// analysis-tool demo: a demonstration installation with a generated race day.
#include "cli/demo_command.h"

#include "cli/arguments.h"
#include "cli/installation_guard.h"
#include "core/common/file_io.h"
#include "core/common/io_error.h"
#include "demo/demo_day.h"

#include <charconv>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace analysis::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* Usage =
    "usage: analysis-tool demo INSTALL_FOLDER [--heavy] [--race-day N]\n"
    "  Creates Exec, Data, Help and Archive under INSTALL_FOLDER and writes a generated\n"
    "  race day to Data/Analysis.DAT.\n"
    "  --heavy       the benchmark day (about 1000 reports, 20 MB) instead of the demo day\n"
    "  --race-day N  the race day, 0 (28-Nov-1973) to 65535, stored in the file and dating\n"
    "                its reports; default today's\n";

// Days from 1 January 1970 to 28 November 1973, the race day numbers' day 0.
constexpr long long RaceDayZero = 1427;

std::uint16_t todaysRaceDay() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    // timegm of the local calendar date gives that date's day count without zone offsets.
    local.tm_hour = 12;
    local.tm_min = local.tm_sec = 0;
    long long day = static_cast<long long>(::timegm(&local)) / 86400 - RaceDayZero;
    if (day < 0 || day > 0xFFFF)
        throw AnalysisError("Today's date has no race day number; give one with --race-day.");
    return static_cast<std::uint16_t>(day);
}

std::uint16_t parseRaceDay(const std::string& text) {
    unsigned value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value > 0xFFFF)
        throw UsageError("--race-day wants a day number from 0 to 65535, not \"" + text + "\"");
    return static_cast<std::uint16_t>(value);
}

void createFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw IoError::fromErrno(error.value(), folder);
}

int createDemo(Arguments& arguments, std::ostream& out, std::ostream&) {
    bool heavy = arguments.flag("--heavy");
    auto raceDayText = arguments.option("--race-day");
    fs::path installFolder = arguments.finish(1, 1).front();
    std::uint16_t raceDay = raceDayText ? parseRaceDay(*raceDayText) : todaysRaceDay();
    const auto installation = lockInstallationOf(installFolder);

    for (const char* folder : {"Exec", "Data", "Help", "Archive"})
        createFolder(installFolder / folder);
    demo::DayShape shape = heavy ? demo::heavyDay() : demo::demoDay();
    shape.raceDay = raceDay;
    std::string text = demo::makeAnalysisText(shape);
    fs::path dataFile = installFolder / "Data" / "Analysis.DAT";
    writeFileAtomically(dataFile, demo::makeDataFile(text, raceDay));
    out << dataFile.string() << ": " << text.size() << " bytes of analysis, race day " << raceDay
        << "\n";
    return 0;
}

} // namespace

int runDemoCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, Usage, createDemo);
}

} // namespace analysis::cli
