#include "core/common/cp437.h"

#include <gtest/gtest.h>

#include <set>

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

} // namespace
} // namespace analysis
