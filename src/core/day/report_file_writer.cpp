// Writing the day's report files behind the window.
#include "core/day/report_file_writer.h"

#include "core/common/file_io.h"
#include "core/document/report_index.h"

#include <sys/stat.h>

namespace analysis {
namespace fs = std::filesystem;

void ReportFileWriter::writeToDisk(const fs::path& path, std::string_view bytes) {
    OutputFile out(path);
    try {
        out.write(bytes);
        out.commit();
    } catch (...) {
        std::error_code ignored;
        fs::remove(path, ignored);
        throw;
    }
}

ReportFileWriter::ReportFileWriter(std::vector<std::string> reports, std::vector<File> files,
                                   std::function<void()> finished, WriteFile writeFile)
    : reports_(std::move(reports)), files_(std::move(files)), stamps_(files_.size()),
      finished_(std::move(finished)), writeFile_(std::move(writeFile)) {
    byPath_.reserve(files_.size());
    for (std::size_t i = 0; i < files_.size(); ++i)
        byPath_.emplace(files_[i].path.string(), i);
    thread_ = std::thread([this] { writeAll(); });
}

ReportFileWriter::~ReportFileWriter() {
    stop();
}

void ReportFileWriter::writeAll() {
    std::exception_ptr failure;
    std::size_t count = 0;
    try {
        for (; count < files_.size() && !stopRequested_.load(std::memory_order_relaxed); ++count) {
            const File& file = files_[count];
            if (file.trimTo)
                writeFile_(file.path, trimmedEReport(reports_[file.report], *file.trimTo));
            else
                writeFile_(file.path, reports_[file.report]);
            stamps_[count] = stampOf(files_[count].path).value_or(Stamp{});
            written_.store(count + 1, std::memory_order_release);
        }
    } catch (...) {
        failure = std::current_exception();
        // Half a day on disk would be joined back as if it were the whole day; the text it was
        // cut from is whole, so nothing is lost by removing what was written.
        written_.store(0, std::memory_order_release);
        for (std::size_t i = 0; i < count; ++i) {
            std::error_code ignored;
            fs::remove(files_[i].path, ignored);
        }
    }
    {
        std::lock_guard lock(mutex_);
        done_ = true;
        failure_ = failure;
    }
    ended_.notify_all();
    if (finished_)
        finished_();
}

bool ReportFileWriter::done() const {
    std::lock_guard lock(mutex_);
    return done_;
}

void ReportFileWriter::wait() {
    std::unique_lock lock(mutex_);
    ended_.wait(lock, [this] { return done_; });
    if (failure_)
        std::rethrow_exception(failure_);
}

void ReportFileWriter::stop() {
    stopRequested_.store(true, std::memory_order_relaxed);
    if (thread_.joinable())
        thread_.join();
}

std::optional<std::size_t> ReportFileWriter::indexOf(const fs::path& path) const {
    const auto found = byPath_.find(path.string());
    if (found == byPath_.end())
        return std::nullopt;
    return found->second;
}

std::string ReportFileWriter::bytesOf(const File& file) const {
    const std::string& lines = reports_[file.report];
    return file.trimTo ? trimmedEReport(lines, *file.trimTo) : lines;
}

bool ReportFileWriter::isUnwritten(const fs::path& path) const {
    const std::optional<std::size_t> index = indexOf(path);
    return index && *index >= written_.load(std::memory_order_acquire);
}

std::optional<std::string> ReportFileWriter::unwritten(const fs::path& path) const {
    const std::optional<std::size_t> index = indexOf(path);
    if (!index || *index < written_.load(std::memory_order_acquire))
        return std::nullopt;
    return bytesOf(files_[*index]);
}

std::optional<std::string> ReportFileWriter::known(const fs::path& path) const {
    const std::optional<std::size_t> index = indexOf(path);
    if (!index)
        return std::nullopt;
    if (*index >= written_.load(std::memory_order_acquire))
        return bytesOf(files_[*index]);
    const std::optional<Stamp> now = stampOf(path);
    if (!now || *now != stamps_[*index] || stamps_[*index] == Stamp{})
        return std::nullopt;
    return bytesOf(files_[*index]);
}

std::optional<ReportFileWriter::Stamp> ReportFileWriter::stampOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return Stamp{
        static_cast<std::uintmax_t>(status.st_ino), static_cast<std::uintmax_t>(status.st_size),
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

} // namespace analysis
