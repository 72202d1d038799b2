// Setting up the folder tree: only missing folders are made, files are never touched.
#include "core/installation/install_setup.h"

#include "core/common/io_error.h"
#include "core/installation/install_lock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

struct Profile {
    TempDir folder;
    InstallFolders folders = installFoldersFor(folder.path().string());
};

TEST(InstallSetup, AnEmptyProfileGetsTheWholeTree) {
    Profile profile;
    InstallationPlan plan = planInstallation(profile.folders);
    EXPECT_TRUE(lacksInstallation(profile.folders));
    EXPECT_FALSE(plan.installed());
    EXPECT_FALSE(plan.partial());
    ASSERT_EQ(plan.missingFolders.size(), 5u);
    EXPECT_EQ(plan.missingFolders.front(), profile.folders.InstallFolder);
    // Planning changes nothing.
    EXPECT_FALSE(fs::exists(profile.folders.InstallFolder));

    makeInstallation(plan);
    for (const char* name : {"Exec", "Data", "Help", "Archive"})
        EXPECT_TRUE(fs::is_directory(profile.folders.InstallFolder / name)) << name;
    EXPECT_FALSE(lacksInstallation(profile.folders));
    EXPECT_TRUE(planInstallation(profile.folders).installed());
    // The offer names the folder, the hint where the day's file goes.
    EXPECT_NE(installationOffer(plan).find(profile.folders.InstallFolder.string()),
              std::string::npos);
    EXPECT_NE(dataFileHint(profile.folders).find(profile.folders.file(files::DataFile).string()),
              std::string::npos);
}

TEST(InstallSetup, APartTreeGetsOnlyItsMissingFoldersAndKeepsItsFiles) {
    Profile profile;
    const fs::path data =
        profile.folder.write(profile.folders.file(files::DataFile), "the user's day");
    const fs::path settings = profile.folder.write(profile.folders.file(files::Settings), "1\r\n");

    InstallationPlan plan = planInstallation(profile.folders);
    EXPECT_TRUE(plan.partial());
    EXPECT_EQ(plan.missingFolders,
              (std::vector<fs::path>{profile.folders.InstallFolder / "Help",
                                     profile.folders.InstallFolder / "Archive"}));
    EXPECT_NE(installationOffer(plan).find("only the missing"), std::string::npos);
    makeInstallation(plan);
    EXPECT_TRUE(planInstallation(profile.folders).installed());
    EXPECT_EQ(profile.folder.read(data), "the user's day");
    EXPECT_EQ(profile.folder.read(settings), "1\r\n");
}

TEST(InstallSetup, AFileWhereAFolderGoesIsNamedAndLeftAlone) {
    Profile profile;
    fs::create_directories(profile.folders.InstallFolder / "Exec");
    const fs::path help = profile.folder.write(profile.folders.InstallFolder / "Help", "notes");

    InstallationPlan plan = planInstallation(profile.folders);
    ASSERT_FALSE(plan.installed());
    try {
        makeInstallation(plan);
        FAIL() << "a file stands where Help goes";
    } catch (const IoError& error) {
        EXPECT_EQ(error.path(), help);
    }
    EXPECT_EQ(profile.folder.read(help), "notes");
}

TEST(InstallSetup, WhatCountsAsAnInstallation) {
    struct Case {
        const char* what;
        std::vector<const char*> folders;
        bool lockFile;
        bool lacks;
    };
    const Case cases[] = {
        {"nothing", {}, false, true},
        {"the install folder alone", {""}, false, true},
        {"data without the program's folder", {"Data", "Archive"}, false, true},
        {"the program's folder", {"Exec"}, false, false},
        {"an earlier version's lock file", {""}, true, false},
    };
    for (const Case& test : cases) {
        Profile profile;
        for (const char* folder : test.folders)
            fs::create_directories(profile.folders.InstallFolder / folder);
        if (test.lockFile)
            profile.folder.write(profile.folders.InstallFolder / InstallLockName, "");
        EXPECT_EQ(lacksInstallation(profile.folders), test.lacks) << test.what;
    }
}

} // namespace
} // namespace analysis
