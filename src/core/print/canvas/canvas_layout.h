// Page set-up of the four canvas layouts G, H, I and J.
#pragma once

#include "core/print/canvas/printer_canvas.h"

#include <array>
#include <cstdint>
#include <optional>

namespace analysis {

/// A share of a page side, as numerator and denominator.
struct PageShare {
    int numerator = 1;
    int denominator = 1;

    /// The share of pixels, truncated. Computed in 64 bits: no share is more than the whole, so
    /// any page side a printer can report gives a side that fits.
    int of(int pixels) const {
        return static_cast<int>(static_cast<std::int64_t>(pixels) * numerator / denominator);
    }
};

/// How one canvas layout lays out its pages; positions in layout units of the logical page.
struct CanvasLayout {
    Orientation orientation = Orientation::Portrait;
    CanvasFont font{"Courier New", 9, true};
    /// Lines a page (or column) holds at the nominal pitch; it decides the page count.
    int linesPerColumn = 90;
    /// Columns side by side on a sheet: 1 in portrait, 2 in landscape.
    int columnsPerSheet = 1;
    /// Left edges of the columns on a sheet; a portrait layout uses only the first.
    std::array<int, 2> columnX{};
    /// How far right the columns stand on a long (legal) page.
    int longPageShift = 0;
    int firstRowY = 90;
    /// The logical page, mapped onto the usable share of the printer's page.
    int logicalWidth = 5400;
    int logicalHeight = 7200;
    PageShare usableWidth{15, 16};
    PageShare usableHeight{20, 21};
};

/// The layout of a letter "G" to "J"; nothing for any other letter.
std::optional<CanvasLayout> canvasLayoutFor(char letter);

} // namespace analysis
