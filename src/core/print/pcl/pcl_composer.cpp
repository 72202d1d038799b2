// The PCL engine: a print file in, a PCL 5 stream out, for the layouts G, H, I and J.
#include "core/print/pcl/pcl_composer.h"

#include "core/print/page_balance.h"
#include "core/print/pcl/pcl_commands.h"
#include "core/print/pcl/pcl_layout.h"
#include "core/print/rounding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace analysis::pcl {

namespace {

constexpr std::size_t PageLineCapacity = 480;
constexpr std::size_t LineCapacity = 80;
constexpr int LargestAdvance = 120;
constexpr int MaxColumns = 4;
constexpr int PortraitOrientation = 0;
constexpr int LandscapeOrientation = 1;
constexpr int LongEdgeDuplex = 1;
constexpr int LegalPageSize = 3;
constexpr int Pc8SymbolSet = 10;
constexpr std::uint8_t LinePrinterTypeface = 0;
constexpr std::int8_t DemiBold = 2;
constexpr std::uint8_t Upright = 0;
constexpr char FormFeed = '\x0c';
constexpr char CarriageReturn = '\x0d';
constexpr char LineFeed = '\x0a';

/// Kept out of line: inlined, the compiler copies these short runs with a slow string move.
[[gnu::noinline]] void appendBytes(std::string& to, std::string_view bytes) {
    to.append(bytes);
}

/// The print file, read a chunk at a time; hands out runs of plain text bytes so that lines
/// are copied whole rather than byte by byte.
class SourceReader {
public:
    explicit SourceReader(const std::filesystem::path& path) : bytes_(path) {}

    /// True when every byte has been read.
    bool atEnd() { return bytes_.atEnd(); }

    /// The bytes from here up to the next CR, LF or form feed or the end of the buffered bytes;
    /// call only when atEnd() is false.
    std::string_view takeRun() {
        std::string_view buffered = bytes_.buffered();
        const char* start = buffered.data();
        const char* end = start + buffered.size();
        const char* stop = start;
        for (;;) {
            // Eight bytes at a time while none of them is a control byte below 0E hex.
            while (end - stop >= 8 && !holdsByteBelow0E(stop))
                stop += 8;
            const char* limit = end - stop >= 8 ? stop + 8 : end;
            while (stop != limit && !isLineControl(*stop))
                ++stop;
            if (stop != limit || stop == end)
                break;
        }
        auto length = static_cast<std::size_t>(stop - start);
        bytes_.skip(length);
        return {start, length};
    }

    /// The next byte; call only when atEnd() is false.
    char take() { return static_cast<char>(bytes_.get()); }

private:
    static bool holdsByteBelow0E(const char* bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        constexpr std::uint64_t Ones = 0x0101010101010101u;
        return ((word - Ones * 0x0E) & ~word & Ones * 0x80) != 0;
    }

    static bool isLineControl(char byte) {
        return byte == CarriageReturn || byte == LineFeed || byte == FormFeed;
    }

    ByteReader bytes_;
};

/// The state of one job: the open source, the page line buffer, and the bytes of the page
/// being composed, which go to the output once the page is complete.
class PclJob {
public:
    PclJob(const std::filesystem::path& printFile, const PclLayout& layout, bool legal, bool duplex,
           OutputFile& out)
        : source_(printFile), layout_(layout), legal_(legal), duplex_(duplex), out_(out),
          lines_(PageLineCapacity) {
        for (std::string& line : lines_)
            line.reserve(LineCapacity);
        overflow_.reserve(LineCapacity);
    }

    void run() {
        int linesPerColumn = layout_.linesPerColumn(legal_);
        while (!source_.atEnd()) {
            ReadSourcePage();
            if (stored_ == 0)
                continue;
            int columns = std::min(MaxColumns, static_cast<int>(stored_ - 1) / linesPerColumn + 1);
            page_.clear();
            if (layout_.landscape)
                ComposeLandscapePage(columns);
            else
                ComposePortraitPage(columns);
            out_.write(page_);
        }
    }

private:
    /// Reads one line into line: CR or form feed ends it (and is not part of it), LF is
    /// skipped, bytes after the 80th are dropped. The end of the source ends the last line.
    void ReadSourceLine(std::string& line) {
        line.clear();
        endOfPage_ = false;
        while (!source_.atEnd()) {
            std::string_view run = source_.takeRun();
            if (line.size() < LineCapacity)
                appendBytes(line, run.substr(0, LineCapacity - line.size()));
            if (source_.atEnd())
                return;
            char byte = source_.take();
            if (byte == FormFeed) {
                endOfPage_ = true;
                return;
            }
            if (byte == CarriageReturn)
                return;
        }
    }

    /// Reads the lines up to the next form feed or the end of the source. The line that the
    /// form feed ends is not stored, and lines after the 480th are read and dropped.
    void ReadSourcePage() {
        stored_ = 0;
        while (!source_.atEnd()) {
            std::string& line = stored_ < PageLineCapacity ? lines_[stored_] : overflow_;
            ReadSourceLine(line);
            if (endOfPage_)
                return;
            if (stored_ < PageLineCapacity)
                ++stored_;
        }
    }

    std::vector<Column> SplitIntoColumns(int columns) const {
        std::span<const std::string> page(lines_.data(), stored_);
        return BalancePages(GroupBlocks(page), columns);
    }

    void PlaceLine(std::string_view text) {
        EmitCursor(page_, horizontal_, vertical_);
        EmitText(page_, text);
        vertical_ += std::min(step_, LargestAdvance);
    }

    void printColumn(const Column& column, int left) {
        horizontal_ = left;
        vertical_ = layout_.top;
        step_ = 0;
        if (column.length > 0) {
            step_ = divideRoundHalfEven(layout_.textDepth, column.length);
            if (legal_ && !layout_.landscape)
                step_ = divideRoundHalfEven(step_ * 13, 10);
        }
        for (std::size_t s = 0; s < column.segments.size(); ++s) {
            if (s > 0)
                PlaceLine({});
            const Block& block = column.segments[s];
            for (int i = block.first; i < block.first + block.count; ++i)
                PlaceLine(lines_[static_cast<std::size_t>(i)]);
        }
    }

    void emitSetUp(int orientation, bool withDuplex) {
        EmitReset(page_);
        EmitOrientation(page_, orientation);
        if (withDuplex)
            EmitDuplex(page_, LongEdgeDuplex);
        if (legal_)
            EmitPageSize(page_, LegalPageSize);
        EmitFont(page_, LinePrinterTypeface, DemiBold, Upright, layout_.font.pitch,
                 layout_.font.height);
        EmitSymbolSet(page_, Pc8SymbolSet);
    }

    /// Each column on a sheet of its own.
    void ComposePortraitPage(int columns) {
        std::vector<Column> split = SplitIntoColumns(columns);
        emitSetUp(PortraitOrientation, duplex_);
        for (const Column& column : split) {
            printColumn(column, layout_.left(legal_)[0]);
            page_.push_back(FormFeed);
        }
        EmitReset(page_);
    }

    /// Two columns side by side on each sheet. Duplex is never asked for in landscape.
    void ComposeLandscapePage(int columns) {
        std::vector<Column> split = SplitIntoColumns(columns);
        emitSetUp(LandscapeOrientation, false);
        const std::array<int, 2>& left = layout_.left(legal_);
        for (std::size_t c = 0; c < split.size(); c += 2) {
            printColumn(split[c], left[0]);
            if (c + 1 < split.size())
                printColumn(split[c + 1], left[1]);
            page_.push_back(FormFeed);
        }
        EmitReset(page_);
    }

    SourceReader source_;
    const PclLayout& layout_;
    bool legal_;
    bool duplex_;
    OutputFile& out_;

    std::vector<std::string> lines_;
    std::string overflow_;
    std::size_t stored_ = 0;
    bool endOfPage_ = false;

    std::string page_;
    int horizontal_ = 0;
    int vertical_ = 0;
    int step_ = 0;
};

} // namespace

void PrintPclJob(const std::filesystem::path& printFile, char layoutLetter, bool legal, bool duplex,
                 OutputFile& pclOut) {
    std::optional<PclLayout> layout = pclLayoutFor(layoutLetter);
    if (!layout)
        return;
    PclJob job(printFile, *layout, legal, duplex, pclOut);
    job.run();
}

} // namespace analysis::pcl
