// File access for the engines: existence tests, whole-file reads, fast sequential reads,
// and writes that either go straight to a file or replace it only once complete.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace analysis {

/// True when path names an existing regular file (a folder is not a file).
bool fileExists(const std::filesystem::path& path);

/// Deletes the file when it exists; a file that exists but cannot be deleted raises IoError.
void DeleteIfExists(const std::filesystem::path& path);

/// Checks that path is a file that can be opened for reading, so a job can say what is wrong with
/// its input before it creates any output; IoError naming path otherwise (a folder included).
void requireReadableFile(const std::filesystem::path& path);

/// Raises IoError naming path when something other than a regular file stands there: a folder,
/// a device, a pipe or a socket, or a symbolic link to one. Nothing there, or a link to nothing,
/// passes. Every read and every write of a file checks this first: writing the file anew would
/// put it in place of the system's /dev/null, say, and reading a pipe waits for a writer that
/// may never come.
void requireFileOrNothing(const std::filesystem::path& path);

/// The whole content of a file; raises IoError when it cannot be opened or read.
std::string readFile(const std::filesystem::path& path);

/// Replaces path with bytes: a crash or a full disk leaves either the old file or the new one.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

/// Reads a file front to back in large chunks, so byte-wise parsers run at memory speed
/// while holding only one chunk of the file.
class ChunkReader {
public:
    static constexpr std::size_t DefaultChunkSize = std::size_t{1} << 20;

    /// Opens path for reading; raises IoError when it cannot.
    explicit ChunkReader(const std::filesystem::path& path,
                         std::size_t chunkSize = DefaultChunkSize);
    ~ChunkReader();
    ChunkReader(const ChunkReader&) = delete;
    ChunkReader& operator=(const ChunkReader&) = delete;

    /// The next chunk of the file, valid until the next call; empty at the end of the file.
    std::string_view next();

    const std::filesystem::path& path() const noexcept { return path_; }

private:
    std::filesystem::path path_;
    std::string buffer_;
    int fd_ = -1;
};

/// One byte at a time over a ChunkReader, for the print engines' byte-wise readers.
class ByteReader {
public:
    explicit ByteReader(const std::filesystem::path& path) : chunks_(path) {}

    /// True when every byte has been read.
    bool atEnd() {
        if (pos_ < chunk_.size())
            return false;
        chunk_ = chunks_.next();
        pos_ = 0;
        return chunk_.empty();
    }

    /// The next byte; call only when atEnd() is false.
    unsigned char get() { return static_cast<unsigned char>(chunk_[pos_++]); }

    /// The bytes read ahead and not taken yet, for readers that scan runs of bytes; valid until
    /// the next call of atEnd(). Call only when atEnd() is false, so the view is never empty.
    std::string_view buffered() const { return chunk_.substr(pos_); }
    /// Takes count of the buffered bytes.
    void skip(std::size_t count) { pos_ += count; }

private:
    ChunkReader chunks_;
    std::string_view chunk_;
    std::size_t pos_ = 0;
};

/// A buffered output file. In Direct mode the file is created (or emptied) at once and
/// written as data comes; in Replace mode the data goes to a temporary file in the same
/// folder that commit() renames over the target, so the target is never seen half-written.
/// Without commit(), a Replace-mode temporary file is removed and the target stays as it was,
/// while a Direct-mode file keeps everything written to it (the buffer is flushed as the object
/// goes); only commit() reports a failure, so a caller that must know the data arrived commits.
/// Neither mode writes through a symbolic link standing at path: Direct refuses it (IoError
/// naming path), Replace puts the new file in the link's place. Neither writes where something
/// other than a file stands (requireFileOrNothing).
class OutputFile {
public:
    enum class Mode { Direct, Replace };

    /// Creates the file; raises IoError when it cannot.
    explicit OutputFile(std::filesystem::path path, Mode mode = Mode::Direct);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(std::string_view bytes);
    void put(char byte) {
        if (buffer_.size() >= BufferSize)
            flush();
        buffer_.push_back(byte);
    }
    /// Writes line followed by CR LF.
    void writeLine(std::string_view line);

    /// Writes what is buffered and closes the file; in Replace mode the file then takes the
    /// target's place. Raises IoError on any failure (the target is then unchanged).
    void commit();

    const std::filesystem::path& path() const noexcept { return path_; }

private:
    static constexpr std::size_t BufferSize = std::size_t{1} << 20;

    void flush();
    void discard() noexcept;

    std::filesystem::path path_;
    std::filesystem::path tempPath_;
    std::string buffer_;
    Mode mode_;
    int fd_ = -1;
};

} // namespace analysis
