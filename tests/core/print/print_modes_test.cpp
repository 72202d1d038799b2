#include "core/print/print_modes.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

TEST(PrintModeTable, LabelsAreTwentyNineCharactersWithTheModeTextAfterFiveBlanks) {
    const char* texts[] = {"WIN Portrait 9pt",  "WIN  *reserved*",   "WIN Portrait 7pt",
                           "WIN Landscape 7pt", "PCL Portrait 10pt", "PCL  *reserved*",
                           "PCL Portrait 6pt",  "PCL Landscape 6pt"};
    for (int mode = 0; mode < FontModeCount; ++mode) {
        std::string expected = std::string(5, ' ') + texts[mode];
        expected.resize(29, ' ');
        EXPECT_EQ(PrintModeTable[static_cast<std::size_t>(mode)], expected) << "mode " << mode;
    }
}

TEST(LayoutLetter, FollowsTheModeWithinEachFamily) {
    const char letters[] = {'J', 'I', 'H', 'G', 'J', 'I', 'H', 'G'};
    for (int mode = 0; mode < FontModeCount; ++mode) {
        EXPECT_EQ(LayoutLetter(mode), letters[mode]) << "mode " << mode;
        EXPECT_EQ(isPclMode(mode), mode >= 4) << "mode " << mode;
    }
}

TEST(PrintOptions, PacksModeLegalAndDuplexBits) {
    EXPECT_EQ(printOptionsFontMode(DefaultPrintOptions), 2);
    EXPECT_FALSE(printOptionsLegal(DefaultPrintOptions));
    EXPECT_FALSE(printOptionsDuplex(DefaultPrintOptions));

    // A settings digit "A" restores mode 2 on legal paper.
    EXPECT_EQ(printOptionsFontMode(0xA), 2);
    EXPECT_TRUE(printOptionsLegal(0xA));
    EXPECT_TRUE(printOptionsDuplex(0x17));
    EXPECT_EQ(printOptionsFontMode(0x17), 7);

    EXPECT_EQ(makePrintOptions(3, true, false), 0x0B);
    EXPECT_EQ(makePrintOptions(7, false, true), 0x17);
    EXPECT_EQ(makePrintOptions(0, true, true), 0x18);
}

} // namespace
} // namespace analysis
