// Printing a print file in a print mode: the canvas engine for the WIN modes, the PCL engine and
// raw spooling for the PCL modes.
#pragma once

#include <cstdint>
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

/// The print choices as one value: the mode (0 to 7) and the legal-paper and duplex flags the
/// PCL engine receives.
struct PrintSettings {
    int fontMode = 2;
    bool legal = false;
    bool duplex = false;

    friend bool operator==(const PrintSettings&, const PrintSettings&) = default;
};

/// The settings of a print-options word: the mode in bits 0 to 2, legal paper in bit 3, duplex
/// in bit 4.
PrintSettings printSettingsFrom(std::uint16_t printOptions);
/// The print-options word of the settings; the unused bits 5 to 15 are 0.
std::uint16_t printOptionsWord(const PrintSettings& settings);

/// Prints printFile: modes 0 to 3 draw it on the canvas; modes 4 to 7 compose it into pclFile
/// and send that raw to the printer. Returns the canvas engine's page-shape test (the legal
/// paper flag it leaves behind) when the canvas printed a report; nothing otherwise. Raises
/// IoError, PrinterError or SpoolError when the print did not reach the printer.
std::optional<bool> printInMode(const PrintSettings& request,
                                const std::filesystem::path& printFile,
                                const std::filesystem::path& pclFile, PrintDevices& devices);

} // namespace analysis
