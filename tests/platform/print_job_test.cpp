// A whole print job from the command line in a PCL mode, through a private CUPS server: what
// reaches the printer is the composed PCL of the stamped print file.
#include "cli/print_command.h"
#include "core/common/file_io.h"
#include "core/print/pcl/pcl_composer.h"
#include "support/private_cups.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace analysis {
namespace {

TEST(PrintJob, PclModeSendsTheComposedStampedPrintFile) {
    testing::TempDir profile;
    ::setenv("USERPROFILE", profile.path().c_str(), 1);
    profile.write("QuillmarshData/Analysis/Exec/Analysis.JOB", "0000\r\n9999\r\n");
    testing::PrivateQueue queue;

    std::string report =
        "\x0c@A01Aqu\r\n  QUILLMARSH ANALYSIS  Aqu   Race 1          ID: 1234 x\r\n"
        "first block\r\n\r\nsecond block\r\n";
    auto file = profile.write("A01Aqu", report);
    std::vector<std::string> args{"--mode", "6", "--printer", "q", "--legal", file.string()};
    std::ostringstream out, err;
    ASSERT_EQ(cli::runPrintCommand(args, out, err), 0) << err.str() << queue.logTail();

    auto job = queue.nextJob(0);
    ASSERT_TRUE(job) << queue.logTail();
    // The job number went from 9999 to 0000, kept in the installation.
    EXPECT_EQ(profile.read("QuillmarshData/Analysis/Exec/Analysis.JOB"), "0000\r\n0\r\n");
    std::string received = *job;
    auto stamped = received.find("ID: 1234    ");
    ASSERT_NE(stamped, std::string::npos);
    EXPECT_EQ(received.substr(stamped + 22, 6), "  0000");

    // Compose the same print file, with the stamp that reached the printer, and compare.
    std::string stampText = received.substr(stamped + 8, 20);
    std::string printFile = "\x0c@A01Aqu\r\n  QUILLMARSH ANALYSIS  Aqu   Race 1          ID: 1234" +
                            stampText + "\r\nfirst block\r\n\r\nsecond block\r\n";
    auto prn = profile.write("expected.PRN", printFile);
    OutputFile expected(profile / "expected.PCL");
    pcl::PrintPclJob(prn, 'H', true, false, expected);
    expected.commit();
    EXPECT_EQ(received, profile.read("expected.PCL"));
    ::unsetenv("USERPROFILE");
}

TEST(PrintJob, AnUnknownPrinterStopsWithStatusTwoNamingIt) {
    testing::TempDir profile;
    ::setenv("USERPROFILE", profile.path().c_str(), 1);
    testing::PrivateCups cups;
    auto file = profile.write("A01Aqu", "\x0c@A01Aqu\r\ntext\r\n");
    std::vector<std::string> args{"--mode", "7", "--printer", "nowhere", file.string()};
    std::ostringstream out, err;
    EXPECT_EQ(cli::runPrintCommand(args, out, err), 2);
    EXPECT_NE(err.str().find("nowhere"), std::string::npos) << err.str();
    ::unsetenv("USERPROFILE");
}

TEST(PrintJob, WhatTheQueueSaysDecidesTheStatusInBothEngines) {
    // A queue that refuses jobs: status 2 naming it, nothing sent or counted. A paused one:
    // the job is queued, a warning says it waits, status 1. A good one: status 0.
    testing::TempDir profile;
    ::setenv("USERPROFILE", profile.path().c_str(), 1);
    testing::PrivateCups cups;
    testing::RawPrinterListener& good = cups.addRawQueue("Good");
    testing::RawPrinterListener& refusing = cups.addRawQueue("Refusing");
    cups.administer("cupsreject", {"-r", "closed for the day", "Refusing"});
    testing::RawPrinterListener& paused = cups.addRawQueue("Paused");
    cups.administer("cupsdisable", {"-r", "out of toner", "Paused"});
    struct Case {
        const char* printer;
        int status;
        const char* said;
        bool counted;
    };
    const Case cases[] = {
        {"Good", 0, "", true},
        {"Refusing", 2, "does not accept jobs (closed for the day)", false},
        {"Paused", 1, "The job waits: Paused is paused (out of toner)", true},
    };
    auto file = profile.write("A01Aqu", "\x0c@A01Aqu\r\ntext\r\n");
    const auto counter = profile.path() / "QuillmarshData/Analysis/Exec/Analysis.JOB";
    for (const Case& c : cases) {
        for (const char* mode : {"2", "7"}) {
            SCOPED_TRACE(std::string(c.printer) + " mode " + mode);
            profile.write(counter, "0000\r\n0041\r\n");
            std::vector<std::string> args{"--mode", mode, "--printer", c.printer, file.string()};
            std::ostringstream out, err;
            EXPECT_EQ(cli::runPrintCommand(args, out, err), c.status) << err.str();
            EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
            if (c.status == 2) {
                EXPECT_NE(err.str().find(c.printer), std::string::npos) << err.str();
            }
            EXPECT_EQ(profile.read(counter), c.counted ? "0000\r\n42\r\n" : "0000\r\n0041\r\n");
        }
    }
    // Only the good queue's printer received anything; the paused queue holds its jobs.
    EXPECT_TRUE(good.nextJob(1));
    EXPECT_FALSE(refusing.nextJob(0, std::chrono::milliseconds(500)));
    EXPECT_FALSE(paused.nextJob(0, std::chrono::milliseconds(500)));
    ::unsetenv("USERPROFILE");
}

TEST(PrintJob, WaitFollowsTheJobToItsEnd) {
    // --wait: status 0 only when the server reports the job completed; a printer whose device
    // fails (nothing listens on the discard port) aborts the job, and that is status 2.
    testing::TempDir profile;
    ::setenv("USERPROFILE", profile.path().c_str(), 1);
    testing::PrivateCups cups;
    cups.addRawQueue("Good");
    cups.lpadmin({"-p", "Broken", "-E", "-v", "socket://127.0.0.1:9/?contimeout=1", "-o",
                  "printer-error-policy=abort-job"});
    auto file = profile.write("A01Aqu", "\x0c@A01Aqu\r\ntext\r\n");
    struct Case {
        const char* printer;
        const char* mode;
        int status;
        const char* said;
    };
    const Case cases[] = {
        {"Good", "7", 0, "printed on Good"},
        {"Good", "2", 0, "printed on Good"},
        {"Broken", "7", 2, "on Broken was aborted"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.printer) + " mode " + c.mode);
        std::vector<std::string> args{"--mode",  c.mode,   "--printer",
                                      c.printer, "--wait", file.string()};
        std::ostringstream out, err;
        EXPECT_EQ(cli::runPrintCommand(args, out, err), c.status) << err.str() << cups.logTail();
        EXPECT_NE((out.str() + err.str()).find(c.said), std::string::npos)
            << out.str() << err.str();
    }
    ::unsetenv("USERPROFILE");
}

} // namespace
} // namespace analysis
