// The PDF verbs when the disk or the memory fails them: the old PDF stays, no temporary is
// left, and one line says what failed.
#include "cli/canvas_command.h"
#include "cli/pcl_pdf_command.h"
#include "core/common/io_error.h"

#include "core/document/file_size_limit.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <string>
#include <vector>

namespace analysis::cli {
namespace {

using analysis::testing::FileSizeLimit;
using analysis::testing::runCommand;
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

/// A run of analysis-tool in folder, its address space limited to limitKb: what it printed on
/// either stream, and how it ended as the shell tells it (128 + the signal when killed).
Outcome runToolWithin(const std::filesystem::path& folder, long limitKb,
                      const std::string& arguments) {
    // No core file from a run that crashes. The verb's temporary folders go in folder/tmp, to
    // be seen; Qt's runtime folder, which it would make there too, goes in folder/runtime.
    const std::string output =
        runCommand("cd '" + folder.string() + "' && (ulimit -c 0; ulimit -v " +
                   std::to_string(limitKb) + "; TMPDIR=tmp XDG_RUNTIME_DIR=runtime exec '" +
                   ANALYSIS_TOOL + "' " + arguments + " 2>&1); echo \"status $?\"");
    const std::size_t at = output.rfind("status ");
    return {std::stoi(output.substr(at + 7)), "", output.substr(0, at)};
}

/// The lines of text that start with prefix.
std::vector<std::string> linesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(prefix))
            lines.push_back(line);
    return lines;
}

TEST(PdfFailures, OutOfMemoryEndsWithOneLineAndLeavesNothing) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs more address space than a limit that makes "
                    "allocations fail, and ends the program itself when one does";
#endif
    TempDir dir;
    dir.write("small.prn", "one line\r\n\f");
    // One report the engines keep whole while reading it: some hundred megabytes of lines.
    std::string huge;
    for (int line = 0; line < 2'000'000; ++line)
        huge += "x\r\n";
    dir.write("huge.prn", huge);
    const std::string oldPdf = "%PDF-1.4 the PDF made yesterday\n%%EOF\n";
    dir.write("out.pdf", oldPdf);
    std::filesystem::create_directory(dir / "tmp");
    std::filesystem::create_directory(dir / "runtime");
    std::filesystem::permissions(dir / "runtime", std::filesystem::perms::owner_all);

    // The least address space, to a megabyte, in which a small PDF is made. With about that much,
    // the huge report runs out of memory while it is read, in a document already begun and
    // with little room left for anything else: where finishing the document on the way out
    // would fail too.
    constexpr long Mb = 1024;
    long fails = 32 * Mb;
    long works = 1024 * Mb;
    const std::string small = "canvas small.prn J --page 4800x6400 -o small.pdf";
    ASSERT_EQ(runToolWithin(dir.path(), works, small).status, 0);
    while (works - fails > Mb) {
        const long limit = (fails + works) / 2;
        if (runToolWithin(dir.path(), limit, small).status == 0)
            works = limit;
        else
            fails = limit;
    }
    std::filesystem::remove(dir / "small.pdf");

    for (const char* verb :
         {"canvas huge.prn J --page 4800x6400 -o out.pdf", "pcl huge.prn J --pdf out.pdf"}) {
        for (long extra = 0; extra <= 8 * Mb; extra += 2 * Mb) {
            const Outcome run = runToolWithin(dir.path(), works + extra, verb);
            const std::string what =
                std::string(verb) + " in " + std::to_string(works + extra) + " KB: " + run.err;
            EXPECT_EQ(run.status, 2) << what;
            EXPECT_EQ(linesStartingWith(run.err, "analysis-tool:"),
                      std::vector<std::string>{"analysis-tool: out of memory"})
                << what;
            EXPECT_EQ(dir.read("out.pdf"), oldPdf) << what;
            // The two print files, the PDF and the two folders: no temporary anywhere.
            EXPECT_EQ(dir.entryCount(), 5) << what;
            EXPECT_TRUE(std::filesystem::is_empty(dir / "tmp")) << what;
        }
    }
}

} // namespace
} // namespace analysis::cli
