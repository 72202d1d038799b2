#include "core/common/cp437.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace analysis {
namespace {

TEST(Cp437, EveryByteSurvivesARoundTrip) {
    std::set<char32_t> seen;
    for (int byte = 0; byte < 256; ++byte) {
        char32_t character = cp437ToUnicode(static_cast<unsigned char>(byte));
        EXPECT_TRUE(seen.insert(character).second)
            << "two bytes share U+" << std::hex << unsigned(character);
        auto back = unicodeToCp437(character);
        ASSERT_TRUE(back.has_value()) << byte;
        EXPECT_EQ(*back, byte);
    }
}

TEST(Cp437, ControlBytesStayControlCharactersAndBoxesDrawBoxes) {
    struct Case {
        unsigned char byte;
        char32_t character;
    };
    for (Case c :
         {Case{0x01, U'\x01'}, Case{0x02, U'\x02'}, Case{0x0C, U'\f'}, Case{0x7F, U'\x7F'},
          Case{0x41, U'A'}, Case{0xB3, U'\u2502'}, Case{0xC4, U'\u2500'}, Case{0xDA, U'\u250C'},
          Case{0xD9, U'\u2518'}, Case{0xC2, U'\u252C'}, Case{0xC1, U'\u2534'},
          Case{0x80, U'\u00C7'}, Case{0xE1, U'\u00DF'}, Case{0xFF, U'\u00A0'}})
        EXPECT_EQ(cp437ToUnicode(c.byte), c.character) << int(c.byte);
}

TEST(Cp437, CharactersOutsideThePageHaveNoByte) {
    for (char32_t character : {U'\u20AC', U'\u00E3', U'\u2014', U'\U0001F40E', char32_t{0x80}})
        EXPECT_FALSE(unicodeToCp437(character).has_value()) << unsigned(character);
}

TEST(Cp437, FoldingCaseJoinsEachCapitalToItsSmallLetterOnly) {
    // The pairs of the page: A-Z, the accented capitals, and Greek sigma and phi.
    std::map<unsigned char, unsigned char> capitals;
    for (unsigned char c = 'A'; c <= 'Z'; ++c)
        capitals[c] = static_cast<unsigned char>(c + 32);
    for (auto [capital, small] : {std::pair{0x80, 0x87},
                                  {0x9A, 0x81},
                                  {0x90, 0x82},
                                  {0x8E, 0x84},
                                  {0x8F, 0x86},
                                  {0x92, 0x91},
                                  {0x99, 0x94},
                                  {0xA5, 0xA4},
                                  {0xE4, 0xE5},
                                  {0xE8, 0xED}})
        capitals[static_cast<unsigned char>(capital)] = static_cast<unsigned char>(small);
    for (int byte = 0; byte < 256; ++byte) {
        const auto b = static_cast<unsigned char>(byte);
        const auto capital = capitals.find(b);
        EXPECT_EQ(cp437FoldCase(b), capital == capitals.end() ? b : capital->second) << byte;
    }
    // Box drawing, the small letters without a capital in the page, and the German sharp s
    // stand for themselves.
    for (unsigned char same : {0xB3, 0xC4, 0xDA, 0x83, 0xA0, 0xE1, 0xE0, 0xEA, 0x9B})
        EXPECT_EQ(cp437FoldCase(same), same) << int(same);
}

TEST(Cp437, Utf8TextBecomesTheBytesOfItsCharacters) {
    struct Case {
        std::string utf8;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {"COPPER TALE", "COPPER TALE"},
        {"", ""},
        {"\u00C4rger \u2502 \u00E9", "\x8Erger \xB3 \x82"},
        {"\u03A3\u03C6", "\xE4\xED"},
        {"\u20AC5", std::nullopt},          // the euro sign is not in the page
        {"\xB3", std::nullopt},             // a lone continuation byte
        {"\xC3", std::nullopt},             // cut short
        {"\xC0\xBA", std::nullopt},         // ":" in an overlong form
        {"\xED\xA0\x80", std::nullopt},     // a surrogate
        {"\xF0\x9F\x90\x8E", std::nullopt}, // a horse, outside the page
    };
    for (const Case& c : cases)
        EXPECT_EQ(cp437FromUtf8(c.utf8), c.bytes) << c.utf8;
}

} // namespace
} // namespace analysis
