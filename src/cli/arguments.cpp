// Argument handling shared by the verbs of analysis-tool.
#include "cli/arguments.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <new>
#include <string_view>

namespace analysis::cli {

Arguments::Arguments(std::span<const std::string> words) {
    const auto end = std::find(words.begin(), words.end(), "--");
    words_.assign(words.begin(), end);
    if (end != words.end())
        afterOptions_.assign(end + 1, words.end());
}

bool Arguments::flag(const std::string& name) {
    auto found = std::find(words_.begin(), words_.end(), name);
    if (found == words_.end())
        return false;
    words_.erase(found);
    return true;
}

std::optional<std::string> Arguments::option(const std::string& name) {
    auto found = std::find(words_.begin(), words_.end(), name);
    if (found == words_.end())
        return std::nullopt;
    if (found + 1 == words_.end())
        throw UsageError("option " + name + " needs a value");
    std::string value = *(found + 1);
    words_.erase(found, found + 2);
    return value;
}

std::vector<std::string> Arguments::finish(std::size_t minimum, std::size_t maximum) {
    for (const std::string& word : words_)
        if (word.size() > 1 && word.starts_with("-"))
            throw UsageError("unknown option " + word);
    words_.insert(words_.end(), afterOptions_.begin(), afterOptions_.end());
    afterOptions_.clear();
    if (words_.size() < minimum)
        throw UsageError("missing arguments");
    if (words_.size() > maximum)
        throw UsageError("too many arguments");
    return words_;
}

namespace {

/// A whole number without sign or blanks, or nothing.
std::optional<long long> wholeNumber(std::string_view text) {
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text[0] == '-' || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

PageSize parsePageSize(const std::string& text) {
    std::size_t cross = text.find('x');
    std::optional<long long> width;
    std::optional<long long> height;
    if (cross != std::string::npos) {
        width = wholeNumber(std::string_view(text).substr(0, cross));
        height = wholeNumber(std::string_view(text).substr(cross + 1));
    }
    constexpr long long Largest = 1'000'000;
    if (!width || !height || *width <= 0 || *height <= 0 || *width > Largest || *height > Largest)
        throw UsageError("--page needs WxH in device pixels, not " + text);
    return {static_cast<int>(*width), static_cast<int>(*height)};
}

int parseWholeNumber(const std::string& what, const std::string& text, int maximum) {
    std::optional<long long> value = wholeNumber(text);
    if (!value || *value > maximum)
        throw UsageError(what + " needs a whole number from 0 to " + std::to_string(maximum) +
                         ", not " + text);
    return static_cast<int>(*value);
}

int runVerb(std::span<const std::string> words, std::ostream& out, std::ostream& err,
            const char* usage,
            const std::function<int(Arguments&, std::ostream&, std::ostream&)>& verb) {
    if (std::find(words.begin(), words.end(), "--help") != words.end()) {
        out << usage;
        return 0;
    }
    try {
        Arguments arguments(words);
        return verb(arguments, out, err);
    } catch (const UsageError& error) {
        err << "analysis-tool: " << error.what() << "\n" << usage;
        return 2;
    } catch (const std::bad_alloc&) {
        err << "analysis-tool: out of memory\n";
        return 2;
    } catch (const std::exception& error) {
        // The program's own errors and the library's (a missing temporary folder, say) alike:
        // one line, status 2, never an abort.
        err << "analysis-tool: " << error.what() << "\n";
        return 2;
    } catch (...) {
        err << "analysis-tool: unexpected failure\n";
        return 2;
    }
}

} // namespace analysis::cli
