// Writing the day's report files behind the window. A heavy day has about two thousand of them,
// and creating that many files takes longer than everything else start-up does; the day's
// reports are in memory by then, so the window shows them from there while this writes the files
// in the order the user is likely to need them.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

namespace analysis {

class ReportFileWriter {
public:
    /// One file to write: the lines of a report as cut, re-cut to trimTo performances per horse
    /// when set (a listed E report's working file).
    struct File {
        std::filesystem::path path;
        std::size_t report = 0; ///< index into the reports
        std::optional<int> trimTo;
    };

    /// Writes one file whole, or raises IoError leaving no part of it.
    using WriteFile = std::function<void(const std::filesystem::path&, std::string_view bytes)>;
    /// The program's own way: an OutputFile.
    static void writeToDisk(const std::filesystem::path& path, std::string_view bytes);

    /// Starts writing files of reports (each report's lines as cut), in their order, on a thread
    /// of its own; the re-cutting is done there too. finished is called on that thread once,
    /// when every file is written, when writing failed, or when it was stopped.
    ReportFileWriter(std::vector<std::string> reports, std::vector<File> files,
                     std::function<void()> finished = {}, WriteFile writeFile = writeToDisk);
    /// Stops writing after the file being written.
    ~ReportFileWriter();
    ReportFileWriter(const ReportFileWriter&) = delete;
    ReportFileWriter& operator=(const ReportFileWriter&) = delete;

    /// True once writing has ended, whatever the end.
    bool done() const;
    /// Waits until writing has ended. When a file could not be written, the files written are
    /// removed again (a day is never left half cut) and the error is raised, here and at every
    /// later call.
    void wait();
    /// Stops writing after the file being written, and waits for that.
    void stop();

    /// Whether path is one of these files and not written yet.
    bool isUnwritten(const std::filesystem::path& path) const;
    /// The bytes path is to hold while it is not written yet; nothing for a file that is written
    /// (read it) or not one of these.
    std::optional<std::string> unwritten(const std::filesystem::path& path) const;
    /// The bytes path holds without reading it: a file not written yet, or one written and not
    /// changed since (same size, time and inode); nothing when only the file can tell. Call once
    /// writing has ended.
    std::optional<std::string> known(const std::filesystem::path& path) const;

private:
    /// What identifies the file as written: a change through any path changes one of these.
    struct Stamp {
        std::uintmax_t inode = 0;
        std::uintmax_t size = 0;
        std::int64_t modifiedNs = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    static std::optional<Stamp> stampOf(const std::filesystem::path& path);

    void writeAll();
    std::optional<std::size_t> indexOf(const std::filesystem::path& path) const;
    /// The bytes file holds once written.
    std::string bytesOf(const File& file) const;

    const std::vector<std::string> reports_;
    const std::vector<File> files_;
    std::unordered_map<std::string, std::size_t> byPath_;
    /// Stamps of the files written, filled in before written_ counts them.
    std::vector<Stamp> stamps_;
    /// Files are written in order: the first written_ of them are on disk.
    std::atomic<std::size_t> written_{0};
    std::atomic<bool> stopRequested_{false};
    std::function<void()> finished_;
    WriteFile writeFile_;

    mutable std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::exception_ptr failure_;

    std::thread thread_;
};

} // namespace analysis
