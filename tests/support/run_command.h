// Running a shell command in a test and keeping what it printed (pdftotext and the like).
#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace analysis::testing {

/// The standard output of command, run by the shell; std::runtime_error when it cannot start.
inline std::string runCommand(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::string output;
    std::array<char, 65536> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0;)
        output.append(buffer.data(), n);
    return output;
}

/// The number of pages pdfinfo finds in pdf; -1 when it finds none.
inline int pdfPageCount(const std::filesystem::path& pdf) {
    std::string info = runCommand("pdfinfo '" + pdf.string() + "'");
    std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

} // namespace analysis::testing
