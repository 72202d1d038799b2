// Sending a finished PCL file to a printer as one raw spooler document.
#pragma once

#include "core/common/io_error.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace analysis::pcl {

/// The outcome of one spooler step: done, or refused with the spooler's reason.
struct SpoolResult {
    bool ok = true;
    std::string reason;

    static SpoolResult done() { return {}; }
    static SpoolResult refused(std::string why) { return {false, std::move(why)}; }
};

/// The print spooler's raw submission, one document at a time. Steps are called in the order
/// open, start document, start page, write..., end page, end document, close; a started
/// document is either ended or cancelled before the printer is closed.
class RawSpooler {
public:
    virtual ~RawSpooler() = default;

    virtual SpoolResult openPrinter(const std::string& printerName) = 0;
    /// Starts a document whose bytes reach the printer untranslated.
    virtual SpoolResult startRawDocument(const std::string& documentName) = 0;
    virtual SpoolResult startPage() = 0;
    virtual SpoolResult write(std::string_view bytes) = 0;
    virtual void endPage() = 0;
    /// Releases the document to the printer; refused when the spooler did not accept it.
    virtual SpoolResult endDocument() = 0;
    /// Withdraws the started document so that nothing of it is printed.
    virtual void cancelDocument() = 0;
    virtual void closePrinter() = 0;
};

/// Raw spooling failed; the message names the printer, the step and the spooler's reason.
class SpoolError : public AnalysisError {
public:
    using AnalysisError::AnalysisError;
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
