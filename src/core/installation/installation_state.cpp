// Reading and writing the installation's UserId and job counter.
#include "core/installation/installation_state.h"

#include "core/common/file_io.h"
#include "core/common/text_lines.h"

#include <optional>

namespace analysis {
namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

/// The decimal number in text, or nothing when text is not one. Values too large for the
/// counter are all the same to the caller: they start the count again.
std::optional<unsigned> decimalValue(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value > JobCounterLimit ? value : value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

} // namespace

InstallationState readInstallationState(const std::filesystem::path& file) {
    InstallationState state;
    if (!fileExists(file))
        return state;
    const std::string content = readFile(file);
    LineReader lines(content);
    std::string_view line;
    if (lines.next(line)) {
        line = trimBlanks(line);
        if (!line.empty())
            state.UserId = line.substr(0, UserIdLimit);
    }
    if (lines.next(line)) {
        const std::optional<unsigned> counter = decimalValue(trimBlanks(line));
        if (counter && *counter <= JobCounterLimit)
            state.JobCounter = static_cast<std::uint16_t>(*counter);
    }
    return state;
}

void writeInstallationState(const std::filesystem::path& file, const InstallationState& state) {
    std::string_view userId = state.UserId;
    userId = userId.substr(0, userId.find_first_of("\r\n")).substr(0, UserIdLimit);
    writeFileAtomically(file,
                        std::string(userId) + "\r\n" + std::to_string(state.JobCounter) + "\r\n");
}

std::string countJob(InstallationState& state, const std::filesystem::path* file) {
    state.JobCounter =
        static_cast<std::uint16_t>(state.JobCounter >= JobCounterLimit ? 0 : state.JobCounter + 1);
    if (file != nullptr)
        writeInstallationState(*file, state);
    return jobCounterText(state.JobCounter);
}

std::string jobCounterText(unsigned counter) {
    std::string text = std::to_string(counter);
    if (text.size() < 4)
        text.insert(0, 4 - text.size(), '0');
    return text;
}

} // namespace analysis
