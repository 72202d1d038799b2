// The user's list and print choices as kept in the settings file "Exec/Analysis.OPT".
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace analysis {

/// The four-line settings file. Lines 1 to 3 are texts of at most 31 characters; line 4 packs
/// the low hex digit of PrintOptions and the hex digit of EmaxLines ("27" by default).
struct Settings {
    std::string SettingsIdText = "0000";
    std::string ReportKinds = "AXE";
    std::string TrackGroups = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::uint16_t PrintOptions = 2;
    std::uint16_t EmaxLines = 7;
};

/// Longest text a settings line holds; the rest of a longer line is ignored.
inline constexpr std::size_t SettingsLineLimit = 31;

/// Reads the settings file, which must exist (IoError otherwise). Missing lines keep their
/// defaults; a fourth line shorter than two characters keeps "2" or "7" for the missing digit.
/// Every read adds a "G" to TrackGroups (kept to 31 characters), so group G is always on.
Settings ReadSettings(const std::filesystem::path& file);

/// Replaces the settings file. Only the low four bits of PrintOptions are stored, so the
/// duplex choice does not survive a restart.
void WriteSettings(const std::filesystem::path& file, const Settings& settings);

/// Upper-case hexadecimal text of value (0 gives "0"). A positive width pads with leading
/// zeros or keeps only the last width digits.
std::string HexDigits(unsigned value, int width);

/// The value of the hexadecimal digits in text, either case; other characters are skipped.
unsigned HexValue(std::string_view text);

} // namespace analysis
