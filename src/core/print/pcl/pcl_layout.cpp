// Page set-up of the four PCL layouts G, H, I and J.
#include "core/print/pcl/pcl_layout.h"

namespace analysis::pcl {

namespace {

constexpr PclFont SmallFont{16.67, 8.5};
constexpr PclFont TenPointFont{12.0, 10.0};

} // namespace

std::optional<PclLayout> pclLayoutFor(char letter) {
    switch (letter) {
    case 'G':
        return PclLayout{.landscape = true,
                         .font = SmallFont,
                         .leftLetter = {180, 4050},
                         .leftLegal = {720, 5670},
                         .textDepth = 5400,
                         .linesPerColumnLetter = 90,
                         .linesPerColumnLegal = 90};
    case 'H':
        return PclLayout{.font = SmallFont,
                         .leftLetter = {1080, 1080},
                         .leftLegal = {1080, 1080},
                         .linesPerColumnLetter = 120,
                         .linesPerColumnLegal = 156};
    case 'I':
        // 105 lines a column is a pitch of about 6.9 points: the 8.5 point Line Printer font
        // fits it, and every PCL 5 printer has that bitmap font, so none substitutes another.
        // At 810 decipoints its 80 columns end at 4266, well inside the page.
        return PclLayout{.font = SmallFont,
                         .leftLetter = {810, 810},
                         .leftLegal = {810, 810},
                         .linesPerColumnLetter = 105,
                         .linesPerColumnLegal = 135};
    case 'J':
        return PclLayout{.font = TenPointFont,
                         .leftLetter = {540, 540},
                         .leftLegal = {540, 540},
                         .linesPerColumnLetter = 90,
                         .linesPerColumnLegal = 117};
    default:
        return std::nullopt;
    }
}

} // namespace analysis::pcl
