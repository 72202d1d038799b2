// Page set-up of the four PCL layouts G, H, I and J.
#pragma once

#include "core/print/print_modes.h"

#include <array>
#include <optional>

namespace analysis::pcl {

/// A Line Printer font by pitch (characters per inch) and height (points).
struct PclFont {
    double pitch = 16.67;
    double height = 8.5;
};

/// How one layout lays out its pages; positions and depths in decipoints.
struct PclLayout {
    bool landscape = false;
    PclFont font;
    /// Left positions of the columns on a sheet: portrait layouts use only the first.
    std::array<int, 2> leftLetter{};
    std::array<int, 2> leftLegal{};
    int top = 90;
    /// Height over which a column's lines are spread.
    int textDepth = 7200;
    /// Stored lines of a source page above which the page takes another column.
    int linesPerColumnLetter = 90;
    int linesPerColumnLegal = 90;

    const std::array<int, 2>& left(bool legal) const { return legal ? leftLegal : leftLetter; }
    int linesPerColumn(bool legal) const {
        return legal ? linesPerColumnLegal : linesPerColumnLetter;
    }
    /// Columns side by side on a sheet.
    int columnsPerSheet() const { return landscape ? 2 : 1; }
};

/// The PCL layouts are those of the canvas: the same letter check serves both engines.
inline bool isPclLayoutLetter(char letter) {
    return isLayoutLetter(letter);
}

/// The layout of a letter "G" to "J"; nothing for any other letter.
std::optional<PclLayout> pclLayoutFor(char letter);

} // namespace analysis::pcl
