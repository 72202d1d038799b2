// analysis-tool pcl in analysis-tool-print: the stream and, with --pdf, its pages as a PDF.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// pcl PRN LETTER [--legal] [--duplex] [-o OUT_PCL] [--pdf OUT_PDF]: the stream to OUT_PCL and
/// the pages it prints to OUT_PDF, each appearing only once complete. A print file that prints
/// no page writes no PDF and ends with status 2.
int runPclPdfCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
