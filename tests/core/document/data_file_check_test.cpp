// Recognising a day's data file before it replaces the day's.
#include "core/document/data_file_check.h"

#include "core/document/decoder.h"
#include "demo/demo_day.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

const std::filesystem::path Source = "/media/stick/Analysis.DAT";

std::string demoDataFile() {
    return demo::makeDataFile(demo::makeAnalysisText(demo::demoDay()), 42);
}

TEST(DataFileCheck, ADaysFileIsRecognisedWithItsRaceDayAndReports) {
    DataFileSummary summary = checkDataFile(Source, demoDataFile(), "0000");
    EXPECT_EQ(summary.RaceDay, 42);
    EXPECT_EQ(summary.missingRecords, 0u);
    EXPECT_GT(summary.reports, 100u);
}

TEST(DataFileCheck, AFileCutShortStillCountsWithItsMissingRecords) {
    std::string bytes = demoDataFile();
    bytes.resize(bytes.size() - DataRecordSize - 10);
    DataFileSummary summary = checkDataFile(Source, bytes, "0000");
    EXPECT_EQ(summary.missingRecords, 2u);
    EXPECT_GT(summary.reports, 0u);
}

TEST(DataFileCheck, OtherFilesAreRefusedNamingTheFileAndTheFault) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* fault;
    };
    std::string plainText;
    while (plainText.size() < 3 * DataRecordSize)
        plainText += "Dear subscriber, the analysis of the day follows.\r\n";
    const Case cases[] = {
        {"an empty file", "", "shorter than a data file's header"},
        {"a short file", std::string(100, 'x'), "shorter than a data file's header"},
        {"a header alone", demoDataFile().substr(0, DataRecordSize), "holds no analysis"},
        {"a header announcing no record", std::string(2, '\0') + demoDataFile().substr(2),
         "holds no analysis"},
        {"a text file", plainText, "holds no report"},
        {"a day's file without reports", demo::makeDataFile("Just a banner\r\n", 1),
         "holds no report"},
        {"a report code naming another folder", demo::makeDataFile("\f@E01../Exec\r\nline\r\n", 1),
         "../Exec"},
    };
    for (const Case& test : cases) {
        try {
            checkDataFile(Source, test.bytes, "0000");
            ADD_FAILURE() << test.what << " was taken for a data file";
        } catch (const NotADataFile& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(Source.string()), std::string::npos) << message;
            EXPECT_NE(message.find(test.fault), std::string::npos) << test.what << ": " << message;
        }
    }
}

} // namespace
} // namespace analysis
