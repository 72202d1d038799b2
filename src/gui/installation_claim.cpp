// Taking the installation for a copy of the window.
#include "gui/installation_claim.h"

#include "gui/instance_channel.h"
#include "gui/message.h"

#include "core/installation/stale_temporaries.h"

#include <QApplication>
#include <QElapsedTimer>

#include <filesystem>

namespace analysis {
namespace {

constexpr const char* OneInstance = "Whoa!  Only one instance of Analysis.EXE at a time.";
/// How long a second start without a file waits for the installation before it gives up.
constexpr int SecondStartWaitMs = 2000;
/// How long a start waits for a window to answer, one still getting a heavy day ready included.
constexpr int AnswerWaitMs = 30000;
/// How long a start waits for a closing window to put its day away: a heavy day's close takes
/// a fraction of a second, a slow disk or a busy machine more.
constexpr int ClosingWaitMs = 30000;

/// Waits for the installation while a window puts its day away, the splash saying so.
InstallLock::Result waitForClosingWindow(InstallLock& lock, TSplash& splash) {
    splash.setNote("finishing the previous session...");
    splash.showPainted();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QApplication::processEvents();
        const InstallLock::Result result = lock.acquire(100);
        if (result != InstallLock::Result::HeldByAnother || clock.elapsed() >= ClosingWaitMs)
            return result;
    }
}

} // namespace

std::optional<int> claimInstallation(InstallLock& lock, const InstallFolders& folders,
                                     const QString& channel, const QString& dataFile,
                                     TSplash& splash) {
    // A start with a file has no reason to wait before asking the window to take it.
    InstallLock::Result locked = lock.acquire(dataFile.isEmpty() ? SecondStartWaitMs : 0);
    if (locked == InstallLock::Result::HeldByAnother) {
        switch (handOver(channel, dataFile, AnswerWaitMs)) {
        case HandOverReply::Taken:
            return 0;
        case HandOverReply::Running:
            showMessage(nullptr, OneInstance);
            return 0;
        case HandOverReply::NoAnswer:
            // The installation is held and no window listens: one is closing (or analysis-tool
            // is writing into it). Its end is waited for; two windows never run at once.
            locked = waitForClosingWindow(lock, splash);
            break;
        }
    }
    switch (locked) {
    case InstallLock::Result::Acquired:
        // Holding the installation, this copy is its only writer: a temporary file in it can
        // only be the leftover of a copy that was killed while writing.
        removeStaleTemporaries(folders);
        break;
    case InstallLock::Result::HeldByAnother:
        showMessage(nullptr, OneInstance);
        return 0;
    case InstallLock::Result::Unavailable:
        // Without an install folder there is nothing to guard yet: the window offers to make
        // the installation, and holds it once made. A folder that cannot be locked could be
        // another copy's: two writers would lose the day, so this one does not start.
        if (!std::filesystem::exists(folders.InstallFolder))
            break;
        showWarning(nullptr, QString::fromStdString(lock.failureText()) +
                                 ". Analysis cannot be sure it is the only copy "
                                 "writing there, so it does not start.");
        return 1;
    }
    return std::nullopt;
}

} // namespace analysis
