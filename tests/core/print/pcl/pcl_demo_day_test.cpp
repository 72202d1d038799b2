// The whole demo day through the PCL engine in every layout: each non-blank line of the print
// file is placed exactly once, and no two lines of a column share a position.
#include "core/common/file_io.h"
#include "core/print/pcl/pcl_composer.h"
#include "demo/demo_day.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace analysis {
namespace {

/// The lines a print file holds, as the engine reads them: pages end at form feeds, lines at
/// CR, LF is skipped, and a line keeps its first 80 bytes. Blank lines are left out.
std::vector<std::string> nonBlankLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    auto finish = [&] {
        line.resize(std::min<std::size_t>(line.size(), 80));
        if (std::any_of(line.begin(), line.end(),
                        [](char c) { return static_cast<unsigned char>(c) > 32; }))
            lines.push_back(line);
        line.clear();
    };
    for (char c : text) {
        if (c == '\r' || c == '\f')
            finish();
        else if (c != '\n')
            line += c;
    }
    finish();
    return lines;
}

struct Placement {
    int sheet;
    int vertical;
    int horizontal;
    std::string text;
};

/// Every text the stream places: the cursor command "ESC & a <v> v <h> H" and the bytes after
/// it up to the next escape or form feed; a form feed ends a sheet.
std::vector<Placement> placements(const std::string& pcl) {
    std::vector<Placement> placed;
    int sheet = 0;
    for (std::size_t i = 0; i < pcl.size(); ++i) {
        if (pcl[i] == '\f') {
            ++sheet;
            continue;
        }
        if (pcl.compare(i, 3, "\x1b&a") != 0)
            continue;
        std::size_t v = pcl.find('v', i);
        std::size_t h = pcl.find('H', v);
        Placement p{sheet,
                    std::stoi(pcl.substr(i + 3, v - i - 3)),
                    std::stoi(pcl.substr(v + 1, h - v - 1)),
                    {}};
        std::size_t end = pcl.find_first_of("\x1b\f", h + 1);
        p.text = pcl.substr(h + 1, end - h - 1);
        placed.push_back(std::move(p));
        i = end - 1;
    }
    return placed;
}

TEST(PclDemoDay, EveryLineIsPlacedOnceAndNoneOverAnother) {
    testing::TempDir dir;
    const std::string text = demo::makeAnalysisText(demo::demoDay());
    auto prn = dir.write("Analysis.PRN", text);
    const std::vector<std::string> expected = nonBlankLines(text);
    for (char letter : {'G', 'H', 'I', 'J'}) {
        for (bool legal : {false, true}) {
            SCOPED_TRACE(std::string(1, letter) + (legal ? " legal" : " letter"));
            OutputFile out(dir / "day.pcl");
            pcl::PrintPclJob(prn, letter, legal, false, out);
            out.commit();
            std::vector<std::string> printed;
            std::set<std::tuple<int, int, int>> positions;
            for (const Placement& p : placements(dir.read("day.pcl"))) {
                if (!p.text.empty())
                    printed.push_back(p.text);
                EXPECT_TRUE(positions.insert({p.sheet, p.vertical, p.horizontal}).second)
                    << "two lines at " << p.vertical << "/" << p.horizontal;
            }
            EXPECT_EQ(printed, expected);
        }
    }
}

} // namespace
} // namespace analysis
