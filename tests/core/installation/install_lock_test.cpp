// The installation lock: one holder per install folder, a dead holder's lock free at once, and
// a lock file that cannot be made never taken for another copy.
#include "core/installation/install_lock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
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
    // The lock file stays behind; it is the kernel's lock on it that counts.
    EXPECT_TRUE(std::filesystem::exists(dir / InstallLockName));
    EXPECT_EQ(waiting.acquire(0), InstallLock::Result::Acquired);
}

TEST(InstallLock, LockFileThatCannotBeMadeIsNotTakenForAnotherCopy) {
    testing::TempDir dir;
    InstallLock lock(dir / "missing-folder");
    EXPECT_EQ(lock.acquire(0), InstallLock::Result::Unavailable);
    EXPECT_NE(lock.failureText().find(lock.path().string()), std::string::npos);
    EXPECT_EQ(lock.failureText().find("Only one instance"), std::string::npos);
}

TEST(InstallLock, PlantedLinkIsNeitherFollowedNorTaken) {
    testing::TempDir dir;
    std::filesystem::path outside = dir / "outside";
    std::filesystem::create_directory(dir / "install");
    std::filesystem::create_symlink(outside, dir / "install" / std::string(InstallLockName));
    InstallLock lock(dir / "install");
    EXPECT_EQ(lock.acquire(0), InstallLock::Result::Unavailable);
    EXPECT_FALSE(std::filesystem::exists(outside));
    EXPECT_NE(lock.failureText().find("symbolic link"), std::string::npos);
    EXPECT_NE(lock.failureText().find(lock.path().string()), std::string::npos);
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
