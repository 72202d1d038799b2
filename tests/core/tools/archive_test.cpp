// Archive names, writing the ticked reports into an archive, and restoring one as the day's text.
#include "core/common/io_error.h"
#include "core/document/file_size_limit.h"
#include "core/tools/archive.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

using analysis::testing::FileSizeLimit;
using analysis::testing::TempDir;

std::string repeated(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

TEST(ArchiveName, ValidAndInvalidNames) {
    struct Case {
        std::string name;
        bool valid;
    };
    const Case cases[] = {
        {"AUGUST.TXT", true},     // six letters, a dot, three letters
        {"SARAT.A", true},        // five characters, a dot, one letter
        {"ABCDEFGHIJKL", true},   // twelve letters without a dot
        {"DAY1.", true},          // a dot may end the name
        {"12345678.123", true},   // twelve with the dot
        {"R\xC3\xA9union", true}, // characters above 127 count once each
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
         "\xC3\xA9",
         true},
        {"~day-2_x!", true},
        {"", true},               // callers stop on an empty answer before they ask
        {"ABCDEFGHIJKLM", false}, // thirteen characters
        {"ABCDEFGHI.TXT", false},
        {".TXT", false}, // the dot first
        {".", false},
        {"..", false},
        {"A.B.C", false},       // two dots
        {"AUGUST.TEXT", false}, // four characters after the dot
        {"AUG UST", false},     // a blank
        {"AUG/UST", false},     // a slash
        {"AUG\\UST", false},
        {"A\tB", false},
        {std::string("A\0B", 3), false},
        {"A\x1F", false},
        {std::string("A\x7F") + "B", false},     // DEL
        {std::string("A\xC2\x85") + "B", false}, // NEL, one of the C1 controls
        // Not UTF-8: the bytes would not count as characters, nor make a name the folder takes.
        {"a" + std::string(300, '\x80'), false},
        {"\x80", false},     // a byte that starts no character
        {"A\xC3", false},    // a character cut short
        {"\xC3\x41", false}, // and followed by "A"
        {"\xE2\x82", false},
        {"\xC0\xAF", false},         // "/" in two bytes
        {"\xE0\x80\xAF", false},     // and in three
        {"\xED\xA0\x80", false},     // a surrogate
        {"\xF4\x90\x80\x80", false}, // beyond U+10FFFF
        {"\xFF", false},
        // Twelve characters of four bytes each, but not thirteen; the last character of each
        // length below a surrogate and U+10FFFF.
        {repeated("\xF0\x9F\x90\x8E", 12), true},
        {repeated("\xF0\x9F\x90\x8E", 13), false},
        {repeated("\xE2\x82\xAC", 8) + ".\xED\x9F\xBF\xEF\xBF\xBD\xF4\x8F\xBF\xBF", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidArchiveName(c.name), c.valid) << c.name;
    for (char excluded : std::string("\"*+,/:;<=>?\\|"))
        EXPECT_FALSE(IsValidArchiveName(std::string("AB") + excluded)) << excluded;
}

TEST(ArchiveName, FaultSaysWhatIsWrong) {
    EXPECT_EQ(archiveNameFault("ABCDEFGHIJKLM"), "is longer than 12 characters");
    EXPECT_EQ(archiveNameFault("A.B.C"), "holds more than one dot");
    EXPECT_EQ(archiveNameFault("DAY.TEXT"), "has more than 3 characters after its dot");
    EXPECT_EQ(archiveNameFault("OK.TXT"), "");
    EXPECT_EQ(archiveNameFault("a" + std::string(300, '\x80')), "is not valid UTF-8 text");
    EXPECT_EQ(archiveNameFault(repeated("\xC3\xA9", 13)), "is longer than 12 characters");
}

TEST(ArchiveName, OnlyValidNamesNameAFileInTheArchiveFolder) {
    EXPECT_EQ(archiveFile("/i", "DAY.TXT"), std::filesystem::path("/i/Archive/DAY.TXT"));
    for (const char* name : {"", "..", "../x", "a/b"}) {
        try {
            archiveFile("/i", name);
            FAIL() << name;
        } catch (const InvalidArchiveName& error) {
            EXPECT_EQ(error.name(), name);
            EXPECT_NE(std::string(error.what()).find('"' + std::string(name) + '"'),
                      std::string::npos);
        }
    }
}

TEST(WriteReportsToFile, ConcatenatesTheExistingFilesWithCrLf) {
    TempDir dir;
    const auto a = dir.write("A01Kee", "\f@A01Kee\r\na line\r\n");
    const auto x = dir.write("X01Kee", "\f@X01Kee\nlone LF\rlone CR\nno end");
    const auto target = dir / "Archive" / "DAY.TXT";
    std::filesystem::create_directory(dir / "Archive");
    WriteReportsToFile(target, std::vector{a, dir / "gone", x});
    EXPECT_EQ(dir.read(target),
              "\f@A01Kee\r\na line\r\n\f@X01Kee\r\nlone LF\r\nlone CR\r\nno end\r\n");

    // Nothing ticked: an empty archive, which also replaces an older one of the name.
    WriteReportsToFile(target, {});
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(dir.read(target), "");
}

TEST(WriteReportsToFile, MissingArchiveFolderIsNamedAndNotCreated) {
    TempDir dir;
    const auto report = dir.write("A01Kee", "a\r\n");
    try {
        WriteReportsToFile(dir / "Archive" / "DAY.TXT", std::vector{report});
        FAIL();
    } catch (const IoError& error) {
        EXPECT_EQ(error.reason(), "Folder not found");
        EXPECT_EQ(error.path(), dir / "Archive");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "Archive"));
}

TEST(WriteReportsToFile, AFailedSaveLeavesTheOldArchive) {
    TempDir dir;
    const auto target = dir.write("Archive/DAY.TXT", "old archive\r\n");
    const auto report = dir.write("A01Kee", std::string(4096, 'a') + "\r\n");
    {
        FileSizeLimit limit(1024);
        EXPECT_THROW(WriteReportsToFile(target, std::vector{report}), IoError);
    }
    EXPECT_EQ(dir.read(target), "old archive\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "Archive"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(RestoreAnalysisText, ReplacesTheTextWholeOrNotAtAll) {
    TempDir dir;
    const auto text = dir.write("Analysis.TXT", "the day\r\n");
    const auto archive = dir.write("Archive/DAY.TXT", "\f@A01Kee\nline");
    RestoreAnalysisText(archive, text);
    EXPECT_EQ(dir.read(text), "\f@A01Kee\r\nline\r\n");

    EXPECT_THROW(RestoreAnalysisText(dir / "Archive" / "NONE", text), IoError);
    EXPECT_EQ(dir.read(text), "\f@A01Kee\r\nline\r\n");

    const auto big = dir.write("Archive/BIG", std::string(4096, 'b') + "\r\n");
    {
        FileSizeLimit limit(1024);
        EXPECT_THROW(RestoreAnalysisText(big, text), IoError);
    }
    EXPECT_EQ(dir.read(text), "\f@A01Kee\r\nline\r\n");
}

} // namespace
} // namespace analysis
