// The one shape of every use case's outcome.
#pragma once

#include <string>

namespace analysis {

/// How a use case ended and what the user is told; each use case's outcome adds what it kept
/// or made. The message is the reason of a failure, or a notice; empty when there is nothing to
/// say.
template <typename Status>
struct Outcome {
    Status status{};
    std::string message;
};

} // namespace analysis
