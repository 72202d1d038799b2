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
    enum class Result {
        Acquired,
        HeldByAnother, ///< another running copy holds the lock
        Unavailable,   ///< the lock file cannot be made at all; failureText() says why
    };

    /// The lock file in the user's runtime folder (or the temporary folder, named per user).
    InstanceLock();
    /// The lock file at path.
    explicit InstanceLock(QString path);

    /// Waits up to timeoutMs for the lock.
    Result acquire(int timeoutMs = 2000);

    /// Why the lock could not be made, naming the lock file; after Result::Unavailable.
    QString failureText() const;

    QString path() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace analysis
