// The pages a print preview shows, drawn on demand.
#include "platform/preview_pages.h"

#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/drawn_document.h"
#include "platform/canvas_text.h"
#include "platform/qt_canvas.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace analysis {

namespace {

constexpr int DecipointsPerInch = 720;
constexpr double MetresPerInch = 0.0254;

/// One page drawn with a painter set up on a page picture: the calls that begin and end the
/// document and its pages have nothing to do.
class PainterPageCanvas : public PrinterCanvas {
public:
    PainterPageCanvas(QPainter& painter, QSize printable) : painter_(painter), size_(printable) {}

    void setOrientation(Orientation) override {}
    int pageWidth() const override { return size_.width(); }
    int pageHeight() const override { return size_.height(); }
    void beginDocument() override {}
    void newPage() override {}
    void endDocument() override {}
    void abortDocument() override {}
    void setFont(const CanvasFont& font) override { text_.setFont(painter_, font); }
    void drawText(int x, int y, std::string_view text) override {
        text_.draw(painter_, x, y, text);
    }

private:
    QPainter& painter_;
    QSize size_;
    CanvasTextPainter text_;
};

class CanvasPages : public PreviewPages {
public:
    CanvasPages(QPrinter& printer, const std::function<void(PrinterCanvas&)>& draw) {
        QtPrinterCanvas printerCanvas(printer);
        DocumentRecorder recorder(printerCanvas);
        draw(recorder);
        document_ = recorder.takeDocument();
        resolution_ = printer.resolution();
        for (Orientation orientation : {Orientation::Portrait, Orientation::Landscape}) {
            QPageLayout layout = printer.pageLayout();
            layout.setOrientation(orientation == Orientation::Portrait ? QPageLayout::Portrait
                                                                       : QPageLayout::Landscape);
            QRect paper = layout.fullRectPixels(resolution_);
            QRect printable = printer.fullPage() ? paper : layout.paintRectPixels(resolution_);
            sheets_[static_cast<int>(orientation)] =
                PreviewSheet{paper.size(), printable, resolution_};
        }
    }

    int count() const override { return static_cast<int>(document_.pages.size()); }

    PreviewSheet sheet(int page) const override {
        const DrawnPage& drawn = pageAt(page);
        PreviewSheet sheet = sheets_[static_cast<int>(drawn.orientation)];
        // The size the engine laid the page out on is the one that counts.
        sheet.printable.setSize(QSize(drawn.width, drawn.height));
        return sheet;
    }

    QString caption(int page) const override { return QString("Page %1").arg(page + 1); }

    void draw(int page, PrinterCanvas& canvas) const override {
        document_.drawPage(static_cast<std::size_t>(page), canvas);
    }

private:
    const DrawnPage& pageAt(int page) const {
        return document_.pages.at(static_cast<std::size_t>(page));
    }

    DrawnDocument document_;
    int resolution_ = 600;
    PreviewSheet sheets_[2];
};

class PclPages : public PreviewPages {
public:
    explicit PclPages(std::vector<pcl::PclPage> pages) : pages_(std::move(pages)) {
        int sheet = 0;
        for (const pcl::PclPage& page : pages_) {
            if (!page.backSide)
                ++sheet;
            sheets_.push_back(sheet);
        }
    }

    int count() const override { return static_cast<int>(pages_.size()); }
    int sheetCount() const override { return sheets_.empty() ? 0 : sheets_.back(); }

    PreviewSheet sheet(int page) const override {
        const pcl::PclPage& pclPage = pageAt(page);
        QSize paper(pcl::sheetWidth(pclPage), pcl::sheetHeight(pclPage));
        return PreviewSheet{paper, QRect(QPoint(0, 0), paper), DecipointsPerInch};
    }

    QString caption(int page) const override {
        const pcl::PclPage& pclPage = pageAt(page);
        if (!pclPage.duplex)
            return QString("Page %1").arg(page + 1);
        return QString("Sheet %1, %2")
            .arg(sheets_[static_cast<std::size_t>(page)])
            .arg(pclPage.backSide ? "back" : "front");
    }

    void draw(int page, PrinterCanvas& canvas) const override {
        pcl::drawPclPage(canvas, pageAt(page));
    }

private:
    const pcl::PclPage& pageAt(int page) const { return pages_.at(static_cast<std::size_t>(page)); }

    std::vector<pcl::PclPage> pages_;
    /// The sheet each page is printed on, counted from 1.
    std::vector<int> sheets_;
};

} // namespace

std::unique_ptr<PreviewPages>
canvasPreviewPages(QPrinter& printer, const std::filesystem::path& printFile, char letter) {
    return canvasPreviewPages(
        printer, [&](PrinterCanvas& canvas) { PrintFileOnCanvas(canvas, printFile, letter); });
}

std::unique_ptr<PreviewPages> canvasPreviewPages(QPrinter& printer,
                                                 const std::function<void(PrinterCanvas&)>& draw) {
    return std::make_unique<CanvasPages>(printer, draw);
}

std::unique_ptr<PreviewPages> pclPreviewPages(std::vector<pcl::PclPage> pages) {
    return std::make_unique<PclPages>(std::move(pages));
}

QImage renderPreviewPage(const PreviewPages& pages, int page, QSize size, qreal pixelRatio) {
    const PreviewSheet sheet = pages.sheet(page);
    QImage image(size * pixelRatio, QImage::Format_RGB32);
    image.fill(Qt::white);
    // Fonts are sized by the picture's resolution: at the printer's, a font of so many points
    // is as many page pixels tall as on paper, and the painter's scale brings it to the picture.
    const int dotsPerMetre = static_cast<int>(std::lround(sheet.resolution / MetresPerInch));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(static_cast<qreal>(image.width()) / sheet.paper.width(),
                  static_cast<qreal>(image.height()) / sheet.paper.height());
    painter.translate(sheet.printable.topLeft());
    painter.setPen(Qt::black);
    PainterPageCanvas canvas(painter, sheet.printable.size());
    pages.draw(page, canvas);
    painter.end();
    image.setDevicePixelRatio(pixelRatio);
    return image;
}

} // namespace analysis
