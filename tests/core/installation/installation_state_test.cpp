#include "core/installation/installation_state.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

using testing::TempDir;

TEST(InstallationState, MissingFileGivesDefaults) {
    TempDir dir;
    const InstallationState state = readInstallationState(dir / "Analysis.JOB");
    EXPECT_EQ(state.UserId, "0000");
    EXPECT_EQ(state.JobCounter, 0);
}

TEST(InstallationState, RoundTrip) {
    TempDir dir;
    writeInstallationState(dir / "Analysis.JOB", {"4711", 1234});
    EXPECT_EQ(dir.read("Analysis.JOB"), "4711\r\n1234\r\n");
    const InstallationState state = readInstallationState(dir / "Analysis.JOB");
    EXPECT_EQ(state.UserId, "4711");
    EXPECT_EQ(state.JobCounter, 1234);
}

TEST(InstallationState, StoredLines) {
    struct Case {
        std::string bytes;
        std::string userId;
        unsigned counter;
    };
    const Case cases[] = {
        {"4711\r\n12000\r\n", "4711", 0}, // above 9999 starts again
        {"4711\r\n9999\r\n", "4711", 9999},
        {"4711\r\n99999999999999999999\r\n", "4711", 0},
        {"4711\r\nabc\r\n", "4711", 0},
        {"\r\n42\r\n", "0000", 42},
        {"ABCDEFGHIJKLMNOPQRST\r\n7", "ABCDEFGHIJKLMNO", 7},
        {"", "0000", 0},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const InstallationState state = readInstallationState(dir.write("Analysis.JOB", c.bytes));
        EXPECT_EQ(state.UserId, c.userId) << c.bytes;
        EXPECT_EQ(state.JobCounter, c.counter) << c.bytes;
    }
}

TEST(InstallationState, CountingAJobKeepsTheNewNumberAtOnceAndWrapsAfter9999) {
    TempDir dir;
    auto file = dir / "Analysis.JOB";
    InstallationState state{"4711", 9998};
    EXPECT_EQ(countJob(state, &file), "9999");
    EXPECT_EQ(dir.read("Analysis.JOB"), "4711\r\n9999\r\n");
    EXPECT_EQ(countJob(state, &file), "0000");
    EXPECT_EQ(readInstallationState(file).JobCounter, 0);
    // Without a file the count lives in memory only.
    EXPECT_EQ(countJob(state, nullptr), "0001");
    EXPECT_EQ(readInstallationState(file).JobCounter, 0);
}

TEST(InstallationState, CounterText) {
    EXPECT_EQ(jobCounterText(7), "0007");
    EXPECT_EQ(jobCounterText(0), "0000");
    EXPECT_EQ(jobCounterText(9999), "9999");
}

} // namespace
} // namespace analysis
