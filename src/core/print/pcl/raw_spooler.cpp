// Sending a finished PCL file to a printer as one raw spooler document.
#include "core/print/pcl/raw_spooler.h"

#include "core/common/file_io.h"

#include <algorithm>
#include <optional>

namespace analysis::pcl {

namespace {

[[noreturn]] void refuse(const std::string& printerName, std::string_view what,
                         const SpoolResult& result) {
    std::string message = "Printer \"" + printerName + "\": " + std::string(what);
    if (!result.reason.empty())
        message += ": " + result.reason;
    throw SpoolError(message);
}

/// Reads the whole file and hands it to the spooler in full chunks. Returns the refusal of a
/// write, if any; raises IoError when the file cannot be read.
std::optional<SpoolResult> sendFile(RawSpooler& spooler, const std::filesystem::path& file) {
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
                if (SpoolResult result = spooler.write(buffer); !result.ok)
                    return result;
                buffer.clear();
            }
        }
        if (atEnd)
            break;
    }
    if (!buffer.empty())
        if (SpoolResult result = spooler.write(buffer); !result.ok)
            return result;
    return std::nullopt;
}

} // namespace

void SpoolRawFile(RawSpooler& spooler, const std::string& printerName,
                  const std::filesystem::path& file) {
    if (printerName.empty())
        throw SpoolError("No printer is chosen for PCL output");

    if (SpoolResult opened = spooler.openPrinter(printerName); !opened.ok)
        refuse(printerName, "the printer could not be opened", opened);

    if (SpoolResult started = spooler.startRawDocument(std::string(SpoolDocumentName));
        !started.ok) {
        spooler.closePrinter();
        refuse(printerName, "the document was refused", started);
    }

    if (SpoolResult paged = spooler.startPage(); !paged.ok) {
        spooler.endDocument();
        spooler.closePrinter();
        refuse(printerName, "the page was refused", paged);
    }

    std::optional<SpoolResult> writeRefused;
    try {
        writeRefused = sendFile(spooler, file);
    } catch (const IoError&) {
        spooler.cancelDocument();
        spooler.closePrinter();
        throw;
    }

    spooler.endPage();
    SpoolResult ended = spooler.endDocument();
    spooler.closePrinter();
    if (writeRefused)
        refuse(printerName, "the data was refused", *writeRefused);
    if (!ended.ok)
        refuse(printerName, "the document was refused", ended);
}

} // namespace analysis::pcl
