// Following a job on the print server.
#include "gui/job_follower.h"

namespace analysis {
namespace {
constexpr int AskEveryMs = 500;
} // namespace

JobFollower::JobFollower(int id, std::string printer, std::string jobNumber, int pages,
                         Lookup lookup, QObject* parent)
    : QObject(parent), id_(id), printer_(std::move(printer)), jobNumber_(std::move(jobNumber)),
      pages_(pages), lookup_(std::move(lookup)) {
    connect(&timer_, &QTimer::timeout, this, &JobFollower::ask);
    timer_.start(AskEveryMs);
    QTimer::singleShot(0, this, &JobFollower::ask);
}

void JobFollower::ask() {
    if (!timer_.isActive())
        return;
    std::optional<ServerJob> job = lookup_(id_);
    if (!job)
        return; // the server may answer at the next turn; the last word stands meanwhile
    const QString said =
        QString::fromStdString(jobProgressText(*job, printer_, jobNumber_, pages_));
    if (job->ended() || job->phase == ServerJob::Phase::Stopped) {
        timer_.stop();
        emit ended(*job, said);
        return;
    }
    if (said != lastSaid_)
        emit progress(said);
    lastSaid_ = said;
}

} // namespace analysis
