// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include "core/common/temporary_files.h"

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace analysis::testing {

/// The program's own temporary folder, with helpers to fill and read it.
class TempDir : public TemporaryFolder {
public:
    TempDir() : TemporaryFolder("analysis-test") {}

    /// Writes bytes to name (relative to the folder), creating parent folders.
    std::filesystem::path write(const std::filesystem::path& name, std::string_view bytes) const {
        std::filesystem::path file = path() / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return file;
    }

    /// How many files and folders the folder holds, not counting what is inside the folders.
    std::ptrdiff_t entryCount() const {
        return std::distance(std::filesystem::directory_iterator(path()),
                             std::filesystem::directory_iterator());
    }

    /// The bytes of name (relative to the folder, or absolute).
    std::string read(const std::filesystem::path& name) const {
        std::ifstream in(path() / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

} // namespace analysis::testing
