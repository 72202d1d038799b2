// The canvas and the PCL engine lay out the same report alike where their layouts hold the
// same number of lines a column.
#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/recording_canvas.h"
#include "core/print/pcl/pcl_composer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace analysis {
namespace {

/// The texts of each printed column, separators included as empty texts.
using Columns = std::vector<std::vector<std::string>>;

/// A new column starts with each new page and wherever the pen moves to another x.
Columns canvasColumns(const std::string& trace) {
    Columns columns;
    bool newPage = true;
    int x = -1;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("begin ") || line == "newpage") {
            newPage = true;
        } else if (line.starts_with("text ")) {
            std::size_t xEnd = line.find(' ', 5);
            std::size_t yEnd = line.find(' ', xEnd + 1);
            int lineX = std::stoi(line.substr(5, xEnd - 5));
            if (newPage || lineX != x)
                columns.emplace_back();
            newPage = false;
            x = lineX;
            columns.back().push_back(line.substr(yEnd + 1));
        }
    }
    return columns;
}

/// A new column starts after each form feed and wherever the cursor moves to another column.
Columns pclColumns(const std::string& pcl) {
    Columns columns;
    bool newSheet = true;
    std::string horizontal;
    const std::string cursor = "\x1b&a0";
    for (std::size_t at = 0; at < pcl.size();) {
        if (pcl[at] == '\x0c') {
            newSheet = true;
            ++at;
        } else if (pcl.compare(at, cursor.size(), cursor) == 0) {
            std::size_t v = pcl.find('v', at);
            std::size_t h = pcl.find('H', v);
            std::size_t end = pcl.find_first_of("\x1b\x0c", h + 1);
            std::string lineHorizontal = pcl.substr(v + 1, h - v - 1);
            if (newSheet || lineHorizontal != horizontal)
                columns.emplace_back();
            newSheet = false;
            horizontal = lineHorizontal;
            columns.back().push_back(pcl.substr(h + 1, end - h - 1));
            at = end == std::string::npos ? pcl.size() : end;
        } else {
            ++at;
        }
    }
    return columns;
}

/// Reports of blocks of the given sizes, lines named by report and number.
std::string printFile(const std::vector<std::vector<int>>& reports) {
    std::string text;
    for (std::size_t r = 0; r < reports.size(); ++r) {
        int n = 0;
        for (int size : reports[r]) {
            if (n > 0)
                text += "\r\n\r\n";
            for (int i = 0; i < size; ++i)
                text += "R" + std::to_string(r) + " " + std::to_string(++n) + "\r\n";
        }
        text += "\f";
    }
    return text;
}

TEST(PrintEngines, LayoutsOfTheSameCapacityGetTheSamePlan) {
    const std::string file = printFile({
        {30, 20, 25, 10},         // within one page
        {40, 40, 40, 40, 40, 40}, // within four
        {200, 150},               // fewer blocks than columns
        std::vector<int>(60, 9),  // 60 blocks of nine: beyond four columns
        {1000},                   // one block far beyond
        {5, 3, 400, 2, 7},        // a long block between short ones
    });
    testing::TempDir dir;
    const std::filesystem::path prn = dir.write("Analysis.PRN", file);
    for (char letter : {'J', 'H', 'G'}) {
        SCOPED_TRACE(letter);
        RecordingCanvas canvas(4800, 6300);
        PrintFileOnCanvas(canvas, prn, letter);

        OutputFile out(dir / "Analysis.PCL");
        pcl::PrintPclJob(prn, letter, false, false, out);
        out.commit();

        Columns drawn = canvasColumns(canvas.trace());
        EXPECT_GT(drawn.size(), 20u);
        EXPECT_EQ(drawn, pclColumns(dir.read("Analysis.PCL")));
    }
}

} // namespace
} // namespace analysis
