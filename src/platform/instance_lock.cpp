// The single-instance lock.
#include "platform/instance_lock.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

namespace analysis {
namespace {

QString lockPath() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + "/!Analysis@@@.lock";
    // The temporary folder is shared by every user: one user's copy must not block another's.
    return QDir::tempPath() + QString("/!Analysis@@@-%1.lock").arg(::getuid());
}

} // namespace

InstanceLock::InstanceLock() : InstanceLock(lockPath()) {}

InstanceLock::InstanceLock(QString path)
    : path_(std::move(path)), lock_(std::make_unique<QLockFile>(path_)) {
    // A lock is stale only when its process is gone, which QLockFile checks by itself.
    lock_->setStaleLockTime(0);
}

InstanceLock::Result InstanceLock::acquire(int timeoutMs) {
    if (lock_->tryLock(timeoutMs))
        return Result::Acquired;
    return lock_->error() == QLockFile::LockFailedError ? Result::HeldByAnother
                                                        : Result::Unavailable;
}

QString InstanceLock::failureText() const {
    QString reason = lock_->error() == QLockFile::PermissionError
                         ? QString("the folder is not writable")
                         : QString("the file cannot be created");
    return QString("The single-instance lock %1 cannot be made: %2. Analysis starts without it, "
                   "so make sure no other copy of Analysis runs on this installation.")
        .arg(path_, reason);
}

} // namespace analysis
