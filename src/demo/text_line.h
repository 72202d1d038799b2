// Fixed-column composition of report lines in code page 437.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace analysis::demo {

/// Code page 437 box-drawing bytes used by the reports.
namespace box {
inline constexpr char Horizontal = '\xC4';
inline constexpr char Vertical = '\xB3';
inline constexpr char TopLeft = '\xDA';
inline constexpr char TopRight = '\xBF';
inline constexpr char BottomLeft = '\xC0';
inline constexpr char BottomRight = '\xD9';
inline constexpr char DownTee = '\xC2';
inline constexpr char UpTee = '\xC1';
} // namespace box

/// One line of blanks that text is placed into by 1-based column, as report layouts are
/// described. Text that would run past the width is cut.
class TextLine {
public:
    explicit TextLine(std::size_t width = 80) : text_(width, ' ') {}

    TextLine& at(int column, std::string_view text);
    TextLine& at(int column, char byte) { return at(column, std::string_view(&byte, 1)); }
    /// Right-aligns text so that it ends at column last.
    TextLine& rightAt(int last, std::string_view text);
    /// Sets columns from..to (inclusive) to byte.
    TextLine& fill(int from, int to, char byte);

    /// The whole line, trailing blanks included.
    const std::string& full() const { return text_; }
    /// The line without trailing blanks.
    std::string trimmed() const;

private:
    std::string text_;
};

/// value with one decimal place ("3.5", "12.0").
std::string oneDecimal(double value);

/// Appends line and CR LF to text.
void appendLine(std::string& text, std::string_view line);

} // namespace analysis::demo
