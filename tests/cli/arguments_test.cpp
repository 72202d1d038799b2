#include "cli/arguments.h"
#include "cli/print_command.h"

#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <stdexcept>

namespace analysis::cli {
namespace {

int runThrowing(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, "usage: throwing WHAT\n",
                   [](Arguments& arguments, std::ostream&, std::ostream&) -> int {
                       std::string what = arguments.finish(1, 1).front();
                       if (what == "memory")
                           throw std::bad_alloc();
                       if (what == "library")
                           throw std::logic_error("vector::at out of range");
                       if (what == "program")
                           throw IoError("File not found", "/data/Analysis.DAT");
                       throw 42;
                   });
}

TEST(RunVerb, EveryFailureEndsInOneLineAndStatusTwo) {
    struct Case {
        const char* what;
        const char* message;
    };
    const Case cases[] = {
        {"memory", "analysis-tool: out of memory\n"},
        {"library", "analysis-tool: vector::at out of range\n"},
        {"program", "analysis-tool: File not found: /data/Analysis.DAT\n"},
        {"anything", "analysis-tool: unexpected failure\n"},
    };
    for (const Case& c : cases) {
        Outcome run = runVerbFor(runThrowing, {c.what});
        EXPECT_EQ(run.status, 2) << c.what;
        EXPECT_EQ(run.err, c.message) << c.what;
    }
}

TEST(RunVerb, PrintWithAnUnusableTemporaryFolderSaysSo) {
    const char* saved = std::getenv("TMPDIR");
    std::string previous = saved ? saved : "";
    ::setenv("TMPDIR", "/nonexistent-dir", 1);
    Outcome run = runVerbFor(runPrintCommand, {"--printer", "q", "--profile", "/nonexistent-home",
                                               "/nonexistent-home/A01Aqu"});
    if (saved)
        ::setenv("TMPDIR", previous.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("/nonexistent-dir"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

} // namespace
} // namespace analysis::cli
