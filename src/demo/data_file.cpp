// The scrambled daily data file the service delivers for an analysis text.
#include "demo/demo_day.h"

#include "core/common/io_error.h"

#include <cstddef>

namespace analysis::demo {
namespace {

constexpr std::size_t RecordSize = 4096;

// Swapping the two halves of a byte and inverting its bits undoes itself, so the decoder's
// transform also scrambles.
char scramble(char byte) {
    auto b = static_cast<unsigned char>(byte);
    return static_cast<char>(static_cast<unsigned char>(~((b << 4) | (b >> 4))));
}

void putWord(std::string& bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

} // namespace

std::string makeDataFile(std::string_view analysisText, std::uint16_t raceDay) {
    std::size_t records = (analysisText.size() + RecordSize - 1) / RecordSize;
    if (records > 0xFFFF)
        throw AnalysisError("The analysis text is too long for one data file (" +
                            std::to_string(records) + " records, at most 65535).");
    std::string bytes(RecordSize * (records + 1), '\0');
    putWord(bytes, 0, static_cast<std::uint16_t>(records));
    putWord(bytes, 2, raceDay);
    for (std::size_t i = 0; i < records * RecordSize; ++i)
        bytes[RecordSize + i] = scramble(i < analysisText.size() ? analysisText[i] : ' ');
    return bytes;
}

} // namespace analysis::demo
