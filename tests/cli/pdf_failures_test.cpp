// The PDF verbs when the disk fails them: the old PDF stays, no temporary is left, and the
// message says what the disk said.
#include "cli/canvas_command.h"
#include "cli/pcl_pdf_command.h"
#include "core/common/io_error.h"

#include "core/document/file_size_limit.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace analysis::cli {
namespace {

using analysis::testing::FileSizeLimit;
using analysis::testing::TempDir;
using VerbFunction = int (*)(std::span<const std::string>, std::ostream&, std::ostream&);

/// count reports of forty lines, a page each. Three make a PDF of about 9 KB, from a PCL stream
/// of 6 KB.
std::string reports(int count) {
    std::string prn;
    for (int report = 0; report < count; ++report) {
        for (int line = 0; line < 40; ++line)
            prn += "Report " + std::to_string(report) + " line " + std::to_string(line) +
                   "  1234567890 ABCDEFGHIJ\r\n";
        prn += "\f\r\n";
    }
    return prn;
}

TEST(PdfFailures, AFullDiskKeepsTheOldPdfAndSaysSo) {
    TempDir dir;
    const std::string three = dir.write("Three.PRN", reports(3)).string();
    const std::string twenty = dir.write("Twenty.PRN", reports(20)).string();
    const std::string pdf = (dir / "out.pdf").string();
    const std::string oldPdf = "%PDF-1.4 the PDF made yesterday\n%%EOF\n";
    struct Case {
        const char* what;
        VerbFunction verb;
        std::vector<std::string> args;
        rlim_t limit;
    };
    const Case cases[] = {
        // Qt's writer gives up on a page, and says only that.
        {"canvas, the disk full from the first page",
         runCanvasCommand,
         {twenty, "J", "--page", "4800x6400", "-o", pdf},
         2048},
        // Every page is written; the fonts and the table at the end are not.
        {"canvas, the disk full at the end",
         runCanvasCommand,
         {three, "J", "--page", "4800x6400", "-o", pdf},
         8192},
        {"pcl --pdf, the disk full at the end", runPclPdfCommand, {three, "J", "--pdf", pdf}, 8192},
    };
    for (const Case& c : cases) {
        dir.write("out.pdf", oldPdf);
        Outcome run;
        {
            FileSizeLimit limit(c.limit);
            run = runVerbFor(c.verb, c.args);
        }
        EXPECT_EQ(run.status, 2) << c.what;
        // What a write to the file meets, named as the user's file, not the temporary.
        EXPECT_EQ(run.err,
                  std::string("analysis-tool: ") + IoError::fromErrno(EFBIG, pdf).what() + "\n")
            << c.what;
        EXPECT_TRUE(dir.read("out.pdf") == oldPdf) << c.what; // (not printed: a PDF is long)
        EXPECT_EQ(dir.entryCount(), 3) << c.what;             // no temporary left beside it
    }
    // The same runs with room to write replace the old PDF with a whole one.
    for (const Case& c : cases) {
        dir.write("out.pdf", oldPdf);
        const Outcome run = runVerbFor(c.verb, c.args);
        EXPECT_EQ(run.status, 0) << c.what << ": " << run.err;
        EXPECT_TRUE(dir.read("out.pdf").ends_with("%%EOF\n")) << c.what;
        EXPECT_GT(dir.read("out.pdf").size(), c.limit) << c.what;
    }
}

} // namespace
} // namespace analysis::cli
