// The canvas engine: each report read, planned by the shared page model and drawn column by
// column in the layout of its letter.
#include "core/print/canvas/canvas_composer.h"

#include "core/print/canvas/canvas_layout.h"
#include "core/print/page_plan.h"
#include "core/print/report_reader.h"
#include "core/print/rounding.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <vector>

namespace analysis {

namespace {

/// Where one document's columns stand on the device, worked out once the page size is known.
struct DevicePlacement {
    CanvasGeometry geometry;
    bool pageIsLong = false;
    std::array<int, 2> columnX{};
    int firstRowY = 0;
};

DevicePlacement placeOnPage(const CanvasLayout& layout, int pageWidth, int pageHeight) {
    DevicePlacement placement;
    placement.geometry = {layout.usableWidth.of(pageWidth), layout.logicalWidth,
                          layout.usableHeight.of(pageHeight), layout.logicalHeight};
    placement.pageIsLong = PageIsLong(pageWidth, pageHeight);
    const int shift = placement.pageIsLong ? layout.longPageShift : 0;
    for (std::size_t slot = 0; slot < placement.columnX.size(); ++slot)
        placement.columnX[slot] = ScaleX(placement.geometry, layout.columnX[slot] + shift);
    placement.firstRowY = ScaleY(placement.geometry, layout.firstRowY);
    return placement;
}

/// Draws one report's planned columns, the first on the page already started.
void drawReport(PrinterCanvas& canvas, const CanvasLayout& layout, const DevicePlacement& placement,
                std::span<const std::string> lines) {
    std::vector<Column> columns = planColumns(lines, layout.linesPerColumn);
    walkSheets(
        std::span<const Column>(columns), layout.columnsPerSheet,
        [&](const Column& column, int slot) {
            const int x = placement.columnX[static_cast<std::size_t>(slot)];
            const int pitch =
                column.length > 0 ? linePitch(placement.geometry.devHeight, column.length) : 0;
            walkColumn(column, lines, placement.firstRowY, pitch,
                       [&](int y, std::string_view text) { canvas.drawText(x, y, text); });
        },
        [&](bool last) {
            if (!last)
                canvas.newPage();
        });
}

} // namespace

CanvasPrintResult PrintFileOnCanvas(PrinterCanvas& canvas, const std::filesystem::path& printFile,
                                    char letter) {
    const std::optional<CanvasLayout> layout = canvasLayoutFor(letter);
    if (!layout)
        return {};
    ReportReader reader(printFile, CanvasReportRules);
    canvas.setOrientation(layout->orientation);
    const DevicePlacement placement = placeOnPage(*layout, canvas.pageWidth(), canvas.pageHeight());

    CanvasPrintResult result;
    LineStore store;
    printDocument(canvas, [&] {
        canvas.setFont(layout->font);
        while (!reader.atEnd()) {
            reader.ReadReportLines(store);
            if (store.count() < 2)
                continue;
            // The page break goes before a report rather than after one, so a file whose
            // last reports are empty does not end with a blank sheet.
            if (result.reportsPrinted > 0)
                canvas.newPage();
            drawReport(canvas, *layout, placement, store.lines());
            result.pageIsLong = placement.pageIsLong;
            ++result.reportsPrinted;
        }
    });
    return result;
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
