// The canvas engine: page counts, the page plan of each report, and the pen that draws it.
#include "core/print/canvas/canvas_composer.h"

#include "core/print/canvas/report_reader.h"
#include "core/print/page_balance.h"
#include "core/print/rounding.h"

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace analysis {

namespace {

constexpr int MaxPagesPerReport = 4;
/// The pen never moves down more than this per line, so a short page is not spread thin.
constexpr int MaxLineAdvance = 120;
constexpr int FirstRowY = 90;
constexpr const char* FontName = "Courier New";

/// The pen of one run: where the next line goes and how far down the one after it goes.
class Pen {
public:
    Pen(PrinterCanvas& canvas, const CanvasGeometry& geometry)
        : canvas_(canvas), geometry_(geometry) {}

    /// Draws one planned page or column with its left edge at columnX (layout units): the
    /// lines of its blocks, one empty line between two blocks.
    void drawColumn(const Column& column, std::span<const std::string> lines, int columnX) {
        x_ = ScaleX(geometry_, columnX);
        y_ = ScaleY(geometry_, FirstRowY);
        pitch_ = column.length > 0 ? linePitch(geometry_.devHeight, column.length) : 0;
        for (std::size_t s = 0; s < column.segments.size(); ++s) {
            if (s > 0)
                PrintLine({});
            const Block& block = column.segments[s];
            for (int i = block.first; i < block.first + block.count; ++i)
                PrintLine(lines[static_cast<std::size_t>(i)]);
        }
    }

private:
    void PrintLine(std::string_view text) {
        canvas_.drawText(x_, y_, text);
        y_ += std::min(pitch_, MaxLineAdvance);
    }

    PrinterCanvas& canvas_;
    const CanvasGeometry& geometry_;
    int x_ = 0;
    int y_ = 0;
    int pitch_ = 0;
};

std::vector<Column> planReport(std::span<const std::string> lines, int pageCount) {
    std::vector<Block> blocks = GroupBlocks(lines);
    return BalancePages(blocks, pageCount);
}

/// One page per planned page, all in the same text column.
void ComposePortrait(PrinterCanvas& canvas, Pen& pen, std::span<const std::string> lines,
                     int pageCount, int columnX) {
    std::vector<Column> pages = planReport(lines, pageCount);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            canvas.newPage();
        pen.drawColumn(pages[p], lines, columnX);
    }
}

/// Two planned columns per sheet, left then right.
void ComposeLandscape(PrinterCanvas& canvas, Pen& pen, std::span<const std::string> lines,
                      int pageCount, bool pageIsLong) {
    // On a long (legal) sheet both columns start 360 layout units further right.
    const int shift = pageIsLong ? 360 : 0;
    const int leftX = 180 + shift;
    const int rightX = 4050 + shift;
    std::vector<Column> columns = planReport(lines, pageCount);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0 && c % 2 == 0)
            canvas.newPage();
        pen.drawColumn(columns[c], lines, c % 2 == 0 ? leftX : rightX);
    }
}

struct RunLayout {
    Orientation orientation = Orientation::Portrait;
    int fontPoints = 9;
    int linesPerPage = 90;
    /// Usable share of the page's width and height, as numerator and denominator.
    int widthNumerator = 15;
    int widthDenominator = 16;
    int heightNumerator = 20;
    int heightDenominator = 21;
    int logicalWidth = 5400;
    int logicalHeight = 7200;
};

using Composer =
    std::function<void(PrinterCanvas&, Pen&, std::span<const std::string>, int, bool pageIsLong)>;

/// The part both runs share: open the file, set up the page, and print report after report,
/// each starting on a fresh page.
CanvasPrintResult run(PrinterCanvas& canvas, const std::filesystem::path& printFile,
                      const RunLayout& layout, const Composer& compose) {
    ReportReader reader(printFile);
    canvas.setOrientation(layout.orientation);
    const int pageWidth = canvas.pageWidth();
    const int pageHeight = canvas.pageHeight();
    const CanvasGeometry geometry{
        pageWidth * layout.widthNumerator / layout.widthDenominator, layout.logicalWidth,
        pageHeight * layout.heightNumerator / layout.heightDenominator, layout.logicalHeight};
    const bool pageIsLong = PageIsLong(pageWidth, pageHeight);

    CanvasPrintResult result;
    LineStore store;
    Pen pen(canvas, geometry);
    canvas.beginDocument();
    try {
        canvas.setFont({FontName, layout.fontPoints, true});
        while (!reader.atEnd()) {
            reader.ReadReportLines(store);
            if (store.count() < 2)
                continue;
            // The page break goes before a report rather than after one, so a file whose
            // last reports are empty does not end with a blank sheet.
            if (result.reportsPrinted > 0)
                canvas.newPage();
            int pageCount =
                std::min((store.count() - 1) / layout.linesPerPage + 1, MaxPagesPerReport);
            compose(canvas, pen, store.lines(), pageCount, pageIsLong);
            result.pageIsLong = pageIsLong;
            ++result.reportsPrinted;
        }
        canvas.endDocument();
    } catch (...) {
        try {
            canvas.abortDocument();
        } catch (...) {
            // The first failure is the one the user needs to see.
        }
        throw;
    }
    return result;
}

} // namespace

bool isLayoutLetter(char letter) {
    return letter >= 'G' && letter <= 'J';
}

CanvasPrintResult PrintFileOnCanvas(PrinterCanvas& canvas, const std::filesystem::path& printFile,
                                    char letter) {
    switch (letter) {
    case 'J':
    case 'I':
        return PortraitRun(canvas, printFile, PortraitVariant::NinePoint);
    case 'H':
        return PortraitRun(canvas, printFile, PortraitVariant::SevenPoint);
    case 'G':
        return LandscapeRun(canvas, printFile);
    default:
        return {};
    }
}

CanvasPrintResult PortraitRun(PrinterCanvas& canvas, const std::filesystem::path& printFile,
                              PortraitVariant variant) {
    const bool nine = variant == PortraitVariant::NinePoint;
    RunLayout layout;
    layout.fontPoints = nine ? 9 : 7;
    layout.linesPerPage = nine ? 90 : 120;
    const int columnX = nine ? 765 : 1230;
    return run(canvas, printFile, layout,
               [columnX](PrinterCanvas& c, Pen& pen, std::span<const std::string> lines,
                         int pageCount,
                         bool) { ComposePortrait(c, pen, lines, pageCount, columnX); });
}

CanvasPrintResult LandscapeRun(PrinterCanvas& canvas, const std::filesystem::path& printFile) {
    RunLayout layout;
    layout.orientation = Orientation::Landscape;
    layout.fontPoints = 7;
    layout.linesPerPage = 90;
    layout.widthNumerator = 20;
    layout.widthDenominator = 21;
    layout.heightNumerator = 15;
    layout.heightDenominator = 16;
    layout.logicalWidth = 7200;
    layout.logicalHeight = 5400;
    return run(canvas, printFile, layout, ComposeLandscape);
}

int ScaleX(const CanvasGeometry& geometry, int layoutUnits) {
    long double ratio = static_cast<long double>(geometry.devWidth) / geometry.logicalWidth;
    return static_cast<int>(ratio * layoutUnits);
}

int ScaleY(const CanvasGeometry& geometry, int layoutUnits) {
    long double ratio = static_cast<long double>(geometry.devHeight) / geometry.logicalHeight;
    return static_cast<int>(ratio * layoutUnits);
}

int linePitch(int devHeight, int lines) {
    return divideRoundHalfEven(devHeight, lines);
}

bool PageIsLong(int pageWidth, int pageHeight) {
    int longSide = std::max(pageWidth, pageHeight);
    int shortSide = std::min(pageWidth, pageHeight);
    if (shortSide <= 0)
        return false;
    return static_cast<double>(longSide) / shortSide > 35.0 / 24.0;
}

} // namespace analysis
