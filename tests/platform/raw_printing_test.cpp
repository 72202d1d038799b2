#include "core/common/file_io.h"
#include "core/print/pcl/pcl_composer.h"
#include "core/print/pcl/raw_spooler.h"
#include "demo/demo_day.h"
#include "platform/cups_spooler.h"
#include "platform/printer_catalog.h"
#include "support/private_cups.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace analysis {
namespace {

using namespace std::chrono_literals;

class RawPrinting : public ::testing::Test {
protected:
    static void SetUpTestSuite() { queue_ = std::make_unique<testing::PrivateQueue>(); }
    static void TearDownTestSuite() { queue_.reset(); }

    /// Sends file to queue q and returns what the printer received.
    std::string printThrough(const std::filesystem::path& file) {
        std::size_t before = queue_->jobCount();
        CupsSpooler spooler;
        pcl::SpoolRawFile(spooler, "q", file);
        auto job = queue_->nextJob(before);
        if (!job) {
            ADD_FAILURE() << "the printer received no job\n" << queue_->logTail();
            return {};
        }
        return *job;
    }

    static std::unique_ptr<testing::PrivateQueue> queue_;
};

std::unique_ptr<testing::PrivateQueue> RawPrinting::queue_;

TEST_F(RawPrinting, ComposedPclReachesThePrinterByteForByte) {
    testing::TempDir dir;
    std::filesystem::path prn = dir.write("Analysis.PRN", demo::makeAnalysisText(demo::demoDay()));
    struct Case {
        char letter;
        bool legal;
        bool duplex;
    };
    const Case cases[] = {{'G', false, false}, {'G', true, true},  {'H', false, false},
                          {'H', true, true},   {'I', false, true}, {'J', false, false},
                          {'J', true, false}};
    for (const Case& c : cases) {
        std::filesystem::path pcl = dir / "Analysis.PCL";
        OutputFile out(pcl);
        pcl::PrintPclJob(prn, c.letter, c.legal, c.duplex, out);
        out.commit();
        std::string composed = dir.read("Analysis.PCL");
        ASSERT_GT(composed.size(), 1000u);
        EXPECT_EQ(printThrough(pcl), composed)
            << c.letter << (c.legal ? " legal" : "") << (c.duplex ? " duplex" : "");
    }
}

TEST_F(RawPrinting, AFileOfSeveralChunksArrivesWhole) {
    testing::TempDir dir;
    std::string bytes(100000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 251);
    EXPECT_EQ(printThrough(dir.write("Analysis.PCL", bytes)), bytes);
}

TEST_F(RawPrinting, ACancelledDocumentPrintsNothingOfWhatWasSent) {
    std::size_t before = queue_->jobCount();
    CupsSpooler spooler;
    ASSERT_NO_THROW(spooler.openPrinter("q"));
    ASSERT_NO_THROW(spooler.startRawDocument("Analysis"));
    ASSERT_NO_THROW(spooler.startPage());
    ASSERT_NO_THROW(spooler.write(std::string(20000, 'x')));
    spooler.cancelDocument();
    spooler.closePrinter();
    EXPECT_FALSE(queue_->nextJob(before, 1500ms)) << "a fragment was printed";
}

TEST_F(RawPrinting, AMissingQueueIsNamedInTheError) {
    testing::TempDir dir;
    std::filesystem::path pcl = dir.write("Analysis.PCL", "\x1b"
                                                          "E");
    CupsSpooler spooler;
    try {
        pcl::SpoolRawFile(spooler, "Office", pcl);
        FAIL() << "no error";
    } catch (const pcl::SpoolError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Printer \"Office\": the printer could not be opened: no such printer on the "
                  "print server " +
                      queue_->server());
    }
}

TEST_F(RawPrinting, AQueueNotAcceptingJobsRefusesTheDocument) {
    // Without -E a new queue neither runs nor accepts jobs.
    queue_->lpadmin({"-p", "closed", "-v", "socket://127.0.0.1:9/?waiteof=true"});
    testing::TempDir dir;
    CupsSpooler spooler;
    try {
        pcl::SpoolRawFile(spooler, "closed", dir.write("Analysis.PCL", "x"));
        FAIL() << "no error";
    } catch (const pcl::SpoolError& error) {
        EXPECT_THAT(error.what(),
                    ::testing::StartsWith("Printer \"closed\": the document was refused: "));
        EXPECT_THAT(error.what(), ::testing::HasSubstr("not accepting"));
    }
    queue_->lpadmin({"-x", "closed"});
}

TEST_F(RawPrinting, TheCatalogListsQueuesByNameWithTheDefault) {
    queue_->addRawQueue("zeta");
    queue_->addRawQueue("alpha");
    queue_->lpadmin({"-d", "zeta"});
    std::vector<std::string> printers = installedPrinters();
    EXPECT_EQ(printers, (std::vector<std::string>{"alpha", "q", "zeta"}));
    EXPECT_EQ(defaultPrinterIndex(printers), 2);
    EXPECT_EQ(defaultPrinterIndex(std::vector<std::string>{"alpha", "q"}), -1);
}

TEST(RawPrintingWithoutServer, AnUnreachableServerIsSaid) {
    int port = 0;
    {
        testing::RawPrinterListener closedSoon;
        port = closedSoon.port();
    }
    std::string server = "127.0.0.1:" + std::to_string(port);
    testing::ScopedCupsServer client(server);
    testing::TempDir dir;
    CupsSpooler spooler;
    try {
        pcl::SpoolRawFile(spooler, "q", dir.write("Analysis.PCL", "x"));
        ADD_FAILURE() << "no error";
    } catch (const pcl::SpoolError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Printer \"q\": the printer could not be opened: the print server " + server +
                      " cannot be reached");
    }
}

} // namespace
} // namespace analysis
