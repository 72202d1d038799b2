// Argument handling shared by the verbs of analysis-tool.
#pragma once

#include "core/common/io_error.h"

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace analysis::cli {

/// Bad arguments: the verb stops, prints the message and exits with status 2.
class UsageError : public AnalysisError {
public:
    using AnalysisError::AnalysisError;
};

/// The words after a verb: options ("--name" or "--name VALUE") and positional arguments.
/// Every option is taken out as it is asked for, so finish() can refuse unknown ones. A "--"
/// ends the options: every word after it is positional, even one that starts with "-" (a text
/// to find, a file named so).
class Arguments {
public:
    explicit Arguments(std::span<const std::string> words);

    /// True when the flag was given (and takes it out).
    bool flag(const std::string& name);
    /// The value after the option when given; UsageError when the value is missing.
    std::optional<std::string> option(const std::string& name);
    /// The positional arguments, after every option has been taken out. UsageError when an
    /// unknown option remains or the count is outside [minimum, maximum].
    std::vector<std::string> finish(std::size_t minimum, std::size_t maximum);

private:
    std::vector<std::string> words_;
    /// The words after "--".
    std::vector<std::string> afterOptions_;
};

/// A printer's printable page in device pixels, in portrait.
struct PageSize {
    int width = 0;
    int height = 0;
};

/// The page of "--page WxH"; UsageError unless both are positive whole numbers.
PageSize parsePageSize(const std::string& text);

/// A whole number from 0 to maximum; UsageError naming what it was given for otherwise.
int parseWholeNumber(const std::string& what, const std::string& text, int maximum);

/// Runs one verb: prints usage for --help; turns any failure into a one-line message on err and
/// exit status 2 (a UsageError adds the usage). The verb returns 0, or 1 for "done, with a
/// warning".
int runVerb(std::span<const std::string> words, std::ostream& out, std::ostream& err,
            const char* usage,
            const std::function<int(Arguments&, std::ostream&, std::ostream&)>& verb);

} // namespace analysis::cli
