#include "core/common/io_error.h"
#include "core/document/decoder.h"
#include "file_size_limit.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

#include <sys/stat.h>

namespace analysis {
namespace {

using testing::FileSizeLimit;
using testing::TempDir;

/// The stored form of a text byte (the transform is its own inverse).
char scrambled(char plain) {
    const auto b = static_cast<unsigned char>(plain);
    return static_cast<char>(static_cast<unsigned char>(~((b << 4) | (b >> 4))));
}

/// A data file of header and records holding the plain text blocks, scrambled.
std::string dataFile(std::uint16_t recordCount, std::uint16_t raceDay,
                     const std::vector<std::string>& plainBlocks) {
    std::string bytes(DataRecordSize, '\0');
    bytes[0] = static_cast<char>(recordCount & 0xFF);
    bytes[1] = static_cast<char>(recordCount >> 8);
    bytes[2] = static_cast<char>(raceDay & 0xFF);
    bytes[3] = static_cast<char>(raceDay >> 8);
    for (std::string block : plainBlocks) {
        block.resize(DataRecordSize, ' ');
        for (char c : block)
            bytes += scrambled(c);
    }
    return bytes;
}

std::string block(std::string text) {
    text.resize(DataRecordSize, ' ');
    return text;
}

std::string decodeInMemory(std::string plain, std::string_view userId) {
    std::string bytes;
    for (char c : plain)
        bytes += scrambled(c);
    Unscrambler unscrambler(userId);
    unscrambler.decodeBlock({reinterpret_cast<unsigned char*>(bytes.data()), bytes.size()});
    return bytes;
}

TEST(Decoder, TransformSwapsHalvesAndInverts) {
    EXPECT_EQ(static_cast<unsigned char>(scrambled('\x01')), 0xEF);
    std::string stored = "\x4B";
    Unscrambler unscrambler("1234");
    unscrambler.decodeBlock({reinterpret_cast<unsigned char*>(stored.data()), 1});
    EXPECT_EQ(stored, "\x4B");
}

TEST(Decoder, StampFields) {
    struct Case {
        std::string plain, expected;
    };
    const Case cases[] = {
        {"ab\1xyzcd", "ab1234cd"},
        {"\1xy\1xyz!", "1231234!"}, // a marker inside a field starts it again
        {"abc\1", "abc1"},          // the rest of the field waits for the next block
        {"no marker here", "no marker here"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeInMemory(c.plain, "1234"), c.expected) << c.plain;
}

TEST(Decoder, StampCarriesOverBlockBoundaries) {
    std::string first(DataRecordSize - 1, 'a');
    first += '\1';
    const std::string second = "xyzNEXT";
    std::string bytes;
    for (char c : first + second)
        bytes += scrambled(c);
    Unscrambler unscrambler("WXYZ");
    auto* data = reinterpret_cast<unsigned char*>(bytes.data());
    unscrambler.decodeBlock({data, DataRecordSize});
    unscrambler.decodeBlock({data + DataRecordSize, second.size()});
    EXPECT_EQ(bytes.substr(DataRecordSize - 2), "aWXYZNEXT");
}

/// The decoding written the plain way, one byte at a time, to hold the fast one against.
std::string referenceDecode(const std::string& stored, std::string_view userId) {
    std::string out;
    int position = 0;
    for (char c : stored) {
        const auto b = static_cast<unsigned char>(c);
        auto t = static_cast<unsigned char>(255 - (((b * 16) % 256) + (b / 16)));
        if (t == 1)
            position = 1;
        if (position > 0) {
            t = static_cast<unsigned char>(userId[static_cast<std::size_t>(position - 1)]);
            position = position == 4 ? 0 : position + 1;
        }
        out += static_cast<char>(t);
    }
    return out;
}

TEST(Decoder, MatchesThePlainDecodingOverAnyBlockSplit) {
    std::mt19937 random(11);
    std::string stored(50'000, '\0');
    for (char& c : stored)
        c = static_cast<char>(random() % 4 == 0 ? 0xEF : random() % 256); // many markers
    const std::string expected = referenceDecode(stored, "WXYZ");

    std::string decoded = stored;
    Unscrambler unscrambler("WXYZ");
    for (std::size_t at = 0; at < decoded.size();) {
        const std::size_t size = std::min<std::size_t>(random() % 9, decoded.size() - at);
        unscrambler.decodeBlock({reinterpret_cast<unsigned char*>(decoded.data()) + at, size});
        at += size;
    }
    EXPECT_TRUE(decoded == expected);
}

TEST(Decoder, RaceDates) {
    EXPECT_EQ(RaceDateText(0), "Wed 28-Nov-1973");
    EXPECT_EQ(RaceDateText(65535), "Thu 03-May-2153");
    EXPECT_EQ(RaceDateText(34), "Tue 01-Jan-1974");
    const CalendarDate leap = DayToDate(9589); // 28-Nov-1973 + 9589 days
    EXPECT_EQ(leap.year, 2000);
    EXPECT_EQ(leap.month, 2);
    EXPECT_EQ(leap.day, 29);
}

TEST(Decoder, DecodesEveryRecordFileToFile) {
    TempDir dir;
    std::string first(DataRecordSize - 2, 'a');
    first += "\1x";
    auto data = dir.write("Analysis.DAT", dataFile(2, 0, {first, "yzAfter"}));
    const DecodeResult result = DecodeDailyData(data, dir / "Analysis.TXT", "0042");
    EXPECT_EQ(result.RecordCount, 2);
    EXPECT_EQ(result.missingRecords, 0u);
    EXPECT_EQ(result.raceDateText, "Wed 28-Nov-1973");
    const std::string text = dir.read("Analysis.TXT");
    ASSERT_EQ(text.size(), 2 * DataRecordSize);
    EXPECT_EQ(text.substr(DataRecordSize - 3, 10), "a0042After");
}

TEST(Decoder, NoRecordAtAllKeepsTheEarlierTextAndGivesTheDate) {
    TempDir dir;
    dir.write("Analysis.TXT", "yesterday");
    auto data = dir.write("Analysis.DAT", dataFile(0, 65535, {block("ignored")}));
    const DecodeResult result = DecodeDailyData(data, dir / "Analysis.TXT", "0000");
    EXPECT_EQ(result.raceDateText, "Thu 03-May-2153");
    EXPECT_EQ(result.missingRecords, 0u);
    EXPECT_EQ(result.decodedRecords(), 0u);
    EXPECT_EQ(dir.read("Analysis.TXT"), "yesterday");

    // A header announcing records that are not there: nothing decoded, nothing replaced.
    auto headerOnly = dir.write("Header.DAT", dataFile(3, 1, {}));
    EXPECT_EQ(DecodeDailyData(headerOnly, dir / "Analysis.TXT", "0000").decodedRecords(), 0u);
    EXPECT_EQ(dir.read("Analysis.TXT"), "yesterday");
    EXPECT_EQ(dir.entryCount(), 3);
}

TEST(Decoder, FewerRecordsThanAnnouncedDecodeWhatIsThereOnce) {
    TempDir dir;
    std::string bytes = dataFile(5, 1, {block("one"), block("two")});
    bytes += std::string(100, scrambled('z')); // a trailing piece is no record
    auto data = dir.write("Analysis.DAT", bytes);
    const DecodeResult result = DecodeDailyData(data, dir / "Analysis.TXT", "0000");
    EXPECT_EQ(result.missingRecords, 3u);
    EXPECT_EQ(dir.read("Analysis.TXT"), block("one") + block("two"));
}

TEST(Decoder, ShortOrUnreadableDataFileLeavesTheTextUntouched) {
    TempDir dir;
    dir.write("Analysis.TXT", "yesterday");
    auto data = dir.write("Analysis.DAT", std::string(100, '\0'));
    try {
        DecodeDailyData(data, dir / "Analysis.TXT", "0000");
        FAIL() << "no error raised";
    } catch (const IoError& error) {
        EXPECT_EQ(error.reason(), "Read beyond end of file");
        EXPECT_EQ(error.path(), data);
    }
    EXPECT_THROW(DecodeDailyData(dir / "none.DAT", dir / "Analysis.TXT", "0000"), IoError);
    EXPECT_EQ(dir.read("Analysis.TXT"), "yesterday");
}

TEST(Decoder, ReadOnlyDataFileDecodes) {
    TempDir dir;
    auto data = dir.write("Analysis.DAT", dataFile(1, 0, {block("text")}));
    ::chmod(data.c_str(), 0444);
    DecodeDailyData(data, dir / "Analysis.TXT", "0000");
    EXPECT_EQ(dir.read("Analysis.TXT"), block("text"));
}

TEST(Decoder, FailedWriteKeepsTheOldText) {
    TempDir dir;
    auto data = dir.write("Analysis.DAT", dataFile(3, 0, {block("a"), block("b"), block("c")}));
    dir.write("Analysis.TXT", "yesterday");
    {
        FileSizeLimit limit(2 * DataRecordSize);
        EXPECT_THROW(DecodeDailyData(data, dir / "Analysis.TXT", "0000"), IoError);
    }
    EXPECT_EQ(dir.read("Analysis.TXT"), "yesterday");
    EXPECT_EQ(dir.entryCount(), 2);
}

} // namespace
} // namespace analysis
