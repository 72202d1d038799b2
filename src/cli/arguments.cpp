// Argument handling shared by the verbs of analysis-tool.
#include "cli/arguments.h"

#include <algorithm>
#include <exception>
#include <new>

namespace analysis::cli {

Arguments::Arguments(std::span<const std::string> words) : words_(words.begin(), words.end()) {}

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
    if (words_.size() < minimum)
        throw UsageError("missing arguments");
    if (words_.size() > maximum)
        throw UsageError("too many arguments");
    return words_;
}

int runVerb(std::span<const std::string> words, std::ostream& out, std::ostream& err,
            const char* usage, int (*verb)(Arguments&, std::ostream&, std::ostream&)) {
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
