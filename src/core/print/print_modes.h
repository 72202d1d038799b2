// The eight print modes: their labels, which engine each uses, and the print-options word.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace analysis {

/// Number of print modes; `FontMode` runs from 0 to FontModeCount - 1.
inline constexpr int FontModeCount = 8;

/// The label of each `FontMode` as the mode selector shows it: 29 characters, blanks included.
inline constexpr std::array<std::string_view, FontModeCount> PrintModeTable{
    "     WIN Portrait 9pt        ", "     WIN  *reserved*         ",
    "     WIN Portrait 7pt        ", "     WIN Landscape 7pt       ",
    "     PCL Portrait 10pt       ", "     PCL  *reserved*         ",
    "     PCL Portrait 6pt        ", "     PCL Landscape 6pt       ",
};

/// The layout letter handed to either engine: 'J', 'I', 'H', 'G' for fontMode mod 4 = 0..3.
char LayoutLetter(int fontMode);

/// The mode that prints in the layout of letter ('G' to 'J') through the PCL engine (modes 4 to
/// 7) or the canvas engine (0 to 3).
int fontModeFor(char letter, bool pcl);

/// True for the layout letters both engines print, 'G' to 'J'; any other letter prints nothing.
bool isLayoutLetter(char letter);

/// True for modes 4 to 7, which print through the PCL engine; modes 0 to 3 draw on the canvas.
bool isPclMode(int fontMode);

/// `PrintOptions` before a settings file supplies one: mode 2, no legal paper, no duplex.
inline constexpr std::uint16_t DefaultPrintOptions = 2;

/// The mode held in bits 0 to 2 of a print-options word.
int printOptionsFontMode(std::uint16_t printOptions);
/// Bit 3: legal paper was chosen in the PCL printer options.
bool printOptionsLegal(std::uint16_t printOptions);
/// Bit 4: duplex was chosen in the PCL printer options.
bool printOptionsDuplex(std::uint16_t printOptions);

/// The word the mode selector stores: the mode (0 to 7), the legal and the duplex bit; the
/// unused bits 5 to 15 are 0.
std::uint16_t makePrintOptions(int fontMode, bool legal, bool duplex);

/// The print choices as one value: the mode (0 to 7) and the legal-paper and duplex flags the
/// PCL engine receives.
struct PrintSettings {
    int fontMode = 2;
    bool legal = false;
    bool duplex = false;

    friend bool operator==(const PrintSettings&, const PrintSettings&) = default;
};

/// The settings of a print-options word: the mode in bits 0 to 2, legal paper in bit 3, duplex
/// in bit 4.
PrintSettings printSettingsFrom(std::uint16_t printOptions);
/// The print-options word of the settings; the unused bits 5 to 15 are 0.
std::uint16_t printOptionsWord(const PrintSettings& settings);

} // namespace analysis
