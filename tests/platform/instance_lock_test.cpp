// The single-instance lock tells a running copy apart from a lock file that cannot be made.
#include "platform/instance_lock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

QString pathIn(const testing::TempDir& dir, const char* name) {
    return QString::fromStdString((dir / name).string());
}

TEST(InstanceLock, SecondHolderOfTheSameLockIsToldAnotherCopyRuns) {
    testing::TempDir dir;
    InstanceLock first(pathIn(dir, "lock"));
    InstanceLock second(pathIn(dir, "lock"));
    EXPECT_EQ(first.acquire(0), InstanceLock::Result::Acquired);
    EXPECT_EQ(second.acquire(0), InstanceLock::Result::HeldByAnother);
}

TEST(InstanceLock, LockFileThatCannotBeMadeIsNotTakenForAnotherCopy) {
    testing::TempDir dir;
    QString path = pathIn(dir, "missing-folder/lock");
    InstanceLock lock(path);
    EXPECT_EQ(lock.acquire(0), InstanceLock::Result::Unavailable);
    EXPECT_TRUE(lock.failureText().contains(path));
    EXPECT_FALSE(lock.failureText().contains("Only one instance"));
}

} // namespace
} // namespace analysis
