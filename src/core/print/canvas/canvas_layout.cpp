// Page set-up of the four canvas layouts G, H, I and J.
#include "core/print/canvas/canvas_layout.h"

namespace analysis {

namespace {

// The usable area covers 15/16 of the page's short side and 20/21 of its long side.
constexpr PageShare ShortSide{15, 16};
constexpr PageShare LongSide{20, 21};

} // namespace

std::optional<CanvasLayout> canvasLayoutFor(char letter) {
    switch (letter) {
    case 'G':
        return CanvasLayout{.orientation = Orientation::Landscape,
                            .font = {"Courier New", 7, true},
                            .linesPerColumn = 90,
                            .columnsPerSheet = 2,
                            .columnX = {180, 4050},
                            .longPageShift = 360,
                            .logicalWidth = 7200,
                            .logicalHeight = 5400,
                            .usableWidth = LongSide,
                            .usableHeight = ShortSide};
    case 'H':
        return CanvasLayout{.font = {"Courier New", 7, true},
                            .linesPerColumn = 120,
                            .columnX = {1230, 1230},
                            .usableWidth = ShortSide,
                            .usableHeight = LongSide};
    case 'I':
    case 'J':
        return CanvasLayout{.font = {"Courier New", 9, true},
                            .linesPerColumn = 90,
                            .columnX = {765, 765},
                            .usableWidth = ShortSide,
                            .usableHeight = LongSide};
    default:
        return std::nullopt;
    }
}

} // namespace analysis
