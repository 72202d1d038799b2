// The canvas engine printing through QPrinter into PDF, read back with pdftotext.
#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/recording_canvas.h"
#include "core/print/report_reader.h"
#include "demo/demo_day.h"
#include "platform/pdf_output.h"
#include "platform/qt_canvas.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

#include <QGuiApplication>
#include <QPrinter>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace analysis {
namespace {

using testing::runCommand;

using Words = std::vector<std::string>;

/// The words of text; control bytes separate words, as they print blank.
Words wordsOf(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = ' ';
    Words words;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

/// The words of each page of a PDF, in the order they were drawn.
std::vector<Words> pdfPages(const std::filesystem::path& pdf) {
    std::string text = runCommand("pdftotext -raw '" + pdf.string() + "' -");
    std::vector<Words> pages;
    std::size_t start = 0;
    for (std::size_t feed; (feed = text.find('\f', start)) != std::string::npos; start = feed + 1)
        pages.push_back(wordsOf(text.substr(start, feed - start)));
    return pages;
}

/// The words drawn on each page of a recorded document.
std::vector<Words> recordedPages(const std::string& trace) {
    std::vector<Words> pages;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("begin ") || line == "newpage") {
            pages.emplace_back();
        } else if (line.starts_with("text ")) {
            std::size_t textStart = line.find(' ', line.find(' ', 5) + 1) + 1;
            for (std::string& word : wordsOf(line.substr(textStart)))
                pages.back().push_back(std::move(word));
        }
    }
    return pages;
}

/// A realistic race day's analysis text: reports opened by form-feed separator lines, as a
/// print file of every report holds them.
std::string dayPrintFile() {
    return demo::makeAnalysisText(demo::demoDay());
}

TEST(QtPrinterCanvas, PdfPrintableAreaIsTheRequestedSize) {
    testing::TempDir dir;
    const std::pair<int, int> sizes[] = {{4800, 6300}, {5100, 8400}, {4801, 6299}};
    for (auto [width, height] : sizes) {
        QPrinter printer(QPrinter::HighResolution);
        setUpPdfPrinter(printer, dir / "size.pdf", width, height);
        QtPrinterCanvas canvas(printer);
        EXPECT_EQ(canvas.pageWidth(), width);
        EXPECT_EQ(canvas.pageHeight(), height);
        canvas.setOrientation(Orientation::Landscape);
        EXPECT_EQ(canvas.pageWidth(), height);
        EXPECT_EQ(canvas.pageHeight(), width);
    }
}

TEST(QtPrinterCanvas, RefusedDocumentRaisesPrinterError) {
    testing::TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, dir / "missing" / "out.pdf", 4800, 6300);
    QtPrinterCanvas canvas(printer);
    try {
        canvas.beginDocument();
        FAIL() << "the document began";
    } catch (const PrinterError& error) {
        EXPECT_NE(std::string(error.what()).find("out.pdf"), std::string::npos) << error.what();
    }
    EXPECT_THROW(canvas.newPage(), PrinterError);
    EXPECT_THROW(canvas.drawText(0, 0, "x"), PrinterError);
}

struct WordBox {
    std::string word;
    double left = 0;
    double top = 0;
};

/// The words of a PDF's first page with the top-left corners of their boxes in device pixels.
std::vector<WordBox> firstPageWords(const std::filesystem::path& pdf) {
    std::string boxes = runCommand("pdftotext -bbox -f 1 -l 1 '" + pdf.string() + "' -");
    std::vector<WordBox> words;
    for (std::size_t at = boxes.find("<word "); at != std::string::npos;
         at = boxes.find("<word ", at + 1)) {
        auto attribute = [&](const std::string& name) {
            std::size_t value = boxes.find(name + "=\"", at) + name.size() + 2;
            return std::stod(boxes.substr(value)) * PdfResolution / 72.0;
        };
        std::size_t textStart = boxes.find('>', at) + 1;
        words.push_back({boxes.substr(textStart, boxes.find('<', textStart) - textStart),
                         attribute("xMin"), attribute("yMin")});
    }
    return words;
}

TEST(QtPrinterCanvas, TextCellTopLeftIsAtThePen) {
    testing::TempDir dir;
    std::filesystem::path prn = dir.write("Analysis.PRN", "Top line\r\nsecond\r\n\f");
    for (char letter : {'J', 'G'}) {
        RecordingCanvas plan(4800, 6300);
        PrintFileOnCanvas(plan, prn, letter);
        std::istringstream first(plan.trace().substr(plan.trace().find("text ") + 5));
        int x = 0;
        int y = 0;
        first >> x >> y;

        printFileToPdf(prn, letter, 4800, 6300, dir / "corner.pdf");
        std::vector<WordBox> words = firstPageWords(dir / "corner.pdf");
        ASSERT_FALSE(words.empty());
        EXPECT_NEAR(words[0].left, x, 2.0) << letter;
        EXPECT_NEAR(words[0].top, y, 6.0) << letter;
    }
}

TEST(QtPrinterCanvas, ControlBytesTakeOneBlankCell) {
    testing::TempDir dir;
    std::filesystem::path prn = dir.write("Analysis.PRN", "ID:\x01"
                                                          "0042\tnext\x1b"
                                                          "end\r\nx\r\n\f");
    printFileToPdf(prn, 'J', 4800, 6400, dir / "control.pdf");
    std::vector<WordBox> words = firstPageWords(dir / "control.pdf");
    ASSERT_EQ(words.size(), 5u);
    const char* expected[] = {"ID:", "0042", "next", "end", "x"};
    const int column[] = {0, 4, 9, 14, 0};
    double cell = (words[1].left - words[0].left) / 4;
    for (std::size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(words[i].word, expected[i]);
        EXPECT_NEAR(words[i].left, words[0].left + column[i] * cell, 1.0) << expected[i];
    }
}

TEST(QtPrinterCanvas, AFixedPitchPlacesEveryCharacterInItsCell) {
    // 16.67 characters an inch at 600 dpi is a cell of 36 pixels.
    testing::TempDir dir;
    {
        QPrinter printer(QPrinter::HighResolution);
        setUpPdfPrinter(printer, dir / "pitch.pdf", 5100, 6600);
        QtPrinterCanvas canvas(printer);
        canvas.beginDocument();
        canvas.setFont(CanvasFont{"Courier New", 7, true, 16.67});
        canvas.drawText(600, 600, "ABCDEFGHIJ KLMNOPQRSTUVWXYZ0123456789 end");
        canvas.endDocument();
    }
    std::vector<WordBox> words = firstPageWords(dir / "pitch.pdf");
    ASSERT_EQ(words.size(), 3u);
    const int column[] = {0, 11, 38};
    for (std::size_t i = 0; i < words.size(); ++i)
        EXPECT_NEAR(words[i].left, 600 + column[i] * 36.0, 4.0) << words[i].word;
}

TEST(QtPrinterCanvas, EachByteIsTheCharacterOfTheFontsCharacterSet) {
    // The same bytes, box drawing in code page 437 and letters in Latin-1.
    const std::string bytes = "\xda\xc4\xc2\xbf \xb3"
                              "A\xb3 \xe9";
    struct Case {
        CharacterSet characters;
        const char* expected;
    } cases[] = {
        {CharacterSet::Cp437, "┌─┬┐ │A│ Θ"},
        {CharacterSet::Latin1, "ÚÄÂ¿ ³A³ é"},
    };
    testing::TempDir dir;
    for (const Case& c : cases) {
        {
            QPrinter printer(QPrinter::HighResolution);
            setUpPdfPrinter(printer, dir / "set.pdf", 5100, 6600);
            QtPrinterCanvas canvas(printer);
            canvas.setFont(CanvasFont{"Courier New", 10, false, 12, c.characters});
            canvas.beginDocument();
            canvas.drawText(600, 600, bytes);
            canvas.endDocument();
        }
        std::string text = runCommand("pdftotext -raw '" + (dir / "set.pdf").string() + "' -");
        EXPECT_NE(text.find(c.expected), std::string::npos) << text;
    }
}

struct Sheet {
    const char* name;
    int width;
    int height;
};

/// Names the sheet in test names, which must be the same on every run.
void PrintTo(const Sheet& sheet, std::ostream* out) {
    *out << sheet.name << " " << sheet.width << "x" << sheet.height;
}

class CanvasPdf : public ::testing::TestWithParam<std::tuple<char, Sheet>> {};

TEST_P(CanvasPdf, EachReportIsOnItsPagesInOrder) {
    auto [letter, sheet] = GetParam();
    testing::TempDir dir;
    std::filesystem::path prn = dir.write("Analysis.PRN", dayPrintFile());

    RecordingCanvas plan(sheet.width, sheet.height);
    CanvasPrintResult planned = PrintFileOnCanvas(plan, prn, letter);
    std::vector<Words> expected = recordedPages(plan.trace());

    std::filesystem::path pdf = dir / "day.pdf";
    CanvasPrintResult printed = printFileToPdf(prn, letter, sheet.width, sheet.height, pdf);
    EXPECT_EQ(printed.reportsPrinted, planned.reportsPrinted);
    EXPECT_EQ(printed.pageIsLong, planned.pageIsLong);

    std::vector<Words> pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), expected.size());
    // The day has reports long enough to take more than one page (or landscape sheet).
    EXPECT_GT(static_cast<int>(pages.size()), printed.reportsPrinted);
    for (std::size_t p = 0; p < pages.size(); ++p)
        EXPECT_EQ(pages[p], expected[p]) << "page " << p + 1;

    // Independently of the plan: every word of every report, box characters translated, in
    // file order, and each report starting on a page of its own.
    Words all;
    for (const Words& page : pages)
        all.insert(all.end(), page.begin(), page.end());
    ReportReader reader(prn, CanvasReportRules);
    LineStore store;
    Words fileWords;
    std::size_t page = 0;
    while (!reader.atEnd()) {
        reader.ReadReportLines(store);
        if (store.count() < 2)
            continue;
        Words first = wordsOf(store.lines()[0]);
        while (page < pages.size() &&
               !(pages[page].size() >= first.size() &&
                 std::equal(first.begin(), first.end(), pages[page].begin())))
            ++page;
        EXPECT_LT(page, pages.size()) << "no page starts with " << store.lines()[0];
        ++page;
        for (const std::string& line : store.lines())
            for (std::string& word : wordsOf(line))
                fileWords.push_back(std::move(word));
    }
    EXPECT_EQ(all, fileWords);
}

INSTANTIATE_TEST_SUITE_P(LettersAndSheets, CanvasPdf,
                         ::testing::Combine(::testing::Values('J', 'I', 'H', 'G'),
                                            ::testing::Values(Sheet{"Letter", 4800, 6400},
                                                              Sheet{"Legal", 4800, 8200})),
                         [](const auto& param) {
                             return std::string(1, std::get<0>(param.param)) + "_" +
                                    std::get<1>(param.param).name;
                         });

} // namespace
} // namespace analysis

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs the program without the test environment; it needs no display either.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
