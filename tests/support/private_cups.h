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

    /// The jobs received so far once there are at least count of them; nothing when the
    /// timeout passes first.
    std::optional<std::vector<std::string>> waitForJobs(std::size_t count,
                                                        std::chrono::milliseconds timeout);

private:
    void serve();

    int port_ = 0;
    int socket_ = -1;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable received_;
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

    /// The last lines of the server's error log, for failure messages.
    std::string logTail() const;

private:
    TempDir dir_;
    std::string server_;
    pid_t pid_ = -1;
    std::optional<ScopedCupsServer> client_;
    std::map<std::string, std::unique_ptr<RawPrinterListener>> listeners_;
};

} // namespace analysis::testing
