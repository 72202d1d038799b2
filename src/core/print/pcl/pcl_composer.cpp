// The PCL engine: a print file in, a PCL 5 stream out, for the layouts G, H, I and J.
#include "core/print/pcl/pcl_composer.h"

#include "core/print/page_plan.h"
#include "core/print/pcl/pcl_commands.h"
#include "core/print/pcl/pcl_layout.h"
#include "core/print/report_reader.h"
#include "core/print/rounding.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis::pcl {

namespace {

constexpr int PortraitOrientation = 0;
constexpr int LandscapeOrientation = 1;
constexpr int LongEdgeDuplex = 1;
constexpr int LegalPageSize = 3;
constexpr int Pc8SymbolSet = 10;
constexpr std::uint8_t LinePrinterTypeface = 0;
constexpr std::int8_t DemiBold = 2;
constexpr std::uint8_t Upright = 0;
constexpr char FormFeed = '\x0c';

/// The state of one job: the open source, the lines of the source page being printed, and the
/// bytes of that page, which go to the output once the page is complete.
class PclJob {
public:
    PclJob(const std::filesystem::path& printFile, const PclLayout& layout, bool legal, bool duplex,
           OutputFile& out)
        : source_(printFile, PclPageRules), layout_(layout), legal_(legal), duplex_(duplex),
          out_(out) {}

    void run() {
        const int linesPerColumn = layout_.linesPerColumn(legal_);
        while (!source_.atEnd()) {
            source_.ReadReportLines(pageLines_);
            if (pageLines_.count() == 0)
                continue;
            page_.clear();
            composePage(planColumns(pageLines_.lines(), linesPerColumn));
            out_.write(page_);
        }
    }

private:
    /// The vertical step that fills the text depth with the column's lines; on legal paper
    /// a portrait column is stretched by 1.3 to fill the longer sheet.
    int stepFor(const Column& column) const {
        if (column.length == 0)
            return 0;
        int step = divideRoundHalfEven(layout_.textDepth, column.length);
        if (legal_ && !layout_.landscape)
            step = divideRoundHalfEven(step * 13, 10);
        return step;
    }

    void printColumn(const Column& column, int left) {
        walkColumn(column, pageLines_.lines(), layout_.top, stepFor(column),
                   [this, left](int vertical, std::string_view text) {
                       EmitCursor(page_, left, vertical);
                       EmitText(page_, text);
                   });
    }

    /// The set-up that opens every source page. Duplex is never asked for in landscape.
    void emitSetUp() {
        EmitReset(page_);
        EmitOrientation(page_, layout_.landscape ? LandscapeOrientation : PortraitOrientation);
        if (duplex_ && !layout_.landscape)
            EmitDuplex(page_, LongEdgeDuplex);
        if (legal_)
            EmitPageSize(page_, LegalPageSize);
        EmitFont(page_, LinePrinterTypeface, DemiBold, Upright, layout_.font.pitch,
                 layout_.font.height);
        EmitSymbolSet(page_, Pc8SymbolSet);
    }

    /// One source page: its columns sheet by sheet, each sheet ended by a form feed.
    void composePage(const std::vector<Column>& columns) {
        emitSetUp();
        const std::array<int, 2>& left = layout_.left(legal_);
        walkSheets(
            std::span<const Column>(columns), layout_.columnsPerSheet(),
            [&](const Column& column, int slot) {
                printColumn(column, left[static_cast<std::size_t>(slot)]);
            },
            [&](bool) { page_.push_back(FormFeed); });
        EmitReset(page_);
    }

    ReportReader source_;
    const PclLayout& layout_;
    bool legal_;
    bool duplex_;
    OutputFile& out_;

    LineStore pageLines_;
    std::string page_;
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
