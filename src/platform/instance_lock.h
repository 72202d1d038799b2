// Keeps a second copy of the program from starting while one runs for the same user.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace analysis {

/// A per-user lock named after the program ("!Analysis@@@"), held until the process ends.
/// A lock left behind by a process that died is taken over at once.
class InstanceLock {
public:
    /// The lock file in the user's runtime folder (or the temporary folder, named per user).
    InstanceLock();

    /// Waits up to timeoutMs for the lock; false when another running copy holds it.
    bool acquire(int timeoutMs = 2000);

    QString path() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace analysis
