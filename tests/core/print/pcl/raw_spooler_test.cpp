#include "core/print/pcl/raw_spooler.h"

#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace analysis::pcl {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

/// Records every step; the step named in refuseAt (and, for writes, the write number
/// refuseWrite, counted from 1) is refused with the reason "out of paper".
class RecordingSpooler : public RawSpooler {
public:
    std::string refuseAt;
    int refuseWrite = 1;
    std::vector<std::string> calls;
    std::string data;

    void openPrinter(const std::string& printerName) override {
        step("open " + printerName, "open");
    }
    void startRawDocument(const std::string& documentName) override {
        step("start document " + documentName, "start document");
    }
    void startPage() override { step("start page", "start page"); }
    void write(std::string_view bytes) override {
        ++writes_;
        if (refuseAt == "write" && writes_ == refuseWrite)
            step("write " + std::to_string(bytes.size()), "write");
        data.append(bytes);
        step("write " + std::to_string(bytes.size()), "");
    }
    void endPage() noexcept override { calls.push_back("end page"); }
    void endDocument() override { step("end document", "end document"); }
    void cancelDocument() noexcept override { calls.push_back("cancel document"); }
    void closePrinter() noexcept override { calls.push_back("close"); }

private:
    void step(std::string call, const std::string& name) {
        calls.push_back(std::move(call));
        if (!name.empty() && name == refuseAt)
            throw SpoolError("out of paper");
    }

    int writes_ = 0;
};

std::string bytesOfSize(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

TEST(SpoolRawFile, SendsTheFileInChunksOf16384) {
    testing::TempDir dir;
    std::string bytes = bytesOfSize(40000);
    RecordingSpooler spooler;
    SpoolRawFile(spooler, "Office", dir.write("Analysis.PCL", bytes));
    EXPECT_THAT(spooler.calls,
                ElementsAre("open Office", "start document Analysis", "start page", "write 16384",
                            "write 16384", "write 7232", "end page", "end document", "close"));
    EXPECT_EQ(spooler.data, bytes);
}

TEST(SpoolRawFile, AnEmptyFileIsADocumentWithoutData) {
    testing::TempDir dir;
    RecordingSpooler spooler;
    SpoolRawFile(spooler, "Office", dir.write("Analysis.PCL", ""));
    EXPECT_THAT(spooler.calls, ElementsAre("open Office", "start document Analysis", "start page",
                                           "end page", "end document", "close"));
}

TEST(SpoolRawFile, NoPrinterChosenTouchesNoSpooler) {
    testing::TempDir dir;
    RecordingSpooler spooler;
    try {
        SpoolRawFile(spooler, "", dir.write("Analysis.PCL", "x"));
        FAIL() << "no error";
    } catch (const SpoolError& error) {
        EXPECT_THAT(error.what(), HasSubstr("No printer is chosen"));
    }
    EXPECT_TRUE(spooler.calls.empty());
}

TEST(SpoolRawFile, ARefusedStepWindsUpWhatWasOpenedAndSaysWhy) {
    struct Case {
        std::string refuseAt;
        std::vector<std::string> calls;
        std::string message;
    };
    const Case cases[] = {
        {"open",
         {"open Office"},
         "Printer \"Office\": the printer could not be opened: out of paper"},
        {"start document",
         {"open Office", "start document Analysis", "close"},
         "Printer \"Office\": the document was refused: out of paper"},
        {"start page",
         {"open Office", "start document Analysis", "start page", "end document", "close"},
         "Printer \"Office\": the page was refused: out of paper"},
        // The part already sent still forms a complete job.
        {"write",
         {"open Office", "start document Analysis", "start page", "write 16384", "write 16384",
          "end page", "end document", "close"},
         "Printer \"Office\": the data was refused: out of paper"},
        {"end document",
         {"open Office", "start document Analysis", "start page", "write 16384", "write 16384",
          "write 7232", "end page", "end document", "close"},
         "Printer \"Office\": the document was refused: out of paper"},
    };
    testing::TempDir dir;
    std::filesystem::path file = dir.write("Analysis.PCL", bytesOfSize(40000));
    for (const Case& c : cases) {
        RecordingSpooler spooler;
        spooler.refuseAt = c.refuseAt;
        spooler.refuseWrite = 2;
        try {
            SpoolRawFile(spooler, "Office", file);
            ADD_FAILURE() << c.refuseAt << ": no error";
        } catch (const SpoolError& error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
        EXPECT_EQ(spooler.calls, c.calls) << c.refuseAt;
    }
}

TEST(SpoolRawFile, AnUnreadableFileCancelsTheDocument) {
    testing::TempDir dir;
    struct Case {
        std::filesystem::path file;
        std::string reason;
    };
    // A folder opens but cannot be read: the failure comes after the document has started.
    const Case cases[] = {{dir / "missing.PCL", "File not found"}, {dir.path(), ""}};
    for (const Case& c : cases) {
        RecordingSpooler spooler;
        try {
            SpoolRawFile(spooler, "Office", c.file);
            ADD_FAILURE() << c.file << ": no error";
        } catch (const IoError& error) {
            if (!c.reason.empty()) {
                EXPECT_EQ(error.reason(), c.reason);
            }
            EXPECT_EQ(error.path(), c.file);
        }
        EXPECT_THAT(spooler.calls, ElementsAre("open Office", "start document Analysis",
                                               "start page", "cancel document", "close"));
    }
}

} // namespace
} // namespace analysis::pcl
