// The print modes and the print-options word.
#include "core/print/print_modes.h"

namespace analysis {

namespace {
constexpr std::uint16_t ModeBits = 0x07;
constexpr std::uint16_t LegalBit = 0x08;
constexpr std::uint16_t DuplexBit = 0x10;
} // namespace

char LayoutLetter(int fontMode) {
    return static_cast<char>('J' - (fontMode & 3));
}

int fontModeFor(char letter, bool pcl) {
    return ('J' - letter) + (pcl ? 4 : 0);
}

bool isLayoutLetter(char letter) {
    return letter >= 'G' && letter <= 'J';
}

bool isPclMode(int fontMode) {
    return (fontMode & ModeBits) >= 4;
}

int printOptionsFontMode(std::uint16_t printOptions) {
    return printOptions & ModeBits;
}

bool printOptionsLegal(std::uint16_t printOptions) {
    return (printOptions & LegalBit) != 0;
}

bool printOptionsDuplex(std::uint16_t printOptions) {
    return (printOptions & DuplexBit) != 0;
}

std::uint16_t makePrintOptions(int fontMode, bool legal, bool duplex) {
    auto word = static_cast<std::uint16_t>(fontMode & ModeBits);
    if (legal)
        word |= LegalBit;
    if (duplex)
        word |= DuplexBit;
    return word;
}

PrintSettings printSettingsFrom(std::uint16_t printOptions) {
    return {printOptionsFontMode(printOptions), printOptionsLegal(printOptions),
            printOptionsDuplex(printOptions)};
}

std::uint16_t printOptionsWord(const PrintSettings& settings) {
    return makePrintOptions(settings.fontMode, settings.legal, settings.duplex);
}

} // namespace analysis
