// Build tool: turns the UTF-8 sources of the embedded texts into a C++ source holding their
// code page 437 bytes with CR LF line ends. A character outside the code page, a control
// character or a line over 80 columns fails the build, naming the file and line.
//
// Usage: embed OUTPUT.cpp (NAME SOURCE FINAL_BREAK)...
//   NAME is the one-letter resource name, FINAL_BREAK "crlf" or "none" for the last line.
#include "core/common/cp437.h"

#include <cstddef>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::size_t MaximumColumns = 80;

struct Resource {
    char name;
    std::string bytes;
};

std::string readSource(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot be read");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The next code point of UTF-8 text at pos, advancing pos; nullopt for malformed text.
std::optional<char32_t> nextCodePoint(const std::string& text, std::size_t& pos) {
    auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    int length = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (length < 0 || pos + std::size_t(length) > text.size())
        return std::nullopt;
    char32_t value = lead & (0x3F >> length);
    for (int i = 0; i < length; ++i) {
        auto next = static_cast<unsigned char>(text[pos++]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    return value;
}

std::string convertLine(const std::string& line, const std::string& where) {
    std::string bytes;
    std::size_t pos = 0;
    while (pos < line.size()) {
        std::size_t column = bytes.size() + 1;
        auto character = nextCodePoint(line, pos);
        if (!character)
            throw std::runtime_error(where + ": malformed UTF-8 at column " +
                                     std::to_string(column));
        if (*character < 0x20 || *character == 0x7F)
            throw std::runtime_error(where + ": control character at column " +
                                     std::to_string(column));
        auto byte = analysis::unicodeToCp437(*character);
        if (!byte) {
            std::ostringstream message;
            message << where << ": U+" << std::hex << std::uppercase << unsigned(*character)
                    << " at column " << std::dec << column << " is not in code page 437";
            throw std::runtime_error(message.str());
        }
        bytes.push_back(static_cast<char>(*byte));
    }
    if (bytes.size() > MaximumColumns)
        throw std::runtime_error(where + ": " + std::to_string(bytes.size()) +
                                 " columns, at most 80 fit");
    return bytes;
}

// The source's lines, each ended by CR LF except, with finalBreak false, the last one.
std::string convert(const std::string& path, bool finalBreak) {
    std::string text = readSource(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back(); // a checkout with CR LF line ends reads the same
        lines.push_back(line);
        start = end + 1;
    }
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += convertLine(lines[i], path + ":" + std::to_string(i + 1));
        if (i + 1 < lines.size() || finalBreak)
            bytes += "\r\n";
    }
    return bytes;
}

// Octal escapes of at most three digits can never swallow the character after them.
std::string literal(const std::string& bytes) {
    std::string out = "        \"";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\%03o",
                      unsigned(static_cast<unsigned char>(bytes[i])));
        out += escape;
        if (i % 24 == 23 && i + 1 < bytes.size())
            out += "\"\n        \"";
    }
    return out + "\"";
}

void writeOutput(const std::string& path, const std::vector<Resource>& resources) {
    std::ostringstream out;
    out << "// Generated at build time by resources/embed.cpp from the texts in resources/.\n"
        << "#include \"resources/embedded_table.h\"\n\n"
        << "namespace analysis::detail {\n\n"
        << "const EmbeddedEntry EmbeddedEntries[] = {\n";
    for (const Resource& resource : resources)
        out << "    {'" << resource.name << "',\n     std::string_view(\n"
            << literal(resource.bytes) << ",\n        " << resource.bytes.size() << ")},\n";
    out << "};\n\nconst std::size_t EmbeddedEntryCount = " << resources.size() << ";\n\n"
        << "} // namespace analysis::detail\n";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file.flush())
        throw std::runtime_error(path + ": cannot be written");
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || (args.size() - 1) % 3 != 0) {
        std::cerr << "usage: embed OUTPUT.cpp (NAME SOURCE crlf|none)...\n";
        return 2;
    }
    try {
        std::vector<Resource> resources;
        for (std::size_t i = 1; i < args.size(); i += 3) {
            if (args[i].size() != 1 || (args[i + 2] != "crlf" && args[i + 2] != "none"))
                throw std::runtime_error("bad resource entry: " + args[i] + " " + args[i + 1] +
                                         " " + args[i + 2]);
            resources.push_back({args[i][0], convert(args[i + 1], args[i + 2] == "crlf")});
        }
        writeOutput(args[0], resources);
    } catch (const std::exception& error) {
        std::cerr << "embed: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
