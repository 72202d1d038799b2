// The pages a print preview shows, each drawn only when it is looked at: a heavy day prints
// thousands of pages, and a preview must show its first at once.
#pragma once

#include "core/print/pcl/pcl_pages.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QPrinter;

namespace analysis {

/// A page's sheet and where its printable area lies on it, in its printer's device pixels.
struct PreviewSheet {
    QSize paper;
    QRect printable;
    /// Device pixels to the inch.
    int resolution = 600;
};

/// Pages that are drawn again on demand, exactly as the print draws them.
class PreviewPages {
public:
    virtual ~PreviewPages() = default;

    virtual int count() const = 0;
    /// The sheets of paper the pages take: as many as the pages, or fewer when both sides of a
    /// sheet are printed.
    virtual int sheetCount() const { return count(); }
    virtual PreviewSheet sheet(int page) const = 0;
    /// What the page is called beside its picture: "Page 3", or a sheet side of a duplex print,
    /// "Sheet 2, back".
    virtual QString caption(int page) const = 0;
    /// Draws the page on canvas, which stands for the page's printable area.
    virtual void draw(int page, PrinterCanvas& canvas) const = 0;
};

/// The pages the canvas engine prints for printFile in the layout of letter on printer, with
/// the printer's own page size, margins and resolution. The engine draws every page once, into
/// memory; the printer is left in the orientation of the layout, as a print leaves it. Raises
/// what the engine raises.
std::unique_ptr<PreviewPages>
canvasPreviewPages(QPrinter& printer, const std::filesystem::path& printFile, char letter);
/// The pages draw makes as one document on printer, with its page size, margins and resolution.
std::unique_ptr<PreviewPages> canvasPreviewPages(QPrinter& printer,
                                                 const std::function<void(PrinterCanvas&)>& draw);

/// The pages a PCL printer prints from a stream, each on its whole sheet.
std::unique_ptr<PreviewPages> pclPreviewPages(std::vector<pcl::PclPage> pages);

/// A picture of the page: the sheet white, the text black, scaled to size (device pixels of
/// the screen, times pixelRatio for a high-density screen).
QImage renderPreviewPage(const PreviewPages& pages, int page, QSize size, qreal pixelRatio = 1);

} // namespace analysis
