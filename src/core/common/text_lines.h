// Reading the program's text files (settings, analysis, reports, schedule) line by line.
#pragma once

#include <cstddef>
#include <string_view>

namespace analysis {

/// Walks the lines of a text held in memory.
///
/// CR LF ends a line, and so does a lone CR or a lone LF, so files written on any system
/// read alike. The terminator is not part of the line. Text after the last terminator is a
/// last line of its own; a text that ends with a terminator has no empty line after it, and an
/// empty text has no lines. Every other byte, form feed and byte 2 included, is line content.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    /// Stores the next line in line and returns true, or returns false at the end of the text.
    bool next(std::string_view& line);

    bool atEnd() const noexcept { return pos_ >= text_.size(); }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace analysis
