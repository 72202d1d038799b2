// analysis-tool pcl --pdf: the pages a PCL printer prints from the composed stream, as a PDF
// read back with pdftotext.
#include "cli/pcl_pdf_command.h"

#include "core/print/pcl/pcl_pages.h"

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace analysis::cli {
namespace {

using analysis::testing::pdfPageCount;
using analysis::testing::runCommand;

using Words = std::vector<std::string>;

Outcome runPclPdf(const std::vector<std::string>& args) {
    return runVerbFor(runPclPdfCommand, args);
}

Words wordsOf(const std::string& text) {
    std::istringstream in(text);
    Words words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

/// The words of each printed line of a page, top to bottom, a line's words left to right.
std::vector<Words> pdfLines(const std::string& pdf, int page) {
    std::string text = runCommand("pdftotext -layout -f " + std::to_string(page) + " -l " +
                                  std::to_string(page) + " '" + pdf + "' -");
    std::vector<Words> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (Words words = wordsOf(line); !words.empty() && line != "\f")
            lines.push_back(words);
    return lines;
}

/// The same of a page of the composed stream: texts at one cursor height make one line.
std::vector<Words> streamLines(const pcl::PclPage& page) {
    std::map<int, std::map<int, std::string>> rows;
    for (const pcl::PclText& text : page.texts)
        rows[text.vertical][text.horizontal] = text.text;
    std::vector<Words> lines;
    for (const auto& [vertical, row] : rows) {
        Words words;
        for (const auto& [horizontal, text] : row)
            for (std::string& word : wordsOf(text))
                words.push_back(std::move(word));
        if (!words.empty())
            lines.push_back(words);
    }
    return lines;
}

std::string reportsOf(int count, int lines) {
    std::string text;
    for (int r = 1; r <= count; ++r) {
        if (r > 1)
            text += "\f";
        for (int l = 1; l <= lines; ++l)
            text += "R" + std::to_string(r) + "L" + std::to_string(l) + "  col " +
                    std::to_string(l * 7 % 100) + "  x\r\n";
    }
    return text;
}

TEST(PclPdfCommand, EachPrintedPageIsAPdfPageWithTheStreamsColumnsAndLines) {
    analysis::testing::TempDir dir;
    // Two reports, the second long enough for several columns (two landscape sheets in G).
    std::string prn =
        dir.write("Analysis.PRN", reportsOf(1, 30) + "\f" + reportsOf(1, 250)).string();
    struct Case {
        std::string letter;
        bool legal;
    };
    for (const Case& c : {Case{"G", false}, Case{"H", true}, Case{"J", false}}) {
        SCOPED_TRACE(c.letter + (c.legal ? " legal" : " letter"));
        std::string pcl = (dir / "out.pcl").string();
        std::string pdf = (dir / "out.pdf").string();
        std::vector<std::string> args{prn, c.letter, "-o", pcl, "--pdf", pdf};
        if (c.legal)
            args.push_back("--legal");
        Outcome run = runPclPdf(args);
        ASSERT_EQ(run.status, 0) << run.err;

        std::string stream = dir.read("out.pcl");
        std::vector<pcl::PclPage> pages = pcl::readPclPages(stream);
        ASSERT_EQ(pdfPageCount(pdf), std::count(stream.begin(), stream.end(), '\f'));
        ASSERT_EQ(pdfPageCount(pdf), static_cast<int>(pages.size()));
        for (int page : {1, static_cast<int>(pages.size())})
            EXPECT_EQ(pdfLines(pdf, page), streamLines(pages[static_cast<std::size_t>(page - 1)]))
                << "page " << page;
    }
}

TEST(PclPdfCommand, APrintFileWithoutPagesWritesNoPdf) {
    analysis::testing::TempDir dir;
    std::string prn = dir.write("Analysis.PRN", "").string();
    std::string pdf = (dir / "out.pdf").string();
    Outcome run = runPclPdf({prn, "J", "--pdf", pdf});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("prints no page"), std::string::npos) << run.err;
    EXPECT_EQ(dir.entryCount(), 1);
}

} // namespace
} // namespace analysis::cli
