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

InstanceLock::InstanceLock() : path_(lockPath()), lock_(std::make_unique<QLockFile>(path_)) {
    // A lock is stale only when its process is gone, which QLockFile checks by itself.
    lock_->setStaleLockTime(0);
}

bool InstanceLock::acquire(int timeoutMs) {
    return lock_->tryLock(timeoutMs);
}

} // namespace analysis
