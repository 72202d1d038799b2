// The code page 437 character set: the bytes of the program's texts and the Unicode
// characters that show them.
#include "core/common/cp437.h"

#include <algorithm>
#include <array>
#include <utility>

namespace analysis {
namespace {

// Bytes 0x80-0xFF; below 0x80 every byte is its own code point.
constexpr std::array<char32_t, 128> UpperHalf = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0, // F8
};

using ReverseEntry = std::pair<char32_t, unsigned char>;

// The upper half sorted by character, for a binary search when converting back.
std::array<ReverseEntry, 128> makeReverseTable() {
    std::array<ReverseEntry, 128> table{};
    for (std::size_t i = 0; i < UpperHalf.size(); ++i)
        table[i] = {UpperHalf[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(table.begin(), table.end());
    return table;
}

} // namespace

char32_t cp437ToUnicode(unsigned char byte) {
    return byte < 0x80 ? char32_t{byte} : UpperHalf[byte - 0x80u];
}

std::optional<unsigned char> unicodeToCp437(char32_t character) {
    if (character < 0x80)
        return static_cast<unsigned char>(character);
    static const std::array<ReverseEntry, 128> reverse = makeReverseTable();
    auto it = std::lower_bound(reverse.begin(), reverse.end(), ReverseEntry{character, 0});
    if (it == reverse.end() || it->first != character)
        return std::nullopt;
    return it->second;
}

unsigned char cp437FoldCase(unsigned char byte) {
    // Capital and small letter of each pair the code page holds both of.
    static constexpr std::pair<unsigned char, unsigned char> Pairs[] = {
        {0x80, 0x87}, {0x8E, 0x84}, {0x8F, 0x86}, {0x90, 0x82}, {0x92, 0x91},
        {0x99, 0x94}, {0x9A, 0x81}, {0xA5, 0xA4}, {0xE4, 0xE5}, {0xE8, 0xED},
    };
    if (byte >= 'A' && byte <= 'Z')
        return static_cast<unsigned char>(byte - 'A' + 'a');
    for (const auto& [capital, small] : Pairs)
        if (byte == capital)
            return small;
    return byte;
}

std::optional<std::string> cp437FromUtf8(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || i + length > utf8.size())
            return std::nullopt;
        char32_t character = length == 1   ? lead
                             : length == 2 ? lead & 0x1Fu
                             : length == 3 ? lead & 0x0Fu
                                           : lead & 0x07u;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0u) != 0x80u)
                return std::nullopt;
            character = (character << 6) | (next & 0x3Fu);
        }
        // Overlong forms and surrogates are not UTF-8; what is left beyond is not in the page.
        constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (character < Smallest[length] || (character >= 0xD800 && character <= 0xDFFF))
            return std::nullopt;
        std::optional<unsigned char> byte = unicodeToCp437(character);
        if (!byte)
            return std::nullopt;
        bytes += static_cast<char>(*byte);
        i += length;
    }
    return bytes;
}

} // namespace analysis
