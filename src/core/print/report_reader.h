// Reading a print file one report at a time for either engine: lines end at CR, LF is
// skipped, the engine's separator bytes end a report, and high bytes are mapped or kept.
#pragma once

#include "core/common/file_io.h"
#include "core/print/print_limits.h"

#include <array>
#include <cstddef>
#include <cstdint>
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

/// How an engine reads the print file.
struct ReadingRules {
    /// Bytes that end a report and the line they stand in; each must be a control byte
    /// (below 32) other than CR and LF.
    std::string_view separators;
    /// What each byte from 128 up becomes (entry c - 128); empty keeps every byte as it is.
    std::string_view highByteMap;
};

/// The PCL engine: a form feed ends a source page, and every byte goes to the printer as it
/// is (the printer's PC-8 symbol set draws the box characters).
inline constexpr ReadingRules PclPageRules{"\f", {}};
/// The canvas engine: a form feed or byte 2 ends a report, and box-drawing characters become
/// ASCII, as the canvas font draws no lines.
inline constexpr ReadingRules CanvasReportRules{"\f\x02", BoxCharMap};

/// The stored lines of the report being printed, as many as it has. It is made once per print
/// and refilled for every report, so line buffers are allocated only as a longer report than
/// any before needs them.
class LineStore {
public:
    std::span<const std::string> lines() const {
        return {lines_.data(), static_cast<std::size_t>(count_)};
    }
    int count() const noexcept { return count_; }

    void clear() noexcept { count_ = 0; }
    /// The buffer of the next line, to be filled and then kept with keepNext().
    std::string& next();
    void keepNext() noexcept { ++count_; }

private:
    std::vector<std::string> lines_;
    int count_ = 0;
};

/// Reads a print file under an engine's ReadingRules.
///
/// CR (13) ends a line; LF (10) is skipped wherever it stands; a separator byte ends a report
/// and the line it stands in. A line keeps its first MaxPrintLineLength characters; a report
/// keeps all its lines. Runs of text between control bytes are copied whole, so reading goes
/// at memory speed. The flags describe the last byte read and keep their values once the file
/// is at its end.
class ReportReader {
public:
    /// Opens the print file; raises IoError when it cannot be opened.
    ReportReader(const std::filesystem::path& printFile, const ReadingRules& rules);

    bool atEnd() { return bytes_.atEnd(); }
    bool endOfLine() const noexcept { return endOfLine_; }
    bool endOfReport() const noexcept { return endOfReport_; }

    /// Reads one byte into c, mapped by the rules, and sets the flags; at the end of the file
    /// returns false and changes nothing.
    bool ReadPrintChar(char& c);

    /// Reads up to the end of the line (or of the file) into line, without its terminator and
    /// without LF bytes, keeping the first MaxPrintLineLength characters.
    void ReadPrintLine(std::string& line);

    /// Reads the next report into store: its lines up to the separator or the end of the file.
    /// The text between the last CR and the separator is not a line of the report. A file that
    /// ends with CR LF gives the report one more, empty line.
    void ReadReportLines(LineStore& store);

private:
    enum class ByteRole : std::uint8_t { Text, LineEnd, Skipped, Separator };

    /// The bytes from here up to the next byte that is not text or the end of the buffered
    /// bytes; atControl tells which of the two ended the run. Call only when atEnd() is false.
    std::string_view takeRun(bool& atControl);
    /// Appends the part of run that fits the line, mapped by the rules.
    void appendRun(std::string& line, std::string_view run) const;
    void noteByte(ByteRole role) noexcept {
        endOfReport_ = role == ByteRole::Separator;
        endOfLine_ = role == ByteRole::LineEnd || endOfReport_;
    }

    ByteReader bytes_;
    std::array<ByteRole, 256> roles_{};
    std::array<char, 256> map_{};
    bool mapsBytes_ = false;
    /// Eight copies of one more than the highest non-text byte, for the word-wide scan.
    std::uint64_t controlBound_ = 0;
    bool endOfLine_ = false;
    bool endOfReport_ = false;
};

} // namespace analysis
