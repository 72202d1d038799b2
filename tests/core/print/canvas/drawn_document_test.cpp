// A document kept as drawn and drawn again page by page: what a preview shows of a print.
#include "core/print/canvas/drawn_document.h"

#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/recording_canvas.h"
#include "demo/demo_day.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace analysis {
namespace {

/// Each page of a recorded trace as its texts, each with the font it is drawn in.
std::vector<std::vector<std::string>> fontedPages(const std::string& trace) {
    std::vector<std::vector<std::string>> pages;
    std::string font;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("begin ") || line == "newpage")
            pages.emplace_back();
        else if (line.starts_with("font "))
            font = line;
        else if (line.starts_with("text "))
            pages.back().push_back(font + " / " + line);
    }
    return pages;
}

TEST(DocumentRecorder, EveryPageDrawnAgainIsThePagePrinted) {
    // The demo day in every layout, on a letter and a legal sheet: the engine on the recorder
    // lays out exactly what it prints, and each page drawn again on its own draws the same
    // texts at the same places in the same fonts.
    testing::TempDir dir;
    std::filesystem::path prn = dir.write("Analysis.PRN", demo::makeAnalysisText(demo::demoDay()));
    for (char letter : {'J', 'I', 'H', 'G'}) {
        for (int height : {6400, 8200}) {
            SCOPED_TRACE(std::string(1, letter) + " " + std::to_string(height));
            RecordingCanvas printed(4800, height);
            PrintFileOnCanvas(printed, prn, letter);
            std::vector<std::vector<std::string>> expected = fontedPages(printed.trace());

            RecordingCanvas printer(4800, height);
            DocumentRecorder recorder(printer);
            PrintFileOnCanvas(recorder, prn, letter);
            EXPECT_EQ(printer.trace(), "") << "nothing reaches the printer";
            EXPECT_EQ(printer.pageWidth(), printed.pageWidth()) << "the orientation reaches it";
            const DrawnDocument document = recorder.takeDocument();
            ASSERT_EQ(document.pages.size(), expected.size());
            for (std::size_t page = 0; page < expected.size(); ++page) {
                RecordingCanvas again(4800, height);
                again.beginDocument();
                document.drawPage(page, again);
                ASSERT_EQ(fontedPages(again.trace()).front(), expected[page])
                    << "page " << page + 1;
                EXPECT_EQ(document.pages[page].width, printed.pageWidth());
                EXPECT_EQ(document.pages[page].height, printed.pageHeight());
            }
        }
    }
}

TEST(DocumentRecorder, AnAbortedDocumentKeepsNoPage) {
    RecordingCanvas printer(4800, 6400);
    DocumentRecorder recorder(printer);
    EXPECT_THROW(printDocument(recorder,
                               [&] {
                                   recorder.drawText(1, 2, "kept?");
                                   recorder.newPage();
                                   throw PrinterError("out of paper");
                               }),
                 PrinterError);
    EXPECT_TRUE(recorder.document().pages.empty());
    EXPECT_THROW(recorder.drawText(1, 2, "no document"), PrinterError);
    EXPECT_THROW(recorder.newPage(), PrinterError);
}

} // namespace
} // namespace analysis
