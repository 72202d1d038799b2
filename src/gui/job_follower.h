// Following a job on the print server after the window handed it over, without blocking.
#pragma once

#include "core/print/printer_state.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

namespace analysis {

/// Asks the server about one job every half second until the job ends, saying each change.
class JobFollower : public QObject {
    Q_OBJECT
public:
    /// How the server is asked about a job: by id, nothing when it cannot say.
    using Lookup = std::function<std::optional<ServerJob>(int id)>;

    /// pages is how many the job has, when known (0 when not): progress then reads "page n of
    /// N".
    JobFollower(int id, std::string printer, std::string jobNumber, int pages, Lookup lookup,
                QObject* parent = nullptr);

    int id() const noexcept { return id_; }

signals:
    /// What the user reads of the job now, each time it changes.
    void progress(const QString& text);
    /// The job ended (printed, canceled or aborted), or stopped: said once, then no more.
    void ended(const ServerJob& job, const QString& text);

private:
    void ask();

    int id_;
    std::string printer_;
    std::string jobNumber_;
    int pages_;
    Lookup lookup_;
    QTimer timer_;
    QString lastSaid_;
};

} // namespace analysis
