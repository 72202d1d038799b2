// Writes the seed corpora of the fuzz targets from the demo day: a piece of a data file, of an
// analysis text, print files in each layout's first byte, the PCL streams composed from them,
// report lines to stamp, a settings file and a job counter. Usage: make_fuzz_seeds FOLDER (one
// subfolder per target).
#include "core/common/file_io.h"
#include "core/common/temporary_files.h"
#include "core/print/pcl/pcl_composer.h"
#include "demo/demo_day.h"

#include <filesystem>
#include <iostream>
#include <string>

namespace {

namespace fs = std::filesystem;

/// The demo text up to the end of the line that passes size bytes.
std::string pieceOf(const std::string& text, std::size_t size) {
    std::size_t end = text.find('\n', std::min(size, text.size()));
    return text.substr(0, end == std::string::npos ? text.size() : end + 1);
}

void seed(const fs::path& folder, const std::string& target, const std::string& name,
          const std::string& bytes) {
    fs::create_directories(folder / target);
    analysis::writeFileAtomically(folder / target / name, bytes);
}

} // namespace

int main(int argc, char* argv[]) try {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_seeds FOLDER\n";
        return 2;
    }
    const fs::path folder = argv[1];
    const std::string text = analysis::demo::makeAnalysisText(analysis::demo::demoDay());
    const std::string small = pieceOf(text, 6000);
    const std::string report = pieceOf(text, 2500);

    seed(folder, "decoder", "demo", analysis::demo::makeDataFile(small, 18000));
    seed(folder, "decoder", "header-only", analysis::demo::makeDataFile("", 1).substr(0, 4096));
    seed(folder, "report_index", "demo", small);
    seed(folder, "report_index", "repeated", report + report);
    for (char selector : {'\0', '\1', '\2', '\3', '\4', '\x0c'}) {
        const std::string prn = std::string(1, selector) + report + "\f" + report + "\f";
        seed(folder, "canvas_reader", "demo" + std::to_string(int(selector)), prn);
        seed(folder, "pcl_composer", "demo" + std::to_string(int(selector)), prn);
    }
    const analysis::TemporaryFolder work("analysis-seeds");
    const fs::path printFile = work / "Analysis.PRN";
    analysis::writeFileAtomically(printFile, report + "\f" + report + "\f");
    fs::create_directories(folder / "pcl_pages");
    for (char letter : {'G', 'H', 'I', 'J'}) {
        analysis::OutputFile out(folder / "pcl_pages" / ("demo" + std::string(1, letter)));
        analysis::pcl::PrintPclJob(printFile, letter, letter == 'H', letter == 'I', out);
        out.commit();
    }
    // Values past what a number or a sheet holds: moves that add up beyond an int, a pitch and a
    // height no printer has.
    const std::string esc = "\x1b";
    seed(folder, "pcl_pages", "far-moves",
         "line\r\n" + esc + "&a+2000000000V" + esc + "&a+2000000000Vboom\r\n\f");
    seed(folder, "pcl_pages", "tiny-pitch",
         esc + "(s0.00000000001H" + esc + "(s99999999999999999999V" + "line\f");
    seed(folder, "stamp", "demo", "9:05:07 PM     \n" + report);
    seed(folder, "stamp", "id", "12:30:00 AM\r\n" + std::string(20, ' ') + "ID: 0000 rest\r\n");
    seed(folder, "settings", "defaults", "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n27\r\n");
    seed(folder, "settings", "job", "1234\r\n0041\r\n");
    return 0;
} catch (const std::exception& error) {
    std::cerr << "make_fuzz_seeds: " << error.what() << "\n";
    return 2;
}
