#include "core/day/print_job.h"

#include "core/common/file_io.h"
#include "core/print/canvas/recording_canvas.h"
#include "core/print/pcl/pcl_composer.h"
#include "support/capturing_spooler.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>

namespace analysis {
namespace {

using testing::CapturingSpooler;
using testing::FixedClock;
using testing::TempDir;

const char* IdLine = "  QUILLMARSH ANALYSIS  Aqu   Race 1          ID: 1234 extra";
const char* StampedIdLine =
    "  QUILLMARSH ANALYSIS  Aqu   Race 1          ID: 1234    3 14:22:05  0000";

/// An installation folder with one report file and a job counter at 9999.
struct JobFixture {
    TempDir dir;
    std::filesystem::path report = dir.write("A01Aqu", std::string("\x0c@A01Aqu\r\n") + IdLine +
                                                           "\r\nfirst block\r\n\r\nsecond\r\n");
    std::filesystem::path stateFile = dir / "Analysis.JOB";
    InstallationState installation{"1234", 9999};
    FixedClock clock;
    RecordingCanvas canvas{4800, 6300};
    CapturingSpooler spooler;
    int printFileReadyCalls = 0;
    std::unique_ptr<PrinterOutput> printer;
    /// What the print server says of the printer; nothing when it cannot tell.
    std::optional<PrinterState> state;

    PrintJobContext context(std::string printerName = "Office") {
        printer = std::make_unique<PrinterOutput>(canvas, spooler, std::move(printerName),
                                                  [this](const std::string&) { return state; });
        return {dir.path(), clock,    installation,
                stateFile,  *printer, [this] { ++printFileReadyCalls; }};
    }

    bool temporariesLeft() const {
        return std::filesystem::exists(dir / "Analysis.PRN") ||
               std::filesystem::exists(dir / "Analysis.PCL");
    }
};

TEST(PrintJob, PclJobIsCountedStampedSpooledAndCleanedUp) {
    JobFixture job;
    PrintJobRequest request{{job.report, job.dir / "gone"}, {6, true, false}, true};
    PrintJobContext context = job.context();

    PrintJobOutcome outcome = runPrintJob(request, context);

    ASSERT_EQ(outcome.status, PrintJobOutcome::Status::Printed) << outcome.message;
    EXPECT_EQ(outcome.jobNumberText, "0000");
    EXPECT_EQ(job.installation.JobCounter, 0);
    EXPECT_EQ(job.dir.read("Analysis.JOB"), "1234\r\n0\r\n");
    EXPECT_EQ(job.printFileReadyCalls, 1);
    EXPECT_FALSE(job.temporariesLeft());
    EXPECT_TRUE(job.canvas.trace().empty());

    // What reached the printer is the PCL of the stamped print file; the missing file is skipped.
    auto prn = job.dir.write("expected.PRN", std::string("\x0c@A01Aqu\r\n") + StampedIdLine +
                                                 "\r\nfirst block\r\n\r\nsecond\r\n");
    OutputFile expected(job.dir / "expected.PCL");
    pcl::PrintPclJob(prn, 'H', true, false, expected);
    expected.commit();
    EXPECT_EQ(job.spooler.printer, "Office");
    EXPECT_EQ(job.spooler.received, job.dir.read("expected.PCL"));
}

TEST(PrintJob, NothingTickedDoesNothingAtAll) {
    JobFixture job;
    PrintJobContext context = job.context();
    PrintJobOutcome outcome = runPrintJob({{}, {6, false, false}, true}, context);
    EXPECT_EQ(outcome.status, PrintJobOutcome::Status::NothingToPrint);
    EXPECT_EQ(job.installation.JobCounter, 9999);
    EXPECT_FALSE(std::filesystem::exists(job.stateFile));
    EXPECT_EQ(job.printFileReadyCalls, 0);
    EXPECT_TRUE(job.spooler.printer.empty());
}

TEST(PrintJob, RefusedPrinterFailsNamingItButTheNumberStaysUsed) {
    JobFixture job;
    job.spooler.refuseOpen = "out of paper";
    PrintJobContext context = job.context();
    PrintJobOutcome outcome = runPrintJob({{job.report}, {7, false, false}, true}, context);
    EXPECT_EQ(outcome.status, PrintJobOutcome::Status::Failed);
    EXPECT_NE(outcome.message.find("Office"), std::string::npos) << outcome.message;
    EXPECT_NE(outcome.message.find("out of paper"), std::string::npos) << outcome.message;
    EXPECT_EQ(outcome.printerName, "Office");
    EXPECT_EQ(job.dir.read("Analysis.JOB"), "1234\r\n0\r\n");
    EXPECT_FALSE(job.temporariesLeft());
}

TEST(PrintJob, NoPrinterChosenForPclFailsWithoutNamingAWindow) {
    JobFixture job;
    PrintJobContext context = job.context("");
    PrintJobOutcome outcome = runPrintJob({{job.report}, {4, false, false}, true}, context);
    EXPECT_EQ(outcome.status, PrintJobOutcome::Status::Failed);
    EXPECT_NE(outcome.message.find("No printer"), std::string::npos) << outcome.message;
    EXPECT_EQ(outcome.message.find("Options"), std::string::npos) << outcome.message;
    EXPECT_FALSE(job.temporariesLeft());
}

TEST(PrintJob, CurrentViewPrintIsNeitherCountedNorStamped) {
    JobFixture job;
    PrintJobContext context = job.context();
    PrintJobOutcome outcome = runPrintJob({{job.report}, {0, false, false}, false}, context);
    ASSERT_EQ(outcome.status, PrintJobOutcome::Status::Printed) << outcome.message;
    EXPECT_TRUE(outcome.jobNumberText.empty());
    EXPECT_EQ(outcome.pageIsLong, std::optional<bool>(false));
    EXPECT_EQ(job.installation.JobCounter, 9999);
    EXPECT_FALSE(std::filesystem::exists(job.stateFile));
    EXPECT_NE(job.canvas.trace().find("ID: 1234 extra"), std::string::npos);
    EXPECT_FALSE(job.temporariesLeft());
}

TEST(PrintJob, WhatTheServerSaysOfThePrinterComesFirst) {
    // A queue that refuses jobs: the job ends before anything is counted, stamped or sent, and
    // says why. A paused one takes the job and the outcome says it waits. In both engines.
    struct Case {
        std::optional<PrinterState> state;
        PrintJobOutcome::Status status;
        const char* said;
    };
    const Case cases[] = {
        {std::nullopt, PrintJobOutcome::Status::Printed, ""},
        {PrinterState{true, false, ""}, PrintJobOutcome::Status::Printed, ""},
        {PrinterState{false, false, "Rejecting Jobs"}, PrintJobOutcome::Status::Failed,
         "Printer \"Office\" does not accept jobs (Rejecting Jobs). Nothing was sent and the job "
         "was not counted."},
        {PrinterState{true, true, "Paused"}, PrintJobOutcome::Status::Printed,
         "The job waits: Office is paused (Paused)."},
        {PrinterState{true, true, ""}, PrintJobOutcome::Status::Printed,
         "The job waits: Office is paused."},
    };
    for (const Case& c : cases) {
        for (int mode : {0, 7}) {
            SCOPED_TRACE(std::string(c.said) + " mode " + std::to_string(mode));
            JobFixture job;
            job.state = c.state;
            PrintJobContext context = job.context();
            PrintJobOutcome outcome =
                runPrintJob({{job.report}, {mode, false, false}, true}, context);
            EXPECT_EQ(outcome.status, c.status);
            EXPECT_EQ(outcome.message, c.said);
            const bool sent = c.status == PrintJobOutcome::Status::Printed;
            EXPECT_EQ(job.installation.JobCounter, sent ? 0 : 9999);
            EXPECT_EQ(std::filesystem::exists(job.stateFile), sent);
            EXPECT_EQ(!job.canvas.trace().empty() || !job.spooler.received.empty(), sent);
            EXPECT_FALSE(job.temporariesLeft());
        }
    }
}

TEST(PrintJob, UnwritableWorkFolderFailsWithTheFileNamed) {
    JobFixture job;
    PrintJobContext context = job.context();
    context.workFolder = job.dir / "missing";
    PrintJobOutcome outcome = runPrintJob({{job.report}, {6, false, false}, true}, context);
    EXPECT_EQ(outcome.status, PrintJobOutcome::Status::Failed);
    EXPECT_NE(outcome.message.find("Analysis.PRN"), std::string::npos) << outcome.message;
}

} // namespace
} // namespace analysis
