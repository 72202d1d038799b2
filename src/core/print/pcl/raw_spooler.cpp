// Sending a finished PCL file to a printer as one raw spooler document.
#include "core/print/pcl/raw_spooler.h"

#include "core/common/file_io.h"

#include <algorithm>
#include <optional>

namespace analysis::pcl {

namespace {

[[noreturn]] void refuse(const std::string& printerName, std::string_view what,
                         const SpoolError& refusal) {
    std::string message = "Printer \"" + printerName + "\": " + std::string(what);
    if (*refusal.what() != '\0')
        message += std::string(": ") + refusal.what();
    throw SpoolError(message);
}

/// Reads the whole file and hands it to the spooler in full chunks. Raises SpoolError when a
/// write is refused, IoError when the file cannot be read.
void sendFile(RawSpooler& spooler, const std::filesystem::path& file) {
    ChunkReader reader(file, SpoolChunkSize);
    std::string buffer;
    buffer.reserve(SpoolChunkSize);
    for (;;) {
        std::string_view chunk = reader.next();
        bool atEnd = chunk.empty();
        while (!chunk.empty()) {
            std::size_t take = std::min(chunk.size(), SpoolChunkSize - buffer.size());
            buffer.append(chunk.substr(0, take));
            chunk.remove_prefix(take);
            if (buffer.size() == SpoolChunkSize) {
                spooler.write(buffer);
                buffer.clear();
            }
        }
        if (atEnd)
            break;
    }
    if (!buffer.empty())
        spooler.write(buffer);
}

} // namespace

void SpoolRawFile(RawSpooler& spooler, const std::string& printerName,
                  const std::filesystem::path& file) {
    if (printerName.empty())
        throw SpoolError("No printer is chosen for PCL output");

    try {
        spooler.openPrinter(printerName);
    } catch (const SpoolError& refusal) {
        refuse(printerName, "the printer could not be opened", refusal);
    }

    try {
        spooler.startRawDocument(std::string(SpoolDocumentName));
    } catch (const SpoolError& refusal) {
        spooler.closePrinter();
        refuse(printerName, "the document was refused", refusal);
    }

    try {
        spooler.startPage();
    } catch (const SpoolError& refusal) {
        try {
            spooler.endDocument();
        } catch (const SpoolError&) {
            // The page's refusal is the one to tell.
        }
        spooler.closePrinter();
        refuse(printerName, "the page was refused", refusal);
    }

    // A refused write still ends the page and the document, so the spooler holds a complete
    // job of what was sent; a file that cannot be read cancels it, so no fragment prints.
    std::optional<SpoolError> writeRefused;
    try {
        sendFile(spooler, file);
    } catch (const SpoolError& refusal) {
        writeRefused = refusal;
    } catch (const IoError&) {
        spooler.cancelDocument();
        spooler.closePrinter();
        throw;
    }

    spooler.endPage();
    std::optional<SpoolError> endRefused;
    try {
        spooler.endDocument();
    } catch (const SpoolError& refusal) {
        endRefused = refusal;
    }
    spooler.closePrinter();
    if (writeRefused)
        refuse(printerName, "the data was refused", *writeRefused);
    if (endRefused)
        refuse(printerName, "the document was refused", *endRefused);
}

} // namespace analysis::pcl
