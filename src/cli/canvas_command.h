// analysis-tool canvas: the canvas engine on a print file, traced or drawn into a PDF.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// canvas PRN LETTER --page WxH (--trace | -o OUT.pdf); returns the exit status.
int runCanvasCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
