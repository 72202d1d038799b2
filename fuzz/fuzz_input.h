// What every fuzz target shares: the input bytes as a file in a folder of the target's own, since
// the engines read and write files, and the one failure an engine may answer bad input with.
#pragma once

#include "core/common/file_io.h"
#include "core/common/io_error.h"
#include "core/common/temporary_files.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace analysis::fuzz {

/// The target's working folder, made once per process and removed when it ends.
inline const TemporaryFolder& workFolder() {
    static const TemporaryFolder folder("analysis-fuzz");
    return folder;
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

/// Writes bytes to name in the working folder and returns its path.
inline std::filesystem::path inputFile(std::string_view name, std::string_view bytes) {
    std::filesystem::path file = workFolder() / name;
    OutputFile out(file);
    out.write(bytes);
    out.commit();
    return file;
}

} // namespace analysis::fuzz
