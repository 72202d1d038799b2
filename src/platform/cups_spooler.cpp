// Raw spooling through CUPS: the bytes reach the queue's device untranslated.
#include "platform/cups_spooler.h"

#include <cups/cups.h>

#include <new>

namespace analysis {

namespace {

using pcl::SpoolError;

std::string unreachable() {
    return "the print server " + cupsServerName() + " cannot be reached";
}

bool serverMissing(ipp_status_t status) {
    return status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || status == IPP_STATUS_ERROR_INTERNAL;
}

} // namespace

struct CupsSpooler::Connection {
    http_t* http = nullptr;

    ~Connection() {
        if (http != nullptr)
            httpClose(http);
    }
};

std::string cupsServerName() {
    std::string server = cupsServer();
    if (!server.starts_with("/"))
        server.append(":").append(std::to_string(ippPort()));
    return server;
}

CupsSpooler::CupsSpooler() = default;

CupsSpooler::~CupsSpooler() {
    if (sending_ || jobId_ != 0)
        cancelDocument();
}

bool CupsSpooler::connect() {
    connection_ = std::make_unique<Connection>();
    connection_->http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(),
                                     1, 30000, nullptr);
    return connection_->http != nullptr;
}

std::string CupsSpooler::lastErrorText() const {
    ipp_status_t status = cupsLastError();
    if (serverMissing(status))
        return unreachable();
    const char* text = cupsLastErrorString();
    if (text != nullptr && *text != '\0')
        return text;
    return "error " + std::to_string(static_cast<int>(status));
}

void CupsSpooler::openPrinter(const std::string& printerName) {
    printer_ = printerName;
    if (!connect())
        throw SpoolError(unreachable());
    cups_dest_t* dest = cupsGetNamedDest(connection_->http, printerName.c_str(), nullptr);
    if (dest == nullptr) {
        ipp_status_t status = cupsLastError();
        std::string reason =
            status <= IPP_STATUS_OK_CONFLICTING || status == IPP_STATUS_ERROR_NOT_FOUND
                ? "no such printer on the print server " + cupsServerName()
                : lastErrorText();
        connection_.reset();
        throw SpoolError(reason);
    }
    cupsFreeDests(1, dest);
}

void CupsSpooler::startRawDocument(const std::string& documentName) {
    jobId_ = cupsCreateJob(connection_->http, printer_.c_str(), documentName.c_str(), 0, nullptr);
    if (jobId_ == 0)
        throw SpoolError(lastErrorText());
    if (cupsStartDocument(connection_->http, printer_.c_str(), jobId_, documentName.c_str(),
                          CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
        std::string reason = lastErrorText();
        cupsCancelJob2(connection_->http, printer_.c_str(), jobId_, 0);
        jobId_ = 0;
        throw SpoolError(reason);
    }
    sending_ = true;
}

void CupsSpooler::startPage() {}

void CupsSpooler::write(std::string_view bytes) {
    if (cupsWriteRequestData(connection_->http, bytes.data(), bytes.size()) != HTTP_STATUS_CONTINUE)
        throw SpoolError(lastErrorText());
}

void CupsSpooler::endPage() noexcept {}

void CupsSpooler::endDocument() {
    if (!sending_)
        throw SpoolError("no document was started");
    sending_ = false;
    jobId_ = 0;
    if (cupsFinishDocument(connection_->http, printer_.c_str()) > IPP_STATUS_OK_CONFLICTING)
        throw SpoolError(lastErrorText());
}

void CupsSpooler::cancelDocument() noexcept {
    if (sending_) {
        // The document request is still open: dropping the connection aborts it, so the server
        // never gets a finished document.
        sending_ = false;
        connection_.reset();
        // Cancelling the job takes a new connection, which takes memory: out of memory, the
        // job is left to the server without its document rather than raising from here.
        try {
            if (!connect())
                return;
        } catch (const std::bad_alloc&) {
            return;
        }
    }
    if (jobId_ != 0 && connection_ && connection_->http != nullptr)
        cupsCancelJob2(connection_->http, printer_.c_str(), jobId_, 0);
    jobId_ = 0;
}

void CupsSpooler::closePrinter() noexcept {
    connection_.reset();
}

} // namespace analysis
