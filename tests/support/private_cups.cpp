// A private CUPS server for tests, whose raw queues deliver each job to the test process.
#include "support/private_cups.h"

#include <cups/cups.h>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace analysis::testing {

namespace {

using namespace std::chrono_literals;

/// A TCP socket listening on 127.0.0.1 at a port the system chose.
int listenOnLoopback(int& port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("cannot create a socket");
    int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error(std::string("cannot listen on loopback: ") + std::strerror(errno));
    }
    port = ntohs(address.sin_port);
    return fd;
}

/// A loopback port that was free a moment ago, for the server to listen on.
int freePort() {
    int port = 0;
    ::close(listenOnLoopback(port));
    return port;
}

bool answers(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

/// Starts program with arguments, its output going to logFile.
pid_t spawn(const std::vector<std::string>& arguments, const std::filesystem::path& logFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logFile.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("cannot start " + arguments[0] + ": " + std::strerror(error));
    return pid;
}

void makeFolder(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    // The backends run as lp when the server runs as root: they must reach these folders.
    ::chmod(folder.c_str(), 0755);
}

} // namespace

RawPrinterListener::RawPrinterListener() : socket_(listenOnLoopback(port_)) {
    thread_ = std::thread([this] { serve(); });
}

RawPrinterListener::~RawPrinterListener() {
    stopping_ = true;
    thread_.join();
    ::close(socket_);
}

void RawPrinterListener::serve() {
    while (!stopping_) {
        pollfd waiting{socket_, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0)
            continue;
        int connection = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        std::string job;
        char buffer[65536];
        for (;;) {
            pollfd reading{connection, POLLIN, 0};
            if (::poll(&reading, 1, 50) == 0) {
                if (stopping_)
                    break;
                continue;
            }
            ssize_t n = ::read(connection, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            job.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(connection);
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
        }
        received_.notify_all();
    }
}

std::size_t RawPrinterListener::jobCount() const {
    std::lock_guard lock(mutex_);
    return jobs_.size();
}

std::optional<std::string> RawPrinterListener::nextJob(std::size_t before,
                                                       std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    if (!received_.wait_for(lock, timeout, [&] { return jobs_.size() > before; }))
        return std::nullopt;
    return jobs_[before];
}

ScopedCupsServer::ScopedCupsServer(const std::string& server) {
    if (const char* previous = std::getenv("CUPS_SERVER"))
        previous_ = previous;
    ::setenv("CUPS_SERVER", server.c_str(), 1);
    cupsSetServer(server.c_str());
}

ScopedCupsServer::~ScopedCupsServer() {
    if (previous_)
        ::setenv("CUPS_SERVER", previous_->c_str(), 1);
    else
        ::unsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

PrivateCups::PrivateCups() {
    ::chmod(dir_.path().c_str(), 0755);
    for (const char* folder : {"spool", "spool/tmp", "cache", "state", "log", "ppd"})
        makeFolder(dir_ / folder);
    int port = freePort();
    server_ = "127.0.0.1:" + std::to_string(port);
    std::string root = dir_.path().string();

    dir_.write("cupsd.conf", "LogLevel warn\n"
                             "Listen " +
                                 server_ +
                                 "\n"
                                 "Browsing Off\n"
                                 "BrowseLocalProtocols none\n"
                                 "WebInterface No\n"
                                 "DefaultAuthType None\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Policy default>\n"
                                 "  JobPrivateAccess all\n  JobPrivateValues none\n"
                                 "  SubscriptionPrivateAccess all\n"
                                 "  SubscriptionPrivateValues none\n"
                                 "  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                                 "</Policy>\n");
    dir_.write("cups-files.conf", "ServerRoot " + root + "\nRequestRoot " + root +
                                      "/spool\nTempDir " + root + "/spool/tmp\nCacheDir " + root +
                                      "/cache\nStateDir " + root + "/state\nErrorLog " + root +
                                      "/log/error_log\nAccessLog " + root +
                                      "/log/access_log\nPageLog " + root +
                                      "/log/page_log\nPrintcap " + root + "/printcap\n");
    for (const char* file : {"cupsd.conf", "cups-files.conf"})
        ::chmod((dir_ / file).c_str(), 0644);

    pid_ = spawn({"cupsd", "-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"},
                 dir_ / "log/cupsd.out");
    auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!answers(port)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("cupsd stopped at start:\n" + logTail());
        }
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("cupsd does not answer on " + server_ + ":\n" + logTail());
        std::this_thread::sleep_for(20ms);
    }

    client_.emplace(server_);
}

PrivateCups::~PrivateCups() {
    client_.reset();
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        auto deadline = std::chrono::steady_clock::now() + 5s;
        int status = 0;
        while (::waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(10ms);
        }
    }
    listeners_.clear();
}

RawPrinterListener& PrivateCups::addRawQueue(const std::string& name) {
    auto listener = std::make_unique<RawPrinterListener>();
    lpadmin({"-p", name, "-E", "-v",
             "socket://127.0.0.1:" + std::to_string(listener->port()) + "/?waiteof=true"});
    RawPrinterListener& added = *listener;
    listeners_[name] = std::move(listener);
    return added;
}

void PrivateCups::lpadmin(const std::vector<std::string>& arguments) const {
    administer("lpadmin", arguments);
}

void PrivateCups::administer(const std::string& tool,
                             const std::vector<std::string>& arguments) const {
    std::vector<std::string> command{tool, "-h", server_};
    command.insert(command.end(), arguments.begin(), arguments.end());
    pid_t pid = spawn(command, dir_ / "log/admin.out");
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(tool + " failed:\n" + dir_.read("log/admin.out") + logTail());
}

std::string PrivateCups::logTail() const {
    std::string log = dir_.read("log/error_log") + dir_.read("log/cupsd.out");
    return log.size() > 4000 ? log.substr(log.size() - 4000) : log;
}

PrivateQueue::PrivateQueue(const std::string& name) : printer_(addRawQueue(name)) {}

} // namespace analysis::testing
