// The names a user may give an archive, and the file each names.
#include "core/installation/archive_names.h"

#include "core/installation/install_folders.h"

#include <algorithm>

namespace analysis {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view ExcludedCharacters = "\"*+,/:;<=>?\\|";
constexpr std::size_t MostCharactersAfterDot = 3;

/// A byte that continues a UTF-8 character rather than starting one.
bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !continuesCharacter(c); }));
}

} // namespace

InvalidArchiveName::InvalidArchiveName(std::string name, std::string_view fault)
    : AnalysisError("The archive name \"" + name + "\" " + std::string(fault)),
      name_(std::move(name)) {}

std::string_view archiveNameFault(std::string_view name) {
    const std::size_t length = characterCount(name);
    if (length > ArchiveNameLimit)
        return "is longer than 12 characters";
    std::size_t position = 0;
    bool dotSeen = false;
    for (char c : name) {
        if (continuesCharacter(c))
            continue;
        ++position;
        if (static_cast<unsigned char>(c) <= 32)
            return "holds a blank or a control character";
        if (ExcludedCharacters.find(c) != std::string_view::npos)
            return "holds one of \" * + , / : ; < = > ? \\ |";
        if (c != '.')
            continue;
        if (position == 1)
            return "begins with a dot";
        if (dotSeen)
            return "holds more than one dot";
        if (length - position > MostCharactersAfterDot)
            return "has more than 3 characters after its dot";
        dotSeen = true;
    }
    return {};
}

bool IsValidArchiveName(std::string_view name) {
    return archiveNameFault(name).empty();
}

fs::path archiveFile(const fs::path& installFolder, std::string_view name) {
    if (name.empty())
        throw InvalidArchiveName(std::string(name), "is empty");
    if (std::string_view fault = archiveNameFault(name); !fault.empty())
        throw InvalidArchiveName(std::string(name), fault);
    return installFolder / files::ArchiveFolder / name;
}

} // namespace analysis
