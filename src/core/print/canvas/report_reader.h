// Reading a print file one report at a time for the canvas engine: box-drawing characters
// become ASCII, lines are cut at 80 characters and reports at 480 lines.
#pragma once

#include "core/common/file_io.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

/// What the canvas draws for each byte from 128 up (entry c - 128): box-drawing characters
/// become '|', '-' and '+', shades and blocks '_', '*', '#', guillemets '<' and '>', and every
/// other character a blank. Bytes below 128 are drawn as they are.
inline constexpr std::string_view BoxCharMap =
    "                                              "     // 0x80..0xAD
    "<>_*#||||++||++++++++|-+||++++|-+++++++++++++*****" // 0xAE..0xDF
    "                                ";                  // 0xE0..0xFF
static_assert(BoxCharMap.size() == 128);

/// Most lines a report keeps; later lines are read and dropped.
inline constexpr int MaxReportLines = 480;
/// Most characters a line keeps; later characters are read and dropped.
inline constexpr std::size_t MaxPrintLineLength = 80;

/// The stored lines of the report being printed. It is made once per print and refilled for
/// every report, so the line buffers are allocated only once.
class LineStore {
public:
    LineStore();

    std::span<const std::string> lines() const {
        return {lines_.data(), static_cast<std::size_t>(count_)};
    }
    int count() const noexcept { return count_; }
    bool full() const noexcept { return count_ == MaxReportLines; }

    void clear() noexcept { count_ = 0; }
    /// The buffer of the next line, to be filled and then kept with keepNext(); not full().
    std::string& next() { return lines_[static_cast<std::size_t>(count_)]; }
    void keepNext() noexcept { ++count_; }

private:
    std::vector<std::string> lines_;
    int count_ = 0;
};

/// Reads a print file byte by byte.
///
/// CR (13) ends a line; LF (10) is skipped wherever it stands; a form feed (12) or byte 2 ends
/// a report and the line it stands in. The flags describe the last byte read and keep their
/// values once the file is at its end.
class ReportReader {
public:
    /// Opens the print file; raises IoError when it cannot be opened.
    explicit ReportReader(const std::filesystem::path& printFile) : bytes_(printFile) {}

    bool atEnd() { return bytes_.atEnd(); }
    bool endOfLine() const noexcept { return endOfLine_; }
    bool endOfReport() const noexcept { return endOfReport_; }

    /// Reads one byte into c, translated through BoxCharMap, and sets the flags; at the end of
    /// the file returns false and changes nothing.
    bool ReadPrintChar(char& c) {
        if (bytes_.atEnd())
            return false;
        unsigned char byte = bytes_.get();
        c = byte >= 128 ? BoxCharMap[byte - 128] : static_cast<char>(byte);
        endOfReport_ = byte == 12 || byte == 2;
        endOfLine_ = byte == 13 || endOfReport_;
        return true;
    }

    /// Reads up to the end of the line (or of the file) into line, without its terminator and
    /// without LF bytes, keeping the first MaxPrintLineLength characters.
    void ReadPrintLine(std::string& line);

    /// Reads the next report into store: its lines up to the separator or the end of the file,
    /// the first MaxReportLines of them. The text between the last CR and the separator is not
    /// a line of the report. A file that ends with CR LF gives the report one more, empty line.
    void ReadReportLines(LineStore& store);

private:
    ByteReader bytes_;
    bool endOfLine_ = false;
    bool endOfReport_ = false;
    std::string overflow_;
};

} // namespace analysis
