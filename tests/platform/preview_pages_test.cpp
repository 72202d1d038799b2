// The pages of a print preview: the print's own pages on their sheets, each picture showing the
// text where the paper will have it.
#include "platform/preview_pages.h"

#include "core/common/file_io.h"
#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/recording_canvas.h"
#include "core/print/pcl/pcl_composer.h"
#include "demo/demo_day.h"
#include "support/temp_dir.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <gtest/gtest.h>

#include <string>

namespace analysis {
namespace {

const std::string Esc = "\x1b";

/// A 600 dpi printer whose printable area starts a quarter inch in on every side: on letter
/// paper 5100 x 6600 pixels, 4800 x 6300 of them printable from (150, 150).
void setUpPrinter(QPrinter& printer, QPageSize::PageSizeId paper = QPageSize::Letter) {
    printer.setResolution(600);
    printer.setPageLayout(QPageLayout(QPageSize(paper), QPageLayout::Portrait,
                                      QMarginsF(18, 18, 18, 18), QPageLayout::Point));
}

int countOf(const std::string& text, const std::string& what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

/// The box around the dark pixels of image inside band; empty when there are none.
QRect inkIn(const QImage& image, const QRect& band) {
    QRect ink;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST(PreviewPages, CanvasPagesAreThePrintsPagesOnThePrintersSheet) {
    testing::TempDir dir;
    std::string report;
    for (int line = 1; line <= 500; ++line)
        report += "MMMM line " + std::to_string(line) + "\r\n";
    std::filesystem::path prn = dir.write("Analysis.PRN", report);
    struct Case {
        char letter;
        QSize paper;
        QRect printable;
    } cases[] = {
        {'J', QSize(5100, 6600), QRect(150, 150, 4800, 6300)},
        {'G', QSize(6600, 5100), QRect(150, 150, 6300, 4800)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letter);
        RecordingCanvas printed(4800, 6300);
        PrintFileOnCanvas(printed, prn, c.letter);
        const std::string& trace = printed.trace();

        QPrinter printer(QPrinter::HighResolution);
        setUpPrinter(printer);
        std::unique_ptr<PreviewPages> pages = canvasPreviewPages(printer, prn, c.letter);
        ASSERT_EQ(pages->count(), countOf(trace, "newpage\n") + 1);
        PreviewSheet sheet = pages->sheet(0);
        EXPECT_EQ(sheet.paper, c.paper);
        EXPECT_EQ(sheet.printable, c.printable);
        EXPECT_EQ(sheet.resolution, 600);
        EXPECT_EQ(pages->caption(1), "Page 2");

        // The first text's cell starts where the print puts it: the printable area's corner
        // and the text's place in it, at a tenth of the size.
        std::istringstream first(trace.substr(trace.find("text ") + 5));
        int x = 0;
        int y = 0;
        first >> x >> y;
        QImage picture = renderPreviewPage(*pages, 0, c.paper / 10);
        QRect ink = inkIn(picture, QRect(0, (150 + y) / 10, picture.width(), 6));
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_NEAR(ink.left(), (150 + x) / 10.0, 2.0);
        EXPECT_TRUE(inkIn(picture, QRect(0, 0, picture.width(), (150 + y) / 10 - 1)).isEmpty());
    }
}

TEST(PreviewPages, EveryLayoutOnEveryPaperShowsAsManyPagesAsItPrints) {
    testing::TempDir dir;
    std::filesystem::path prn = dir.write("Analysis.PRN", demo::makeAnalysisText(demo::demoDay()));
    for (char letter : {'J', 'I', 'H', 'G'}) {
        for (bool legal : {false, true}) {
            SCOPED_TRACE(std::string(1, letter) + (legal ? " legal" : " letter"));
            RecordingCanvas printed(4800, legal ? 8100 : 6300);
            PrintFileOnCanvas(printed, prn, letter);
            QPrinter printer(QPrinter::HighResolution);
            setUpPrinter(printer, legal ? QPageSize::Legal : QPageSize::Letter);
            EXPECT_EQ(canvasPreviewPages(printer, prn, letter)->count(),
                      countOf(printed.trace(), "newpage\n") + 1);

            for (bool duplex : {false, true}) {
                OutputFile out(dir / "Analysis.PCL");
                pcl::PrintPclJob(prn, letter, legal, duplex, out);
                out.commit();
                EXPECT_EQ(
                    pclPreviewPages(pcl::composedPclPages(prn, letter, legal, duplex))->count(),
                    countOf(dir.read("Analysis.PCL"), "\f"))
                    << (duplex ? "duplex" : "simplex");
            }
        }
    }
}

TEST(PreviewPages, PclPagesAreSheetSidesInDecipoints) {
    // A full block (219 in code page 437) a quarter inch in from the logical page's left, one
    // inch below the half-inch top margin; the logical page starts a quarter inch in from the
    // sheet's edge.
    const std::string page =
        Esc + "(10U" + Esc + "(s0p10.00h12.00v0s0b0T" + Esc + "&a0720v0180H" + "\xdb\xdb\xdb\xdb\f";
    struct Case {
        std::string setUp;
        QSize paper;
        std::vector<QString> captions;
    } cases[] = {
        {Esc + "&l0O", QSize(6120, 7920), {"Page 1", "Page 2", "Page 3"}},
        {Esc + "&l1O" + Esc + "&l3A", QSize(10080, 6120), {"Page 1", "Page 2", "Page 3"}},
        {Esc + "&l0O" + Esc + "&l1S",
         QSize(6120, 7920),
         {"Sheet 1, front", "Sheet 1, back", "Sheet 2, front"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setUp.substr(1));
        std::unique_ptr<PreviewPages> pages =
            pclPreviewPages(pcl::readPclPages(Esc + "E" + c.setUp + page + page + page));
        ASSERT_EQ(pages->count(), 3);
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(pages->caption(p), c.captions[static_cast<std::size_t>(p)]);
        PreviewSheet sheet = pages->sheet(0);
        EXPECT_EQ(sheet.paper, c.paper);
        EXPECT_EQ(sheet.printable, QRect(QPoint(0, 0), c.paper));
        EXPECT_EQ(sheet.resolution, 720);
    }

    // At a tenth of the size (72 pixels to the inch) the blocks start 36 pixels in, four cells
    // of a tenth of an inch wide, and stand on the baseline, 108 down.
    std::unique_ptr<PreviewPages> pages =
        pclPreviewPages(pcl::readPclPages(Esc + "E" + Esc + "&l0O" + page));
    QImage picture = renderPreviewPage(*pages, 0, QSize(612, 792));
    QRect ink = inkIn(picture, picture.rect());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.left(), 36, 2);
    EXPECT_NEAR(ink.width(), 28.8, 2);
    EXPECT_LT(ink.top(), 108);
    EXPECT_GE(ink.bottom(), 106);
}

} // namespace
} // namespace analysis
