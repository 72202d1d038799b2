// The names a user may give an archive, and the file each names.
#include "core/installation/archive_names.h"

#include "core/installation/install_folders.h"

#include <optional>

namespace analysis {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view ExcludedCharacters = "\"*+,/:;<=>?\\|";
constexpr std::size_t MostCharactersAfterDot = 3;

/// The longest file name a folder takes, in bytes. Twelve characters of at most four bytes each,
/// with the ".tmp" and up to nine digits of the temporary that replaces an archive, stay within
/// it, so every name that passes can be saved.
constexpr std::size_t FileNameLimit = 255;
static_assert(ArchiveNameLimit * 4 + std::string_view(".tmp999999999").size() <= FileNameLimit);

/// A byte that continues a UTF-8 character rather than starting one.
bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

/// The number of characters of text, or nothing when it is not UTF-8: a byte that starts no
/// character, a character cut short, one written with more bytes than it needs (an overlong
/// "/" among them), a surrogate, or one beyond U+10FFFF.
std::optional<std::size_t> utf8CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        // The bytes after the lead are 0x80 to 0xBF; some leads narrow the first of them.
        unsigned char least = 0x80;
        unsigned char most = 0xBF;
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            least = lead == 0xE0 ? 0xA0 : 0x80;
            most = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            least = lead == 0xF0 ? 0x90 : 0x80;
            most = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return std::nullopt;
        }
        if (text.size() - i < length)
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if (byte < least || byte > most)
                return std::nullopt;
            least = 0x80;
            most = 0xBF;
        }
        i += length;
    }
    return count;
}

/// A blank, or a control character a terminal or a file list would act on rather than show:
/// the C0 set, DEL, and the C1 set (U+0080 to U+009F, a lead 0xC2 and the byte after it).
bool isControl(char lead, std::string_view after) {
    const auto byte = static_cast<unsigned char>(lead);
    if (byte <= 32 || byte == 0x7F)
        return true;
    return byte == 0xC2 && !after.empty() && static_cast<unsigned char>(after.front()) <= 0x9F;
}

} // namespace

InvalidArchiveName::InvalidArchiveName(std::string name, std::string_view fault)
    : AnalysisError("The archive name \"" + name + "\" " + std::string(fault)),
      name_(std::move(name)) {}

std::string_view archiveNameFault(std::string_view name) {
    const std::optional<std::size_t> characters = utf8CharacterCount(name);
    if (!characters)
        return "is not valid UTF-8 text";
    const std::size_t length = *characters;
    if (length > ArchiveNameLimit)
        return "is longer than 12 characters";
    std::size_t position = 0;
    bool dotSeen = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (continuesCharacter(c))
            continue;
        ++position;
        if (isControl(c, name.substr(i + 1)))
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
