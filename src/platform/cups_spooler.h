// Raw spooling through CUPS: the bytes reach the queue's device untranslated.
#pragma once

#include "core/print/pcl/raw_spooler.h"

#include <memory>
#include <string>
#include <string_view>

namespace analysis {

/// A RawSpooler over the CUPS server that CUPS_SERVER (or cupsSetServer) names.
///
/// Opening the printer connects to the server and checks that the queue exists, so a missing
/// queue and an unreachable server are told apart. Cancelling a document whose data is being
/// sent drops the connection first, so the server never completes the fragment, then cancels
/// the job.
class CupsSpooler : public pcl::RawSpooler {
public:
    CupsSpooler();
    ~CupsSpooler() override;
    CupsSpooler(const CupsSpooler&) = delete;
    CupsSpooler& operator=(const CupsSpooler&) = delete;

    void openPrinter(const std::string& printerName) override;
    void startRawDocument(const std::string& documentName) override;
    void startPage() override;
    void write(std::string_view bytes) override;
    void endPage() noexcept override;
    void endDocument() override;
    void cancelDocument() noexcept override;
    void closePrinter() noexcept override;

private:
    struct Connection;

    bool connect();
    std::string lastErrorText() const;

    std::unique_ptr<Connection> connection_;
    std::string printer_;
    int jobId_ = 0;
    bool sending_ = false;
};

/// The server CUPS clients of this process talk to, as "host:port" or a socket path.
std::string cupsServerName();

} // namespace analysis
