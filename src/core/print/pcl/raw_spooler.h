// Sending a finished PCL file to a printer as one raw spooler document.
#pragma once

#include "core/common/io_error.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace analysis::pcl {

/// Raw spooling failed. From a spooler step, the message is the spooler's reason; from
/// SpoolRawFile, it names the printer, the step and that reason.
class SpoolError : public AnalysisError {
public:
    using AnalysisError::AnalysisError;
};

/// The print spooler's raw submission, one document at a time. Steps are called in the order
/// open, start document, start page, write..., end page, end document, close; a started
/// document is either ended or cancelled before the printer is closed. A step the spooler
/// refuses raises SpoolError with its reason, as the printer canvas raises PrinterError;
/// ending a page, cancelling and closing never raise, so winding up always completes.
class RawSpooler {
public:
    virtual ~RawSpooler() = default;

    virtual void openPrinter(const std::string& printerName) = 0;
    /// Starts a document whose bytes reach the printer untranslated.
    virtual void startRawDocument(const std::string& documentName) = 0;
    virtual void startPage() = 0;
    virtual void write(std::string_view bytes) = 0;
    virtual void endPage() noexcept = 0;
    /// Releases the document to the printer; refused when the spooler did not accept it.
    virtual void endDocument() = 0;
    /// Withdraws the started document so that nothing of it is printed.
    virtual void cancelDocument() noexcept = 0;
    virtual void closePrinter() noexcept = 0;
};

/// Bytes handed to the spooler per write.
inline constexpr std::size_t SpoolChunkSize = 16384;

/// The spool document's name.
inline constexpr std::string_view SpoolDocumentName = "Analysis";

/// Sends file to printerName as one raw document of one page, in writes of SpoolChunkSize.
///
/// Raises SpoolError when no printer is named or the spooler refuses a step; everything
/// opened so far is wound up first (a refused write still ends the page and the document, so
/// the spooler holds a complete job of what was sent). When the file cannot be opened or read
/// after the document has started, the document is cancelled, the printer closed and the
/// IoError raised: a fragment is never printed.
void SpoolRawFile(RawSpooler& spooler, const std::string& printerName,
                  const std::filesystem::path& file);

} // namespace analysis::pcl
