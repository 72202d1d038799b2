// Running one verb of analysis-tool in-process and keeping what it printed.
#pragma once

#include <ostream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace analysis::cli {

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

inline Outcome runVerbFor(int (*verb)(std::span<const std::string>, std::ostream&, std::ostream&),
                          const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome run;
    run.status = verb(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace analysis::cli
