// The archive folder as Load offers it: archives only, newest first, each with its size.
#include "core/installation/archive_catalog.h"
#include "core/installation/install_folders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>

namespace analysis {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::vector<std::string> namesOf(const std::vector<ArchiveEntry>& archives) {
    std::vector<std::string> names;
    for (const ArchiveEntry& entry : archives)
        names.push_back(entry.name);
    return names;
}

class ArchiveCatalogTest : public ::testing::Test {
protected:
    /// An archive file of content, last written at age before now.
    void archive(const std::string& name, const std::string& content,
                 fs::file_time_type::duration age) {
        dir.write("Archive/" + name, content);
        fs::last_write_time(dir.path() / "Archive" / name, now - age);
    }

    testing::TempDir dir;
    const fs::file_time_type now = fs::file_time_type::clock::now();
};

TEST_F(ArchiveCatalogTest, ListsLoadableArchivesNewestFirst) {
    archive("OLD.TXT", "old", 48h);
    archive("MONDAY", "monday!", 1h);
    archive("B.TXT", "b", 24h);
    archive("A.TXT", "a", 24h);
    // Not archives Load could take by name: a temporary, a name too long, a folder.
    archive("MONDAY.tmp42", "half", 0h);
    archive("Much too long a name", "x", 0h);
    fs::create_directories(dir.path() / "Archive" / "FOLDER");

    const std::vector<ArchiveEntry> archives = listArchives(dir.path());
    EXPECT_EQ(namesOf(archives), (std::vector<std::string>{"MONDAY", "A.TXT", "B.TXT", "OLD.TXT"}));
    ASSERT_FALSE(archives.empty());
    EXPECT_EQ(archives[0].bytes, 7u);
    EXPECT_EQ(archives[0].modified, now - 1h);
}

TEST_F(ArchiveCatalogTest, AMissingFolderListsNothing) {
    EXPECT_TRUE(listArchives(dir.path()).empty());
    EXPECT_FALSE(findArchive(dir.path(), "MONDAY"));
}

TEST_F(ArchiveCatalogTest, FindsOnlyAnArchiveByAValidName) {
    archive("MONDAY", "monday!", 1h);
    fs::create_directories(dir.path() / "Archive" / "FOLDER");
    dir.write("Analysis.TXT", "the day");
    ASSERT_TRUE(findArchive(dir.path(), "MONDAY"));
    EXPECT_EQ(findArchive(dir.path(), "MONDAY")->bytes, 7u);
    for (const char* name : {"", "NONE", "FOLDER", "../Analysis.TXT", "MONDAY/"})
        EXPECT_FALSE(findArchive(dir.path(), name)) << name;
}

} // namespace
} // namespace analysis
