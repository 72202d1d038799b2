// Things other than files, made in a test's own folder: a device, a pipe, a socket, a folder and
// links to them, with the reason the program gives for each.
#pragma once

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace analysis::testing {

struct SpecialFile {
    std::string kind;
    std::filesystem::path path;
    /// The start of the program's message about it, before ": " and the path.
    std::string reason;
};

inline constexpr const char* DeviceReason = "A device stands where the file should be";
inline constexpr const char* PipeReason = "A pipe stands where the file should be";

/// Makes in folder (which must exist) a character device that is a null device of the test's
/// own (mknod needs a privileged user: without one there is none, nor its link), a pipe, a
/// socket, a folder, and symbolic links to the device and to the pipe. Never the system's own.
inline std::vector<SpecialFile> makeSpecialFiles(const std::filesystem::path& folder) {
    std::vector<SpecialFile> made;
    const std::filesystem::path device = folder / "null";
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        made.push_back({"device", device, DeviceReason});
        std::filesystem::create_symlink(device, folder / "link-to-null");
        made.push_back({"link to the device", folder / "link-to-null", DeviceReason});
    }
    const std::filesystem::path pipe = folder / "pipe";
    if (::mkfifo(pipe.c_str(), 0666) == 0) {
        made.push_back({"pipe", pipe, PipeReason});
        std::filesystem::create_symlink(pipe, folder / "link-to-pipe");
        made.push_back({"link to the pipe", folder / "link-to-pipe", PipeReason});
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (folder / "socket").string();
    if (socketPath.size() < sizeof address.sun_path) {
        socketPath.copy(address.sun_path, socketPath.size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
            made.push_back({"socket", socketPath, "A socket stands where the file should be"});
        if (fd >= 0)
            ::close(fd);
    }
    std::filesystem::create_directory(folder / "folder");
    made.push_back({"folder", folder / "folder", "A folder stands where the file should be"});
    return made;
}

/// What stands at path, without following a link: its type, a device's numbers, a link's
/// target; to tell that it was left as it was.
inline std::string describe(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return "nothing";
    std::string text = std::to_string(info.st_mode & S_IFMT) + " " +
                       std::to_string(major(info.st_rdev)) + ":" +
                       std::to_string(minor(info.st_rdev));
    if (S_ISLNK(info.st_mode))
        text += " -> " + std::filesystem::read_symlink(path).string();
    return text;
}

/// Runs call on a thread of its own and waits for it at most timeout. A call still running
/// then is taken to wait on pipe: the pipe is opened for writing and closed again, which gives
/// a reader the end of the file, so the call returns and the test goes on; false then.
template <typename Call>
bool returnsPromptly(Call&& call, const std::filesystem::path& pipe,
                     std::chrono::seconds timeout = std::chrono::seconds(20)) {
    std::future<void> done = std::async(std::launch::async, std::forward<Call>(call));
    if (done.wait_for(timeout) == std::future_status::ready) {
        done.get();
        return true;
    }
    const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0)
        ::close(fd);
    done.get();
    return false;
}

} // namespace analysis::testing
