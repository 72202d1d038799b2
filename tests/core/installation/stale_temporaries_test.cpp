// A killed copy's temporary files go at the next start; nothing else does, whatever its name.
#include "core/installation/stale_temporaries.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

namespace fs = std::filesystem;

TEST(StaleTemporaries, OnlyTheProgramsOwnTemporariesInItsOwnFoldersGo) {
    testing::TempDir profile;
    InstallFolders folders = installFoldersFor(profile.path().string());
    struct Case {
        const char* file; // relative to the install folder
        bool removed;
    };
    const Case cases[] = {
        {"Analysis.TXT.tmp123456789", true},
        {"Analysis.TXT.tmp7", true},
        {"SimoDump.LST.tmp42", true},
        {"Analysis.PRN.tmp42", true},
        {"Exec/Analysis.OPT.tmp981", true},
        {"Exec/Analysis.JOB.tmp981", true},
        {"Help/E-Report.HLP.tmp5", true},
        {"Archive/Monday.tmp31", true},
        {"Archive/MON.TXT.tmp31", true},
        {"Analysis.TXT", false},
        {"Analysis.TXT.tmp", false},           // no digits
        {"Analysis.TXT.tmp1234567890", false}, // more digits than the program gives
        {"Analysis.TXT.tmp12a", false},
        {"Analysis.TXT.tmp12.bak", false},
        {"Notes.TXT.tmp12", false},         // not a file the program replaces
        {"Exec/Analysis.TXT.tmp12", false}, // the text's temporary, in the wrong folder
        {"Data/Analysis.DAT.tmp12", false}, // the data file is never replaced by the program
        {"Archive/Far too long a name.tmp3", false},
        // Beside a report's working file: a rescale killed before its temporary took the place.
        {"A01Aqu.tmp123456789", true},
        {"x.tmp1", true},
        {"B01Aqu.tmp12", false},          // beside no report file
        {"A01Aqu ~.tmp12", false},        // a twin is never replaced
        {"Exec/A01Aqu.tmp12", false},     // reports lie in the install folder only
        {"ABCDEFGHIJKLMNOP.tmp1", false}, // longer than any report code
        {"Analysis.TMP.tmp3", false},     // the program's own names are no report's
        {"A01\x01Aqu.tmp12", false},
        {".tmp12", false},
    };
    for (const Case& c : cases)
        profile.write(folders.file(c.file), "half");
    // The files the temporaries would replace, where they are there.
    for (const char* file : {"A01Aqu", "x", "A01Aqu ~", "Exec/A01Aqu", "ABCDEFGHIJKLMNOP",
                             "Analysis.TMP", "A01\x01Aqu"})
        profile.write(folders.file(file), "whole");
    // A folder and a link with a temporary's name are not the program's.
    fs::create_directories(folders.file("Analysis.PCL.tmp1"));
    fs::create_symlink(profile / "elsewhere", folders.file("Analysis.PRN.tmp2"));
    profile.write("elsewhere", "theirs");
    // The profile folder is the user's.
    profile.write("Analysis.TXT.tmp5", "user's");

    const std::vector<fs::path> removed = removeStaleTemporaries(folders);
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(folders.file(c.file)), !c.removed) << c.file;
    EXPECT_EQ(removed.size(), 11u);
    EXPECT_EQ(profile.read(folders.file("A01Aqu")), "whole");
    EXPECT_TRUE(fs::is_directory(folders.file("Analysis.PCL.tmp1")));
    EXPECT_TRUE(fs::is_symlink(folders.file("Analysis.PRN.tmp2")));
    EXPECT_EQ(profile.read("elsewhere"), "theirs");
    EXPECT_TRUE(fs::exists(profile / "Analysis.TXT.tmp5"));
}

TEST(StaleTemporaries, MissingFoldersAreNoError) {
    testing::TempDir profile;
    EXPECT_TRUE(removeStaleTemporaries(installFoldersFor(profile.path().string())).empty());
}

} // namespace
} // namespace analysis
