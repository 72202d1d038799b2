#include "core/print/print_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

using namespace std::chrono;

TEST(PrintFile, WeekdayDigitRunsMondayToSunday) {
    EXPECT_EQ(weekdayDigit(sys_days{year{2026} / December / 7}), '1'); // a Monday
    EXPECT_EQ(weekdayDigit(sys_days{year{2026} / December / 9}), '3');
    EXPECT_EQ(weekdayDigit(sys_days{year{2026} / December / 13}), '7');
    EXPECT_EQ(weekdayDigit(sys_days{year{1899} / December / 30}), '6'); // a Saturday
    EXPECT_EQ(weekdayDigit(sys_days{year{1850} / January / 6}), '7');   // before the origin
}

TEST(PrintFile, ClockTextTurnsTwelveHourTimesInto24Hours) {
    const std::pair<const char*, const char*> cases[] = {
        {"9:05:07 PM", "21:05:07"},  {"12:30:00 AM", "00:30:00"}, {"12:30:00 PM", "12:30:00"},
        {"09:05:07 AM", "09:05:07"}, {"14:22:05", "14:22:05"},    {"14:22:05 UTC", "14:22:05"},
        {"7:01:02", "07:01:02"},
    };
    for (auto [system, expected] : cases)
        EXPECT_EQ(clockText(system), expected) << system;
}

TEST(PrintFile, StampsIdentificationLinesFromPosition17) {
    JobStamp stamp{'3', "14:22:05", "0042"};
    std::string at16 = std::string(15, '.') + "ID: 0000 rest";
    std::string at17 = std::string(16, '.') + "ID: 0000 rest";
    EXPECT_EQ(stampLine(at16, stamp), at16);
    EXPECT_EQ(stampLine(at17, stamp), std::string(16, '.') + "ID: 0000    3 14:22:05  0042");
    EXPECT_EQ(stampLine(std::string(20, ' ') + "ID: 12", stamp),
              std::string(20, ' ') + "ID: 12    3 14:22:05  0042");
    EXPECT_EQ(stampLine("no identification", stamp), "no identification");
}

TEST(PrintFile, ConcatenatesExistingFilesWithCrLf) {
    testing::TempDir dir;
    auto a = dir.write("A01Aqu", "\x0c@A01Aqu\r\n" + std::string(20, ' ') + "ID: 1234 x\r\n");
    auto e = dir.write("E01Aqu", "e1\ne2");
    std::vector<std::filesystem::path> files{a, dir / "gone", e};
    JobStamp stamp{'1', "08:00:00", "0001"};
    writePrintFile(files, dir / "Analysis.PRN", &stamp);
    EXPECT_EQ(dir.read("Analysis.PRN"), "\x0c@A01Aqu\r\n" + std::string(20, ' ') +
                                            "ID: 1234    1 08:00:00  0001\r\ne1\r\ne2\r\n");
    writePrintFile(files, dir / "Analysis.PRN", nullptr);
    EXPECT_EQ(dir.read("Analysis.PRN"),
              "\x0c@A01Aqu\r\n" + std::string(20, ' ') + "ID: 1234 x\r\ne1\r\ne2\r\n");
}

} // namespace
} // namespace analysis
