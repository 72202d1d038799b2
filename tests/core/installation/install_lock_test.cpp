// The installation lock: one holder per install folder whatever path leads to it, a dead
// holder's lock free at once, and nothing planted in the folder able to keep it from being taken.
#include "core/installation/install_lock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace analysis {
namespace {

TEST(InstallLock, SecondHolderOfTheSameInstallationIsToldAnotherCopyRuns) {
    testing::TempDir dir;
    InstallLock first(dir.path());
    InstallLock second(dir.path());
    EXPECT_EQ(first.acquire(0), InstallLock::Result::Acquired);
    EXPECT_EQ(second.acquire(0), InstallLock::Result::HeldByAnother);
}

TEST(InstallLock, TwoInstallationsAreLockedApart) {
    testing::TempDir one, two;
    InstallLock first(one.path());
    InstallLock second(two.path());
    EXPECT_EQ(first.acquire(0), InstallLock::Result::Acquired);
    EXPECT_EQ(second.acquire(0), InstallLock::Result::Acquired);
}

TEST(InstallLock, ReleasedWhenTheHolderGoes) {
    testing::TempDir dir;
    {
        InstallLock first(dir.path());
        ASSERT_EQ(first.acquire(0), InstallLock::Result::Acquired);
    }
    InstallLock second(dir.path());
    EXPECT_EQ(second.acquire(0), InstallLock::Result::Acquired);
}

TEST(InstallLock, LockOfAKilledProcessIsTakenOverAtOnce) {
    testing::TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstallLock held(dir.path());
        char state = held.acquire(0) == InstallLock::Result::Acquired ? 'y' : 'n';
        (void)!::write(ready[1], &state, 1);
        ::pause();
        ::_exit(0);
    }
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ASSERT_EQ(state, 'y');
    InstallLock waiting(dir.path());
    EXPECT_EQ(waiting.acquire(0), InstallLock::Result::HeldByAnother);

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(waiting.acquire(0), InstallLock::Result::Acquired);
}

TEST(InstallLock, MissingFolderIsNotTakenForAnotherCopy) {
    testing::TempDir dir;
    InstallLock lock(dir / "missing-folder");
    EXPECT_EQ(lock.acquire(0), InstallLock::Result::Unavailable);
    EXPECT_NE(lock.failureText().find(lock.path().string()), std::string::npos);
    EXPECT_EQ(lock.failureText().find("Only one instance"), std::string::npos);
}

TEST(InstallLock, EveryPathToTheFolderMeetsTheSameLock) {
    testing::TempDir dir;
    std::filesystem::create_directories(dir / "install" / "Exec");
    std::filesystem::create_directory_symlink(dir / "install", dir / "link");
    InstallLock first(dir / "install");
    ASSERT_EQ(first.acquire(0), InstallLock::Result::Acquired);
    for (const std::filesystem::path& other :
         {dir / "link", dir / "install" / "Exec" / "..", dir / "link" / "." / ""}) {
        InstallLock second(other);
        EXPECT_EQ(second.acquire(0), InstallLock::Result::HeldByAnother) << other;
    }
}

TEST(InstallLock, NothingPlantedInTheFolderKeepsTheLockFromBeingTaken) {
    struct Planted {
        const char* what;
        void (*plant)(const std::filesystem::path& at, const std::filesystem::path& outside);
    };
    const Planted cases[] = {
        {"a folder", [](const auto& at, const auto&) { std::filesystem::create_directory(at); }},
        {"a link to a file outside",
         [](const auto& at, const auto& outside) { std::filesystem::create_symlink(outside, at); }},
        {"a file nobody may open",
         [](const auto& at, const auto&) {
             std::ofstream(at).put('x');
             std::filesystem::permissions(at, std::filesystem::perms::none);
         }},
    };
    for (const Planted& planted : cases) {
        testing::TempDir dir;
        std::filesystem::create_directory(dir / "install");
        planted.plant(dir / "install" / std::string(InstallLockName), dir / "outside");
        InstallLock first(dir / "install");
        InstallLock second(dir / "install");
        EXPECT_EQ(first.acquire(0), InstallLock::Result::Acquired) << planted.what;
        EXPECT_EQ(second.acquire(0), InstallLock::Result::HeldByAnother) << planted.what;
        EXPECT_FALSE(std::filesystem::exists(dir / "outside")) << planted.what;
    }
}

TEST(InstallLock, InstallationIsKnownByItsLockFileOrExecFolder) {
    testing::TempDir dir;
    EXPECT_FALSE(isInstallFolder(dir.path()));
    std::filesystem::create_directory(dir / "Exec");
    EXPECT_TRUE(isInstallFolder(dir.path()));
    testing::TempDir other;
    other.write(std::string(InstallLockName), "");
    EXPECT_TRUE(isInstallFolder(other.path()));
}

} // namespace
} // namespace analysis
