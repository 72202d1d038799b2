#include "core/installation/install_folders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace analysis {
namespace {

TEST(InstallFolders, InstallFolderLivesInTheProfile) {
    auto folders = installFoldersFor("/home/u1");
    EXPECT_EQ(folders.ProfileFolder, "/home/u1");
    EXPECT_EQ(folders.InstallFolder, "/home/u1/QuillmarshData/Analysis");
    EXPECT_EQ(folders.file(files::DataFile), "/home/u1/QuillmarshData/Analysis/Data/Analysis.DAT");
}

TEST(InstallFolders, UserProfileWinsOverHome) {
    const char* savedProfile = std::getenv("USERPROFILE");
    std::string saved = savedProfile ? savedProfile : "";
    ::setenv("USERPROFILE", "/profiles/u1", 1);
    EXPECT_EQ(userProfileFromEnvironment(), "/profiles/u1");
    ::unsetenv("USERPROFILE");
    EXPECT_EQ(userProfileFromEnvironment(), std::getenv("HOME"));
    if (savedProfile)
        ::setenv("USERPROFILE", saved.c_str(), 1);
}

TEST(InstallFolders, LeftoversGoFromTheProfileOnly) {
    testing::TempDir profile;
    auto folders = installFoldersFor(profile.path().string());
    profile.write("Nightjar.EXE", "old");
    profile.write("SEE32.DLL", "old");
    profile.write("QuillmarshData/Analysis/Nightjar.EXE", "keep");
    removeLeftoverFiles(folders.ProfileFolder);
    EXPECT_FALSE(std::filesystem::exists(profile / "Nightjar.EXE"));
    EXPECT_FALSE(std::filesystem::exists(profile / "SEE32.DLL"));
    EXPECT_EQ(profile.read("QuillmarshData/Analysis/Nightjar.EXE"), "keep");
}

} // namespace
} // namespace analysis
