// Reading and writing the settings file.
#include "core/installation/settings.h"

#include "core/common/file_io.h"
#include "core/common/text_lines.h"

#include <array>

namespace analysis {
namespace {

constexpr std::string_view Digits = "0123456789ABCDEF";

std::string_view cutToLine(std::string_view text) {
    return text.substr(0, SettingsLineLimit);
}

/// A stored text must stay on its own line, or every later line would shift by one.
std::string_view storableLine(std::string_view text) {
    return cutToLine(text.substr(0, text.find_first_of("\r\n")));
}

} // namespace

Settings ReadSettings(const std::filesystem::path& file) {
    const std::string content = readFile(file);
    LineReader lines(content);
    Settings settings;
    std::array<std::string*, 3> texts = {&settings.SettingsIdText, &settings.ReportKinds,
                                         &settings.TrackGroups};
    std::string_view line;
    for (std::string* text : texts)
        if (lines.next(line))
            *text = cutToLine(line);

    if (lines.next(line)) {
        // The packed digits overlay a buffer that starts as "27", so a short line keeps the
        // default for each digit it lacks.
        std::string packed = "27";
        line = cutToLine(line);
        for (std::size_t i = 0; i < packed.size() && i < line.size(); ++i)
            packed[i] = line[i];
        settings.PrintOptions = static_cast<std::uint16_t>(HexValue(packed.substr(0, 1)));
        settings.EmaxLines = static_cast<std::uint16_t>(HexValue(packed.substr(1, 1)));
    }

    if (settings.TrackGroups.size() < SettingsLineLimit)
        settings.TrackGroups += 'G';
    return settings;
}

void WriteSettings(const std::filesystem::path& file, const Settings& settings) {
    std::string content;
    for (std::string_view text :
         {std::string_view(settings.SettingsIdText), std::string_view(settings.ReportKinds),
          std::string_view(settings.TrackGroups)}) {
        content += storableLine(text);
        content += "\r\n";
    }
    content += HexDigits(settings.PrintOptions, 1) + HexDigits(settings.EmaxLines, 1) + "\r\n";
    writeFileAtomically(file, content);
}

std::string HexDigits(unsigned value, int width) {
    std::string text;
    do {
        text.insert(text.begin(), Digits[value & 15]);
        value >>= 4;
    } while (value != 0);
    if (width > 0) {
        const auto wanted = static_cast<std::size_t>(width);
        if (text.size() < wanted)
            text.insert(0, wanted - text.size(), '0');
        else
            text.erase(0, text.size() - wanted);
    }
    return text;
}

unsigned HexValue(std::string_view text) {
    unsigned value = 0;
    for (char c : text) {
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
        const std::size_t digit = Digits.find(c);
        if (digit != std::string_view::npos)
            value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

} // namespace analysis
