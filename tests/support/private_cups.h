// A private CUPS server for tests, whose raw queues deliver each job to the test process.
#pragma once

#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace analysis::testing {

/// Stands in for a port-9100 printer: every connection's bytes up to its end are one job.
class RawPrinterListener {
public:
    RawPrinterListener();
    ~RawPrinterListener();
    RawPrinterListener(const RawPrinterListener&) = delete;
    RawPrinterListener& operator=(const RawPrinterListener&) = delete;

    int port() const { return port_; }

    /// How many jobs have arrived so far: taken before an action, it is the before of the
    /// nextJob that waits for what the action prints.
    std::size_t jobCount() const;

    /// How long a job may take by default: time for a loaded machine's cupsd to run it through.
    static constexpr std::chrono::seconds jobTimeout{20};

    /// The job that follows the first before jobs, once it has arrived; nothing when the timeout
    /// passes first.
    std::optional<std::string> nextJob(std::size_t before,
                                       std::chrono::milliseconds timeout = jobTimeout) const;

private:
    void serve();

    int port_ = 0;
    int socket_ = -1;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable received_;
    std::vector<std::string> jobs_;
    std::thread thread_;
};

/// Points the CUPS client of this process (CUPS_SERVER and cupsSetServer) at server for its
/// lifetime, then back at the server it used before.
class ScopedCupsServer {
public:
    explicit ScopedCupsServer(const std::string& server);
    ~ScopedCupsServer();
    ScopedCupsServer(const ScopedCupsServer&) = delete;
    ScopedCupsServer& operator=(const ScopedCupsServer&) = delete;

private:
    std::optional<std::string> previous_;
};

/// cupsd with every file under a temporary folder. While it lives, the CUPS client of this
/// process (CUPS_SERVER and cupsSetServer) talks to it; the destructor stops the server and
/// restores the client's previous server.
class PrivateCups {
public:
    /// Starts the server and waits until it answers; throws std::runtime_error (with the tail
    /// of the server's log) when it does not.
    PrivateCups();
    ~PrivateCups();
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    /// "127.0.0.1:port".
    const std::string& server() const { return server_; }

    /// Adds an enabled raw queue whose device is a new listener of this fixture.
    RawPrinterListener& addRawQueue(const std::string& name);

    /// Runs lpadmin against this server with the given arguments; throws when it fails.
    void lpadmin(const std::vector<std::string>& arguments) const;
    /// Runs a CUPS administration tool (cupsreject, cupsdisable, ...) against this server.
    void administer(const std::string& tool, const std::vector<std::string>& arguments) const;

    /// The last lines of the server's error log, for failure messages.
    std::string logTail() const;

private:
    TempDir dir_;
    std::string server_;
    pid_t pid_ = -1;
    std::optional<ScopedCupsServer> client_;
    std::map<std::string, std::unique_ptr<RawPrinterListener>> listeners_;
};

/// A private server with one enabled raw queue, "q" unless named otherwise: the printer a print
/// test sends to. The queue's jobs are read through jobCount and nextJob.
class PrivateQueue : public PrivateCups {
public:
    explicit PrivateQueue(const std::string& name = "q");

    std::size_t jobCount() const { return printer_.jobCount(); }
    std::optional<std::string>
    nextJob(std::size_t before,
            std::chrono::milliseconds timeout = RawPrinterListener::jobTimeout) const {
        return printer_.nextJob(before, timeout);
    }

private:
    const RawPrinterListener& printer_;
};

} // namespace analysis::testing
