// Choosing the engine by print mode.
#include "core/day/print_output.h"

#include "core/common/file_io.h"
#include "core/print/canvas/canvas_composer.h"
#include "core/print/pcl/pcl_composer.h"
#include "core/print/pcl/raw_spooler.h"

namespace analysis {

std::optional<bool> printInMode(const PrintSettings& request,
                                const std::filesystem::path& printFile,
                                const std::filesystem::path& pclFile, PrintDevices& devices) {
    char letter = LayoutLetter(request.fontMode);
    if (!isPclMode(request.fontMode))
        return PrintFileOnCanvas(devices.canvas, printFile, letter).pageIsLong;
    OutputFile pcl(pclFile);
    pcl::PrintPclJob(printFile, letter, request.legal, request.duplex, pcl);
    pcl.commit();
    pcl::SpoolRawFile(devices.spooler, devices.printerName, pclFile);
    return std::nullopt;
}

} // namespace analysis
