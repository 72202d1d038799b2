// Printing a print file in a print mode: the canvas engine for the WIN modes, the PCL engine and
// raw spooling for the PCL modes.
#pragma once

#include "core/print/print_modes.h"

#include <filesystem>
#include <optional>
#include <string>

namespace analysis {

class PrinterCanvas;
namespace pcl {
class RawSpooler;
}

/// The printer as both engines reach it.
struct PrintDevices {
    PrinterCanvas& canvas;
    pcl::RawSpooler& spooler;
    std::string printerName; ///< the current printer, for raw spooling
};

/// Prints printFile: modes 0 to 3 draw it on the canvas; modes 4 to 7 compose it into pclFile
/// and send that raw to the printer. Returns the canvas engine's page-shape test (the legal
/// paper flag it leaves behind) when the canvas printed a report; nothing otherwise. Raises
/// IoError, PrinterError or SpoolError when the print did not reach the printer.
std::optional<bool> printInMode(const PrintSettings& request,
                                const std::filesystem::path& printFile,
                                const std::filesystem::path& pclFile, PrintDevices& devices);

} // namespace analysis
