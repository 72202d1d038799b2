// analysis-tool setup: the folder tree only on a yes, an installation never touched.
#include "cli/setup_command.h"

#include "core/installation/install_folders.h"
#include "core/installation/install_lock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace analysis::cli {
namespace {

namespace fs = std::filesystem;

struct SetupRun {
    int status = 0;
    std::string out;
    std::string err;
};

SetupRun runSetupWith(const std::vector<std::string>& args, const std::string& answer) {
    std::istringstream in(answer);
    std::ostringstream out, err;
    SetupRun run;
    run.status = runSetup(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

bool wholeTree(const fs::path& installFolder) {
    for (const char* name : {"Exec", "Data", "Help", "Archive"})
        if (!fs::is_directory(installFolder / name))
            return false;
    return true;
}

TEST(SetupCommand, ANewProfileGetsTheTreeOnlyOnAYes) {
    struct Case {
        const char* answer;
        bool made;
    };
    const Case cases[] = {{"y\n", true},  {"Yes\n", true}, {"  y", true},
                          {"n\n", false}, {"\n", false},   {"", false}};
    for (const Case& test : cases) {
        testing::TempDir profile;
        const InstallFolders folders = installFoldersFor(profile.path().string());
        SetupRun run = runSetupWith({profile.path().string()}, test.answer);
        EXPECT_NE(run.out.find("[y/N]"), std::string::npos) << run.out;
        if (test.made) {
            EXPECT_EQ(run.status, 0) << test.answer << run.err;
            EXPECT_TRUE(wholeTree(folders.InstallFolder)) << test.answer;
            EXPECT_NE(run.out.find(folders.file(files::DataFile).string()), std::string::npos)
                << run.out;
        } else {
            EXPECT_EQ(run.status, 1) << test.answer << run.err;
            EXPECT_EQ(profile.entryCount(), 0) << test.answer;
            EXPECT_NE(run.out.find("Nothing was made"), std::string::npos) << run.out;
        }
    }
}

TEST(SetupCommand, YesMakesTheTreeUnasked) {
    testing::TempDir profile;
    SetupRun run = runSetupWith({profile.path().string(), "--yes"}, "");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("[y/N]"), std::string::npos);
    EXPECT_TRUE(wholeTree(installFoldersFor(profile.path().string()).InstallFolder));
}

TEST(SetupCommand, AnInstallationIsLeftAsItIsWithoutAQuestion) {
    testing::TempDir profile;
    const InstallFolders folders = installFoldersFor(profile.path().string());
    for (const char* name : {"Exec", "Data", "Help", "Archive"})
        fs::create_directories(folders.InstallFolder / name);
    profile.write(folders.file(files::DataFile), "the day");
    profile.write(folders.file(files::Settings), "0000\r\n");
    const auto written = fs::last_write_time(folders.file(files::Settings));

    SetupRun run = runSetupWith({profile.path().string(), "--yes"}, "y\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Nothing was changed"), std::string::npos) << run.out;
    EXPECT_EQ(profile.read(folders.file(files::DataFile)), "the day");
    EXPECT_EQ(fs::last_write_time(folders.file(files::Settings)), written);
}

TEST(SetupCommand, APartTreeGetsItsMissingFoldersAndKeepsItsFiles) {
    testing::TempDir profile;
    const InstallFolders folders = installFoldersFor(profile.path().string());
    profile.write(folders.file(files::Settings), "0000\r\n");
    profile.write(folders.file(files::DataFile), "the day");

    SetupRun run = runSetupWith({profile.path().string()}, "y\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Help"), std::string::npos);
    EXPECT_EQ(run.out.find("    " + (folders.InstallFolder / "Exec").string()), std::string::npos)
        << "Exec is there and is not offered: " << run.out;
    EXPECT_TRUE(wholeTree(folders.InstallFolder));
    EXPECT_EQ(profile.read(folders.file(files::Settings)), "0000\r\n");
    EXPECT_EQ(profile.read(folders.file(files::DataFile)), "the day");
}

TEST(SetupCommand, APartInstallationInUseIsNotChanged) {
    testing::TempDir profile;
    const InstallFolders folders = installFoldersFor(profile.path().string());
    fs::create_directories(folders.InstallFolder / "Exec");
    InstallLock window(folders.InstallFolder);
    ASSERT_EQ(window.acquire(0), InstallLock::Result::Acquired);

    SetupRun run = runSetupWith({profile.path().string(), "--yes"}, "");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("in use"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folders.InstallFolder / "Data"));
}

TEST(SetupCommand, TheProfileDefaultsToTheEnvironments) {
    testing::TempDir profile;
    const char* before = std::getenv("USERPROFILE");
    const std::string saved = before ? before : "";
    ::setenv("USERPROFILE", profile.path().c_str(), 1);
    SetupRun run = runSetupWith({"--yes"}, "");
    if (before)
        ::setenv("USERPROFILE", saved.c_str(), 1);
    else
        ::unsetenv("USERPROFILE");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(wholeTree(installFoldersFor(profile.path().string()).InstallFolder));
}

} // namespace
} // namespace analysis::cli
