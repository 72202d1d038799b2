// The PCL engine: a print file in, a PCL 5 stream out, for the layouts G, H, I and J.
#pragma once

#include "core/common/file_io.h"

#include <filesystem>

namespace analysis::pcl {

/// Composes the print file into PCL on pclOut.
///
/// The print file is cut into source pages at form feeds and into lines at CR (LF is
/// skipped); each page is spread over the columns its plan gives (see planColumns: one to four
/// within the layout's capacity, as many as it needs beyond), each column placed line by line
/// with absolute cursor commands. Portrait layouts (H, I, J) print each column on a sheet of
/// its own; the landscape layout (G) prints two columns side by side. Bytes after the 80th of
/// a line are dropped; no line of a page is. A letter other than "G" to "J" writes nothing.
/// Raises IoError when the print file cannot be read or the output written.
void PrintPclJob(const std::filesystem::path& printFile, char layoutLetter, bool legal, bool duplex,
                 OutputFile& pclOut);

} // namespace analysis::pcl
