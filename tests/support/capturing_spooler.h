// A raw spooler that keeps what reached the printer, or refuses to open it.
#pragma once

#include "core/print/pcl/raw_spooler.h"

#include <string>

namespace analysis::testing {

class CapturingSpooler : public pcl::RawSpooler {
public:
    void openPrinter(const std::string& name) override {
        printer = name;
        if (!refuseOpen.empty())
            throw pcl::SpoolError(refuseOpen);
    }
    void startRawDocument(const std::string&) override {}
    void startPage() override {}
    void write(std::string_view bytes) override { received += bytes; }
    void endPage() noexcept override {}
    void endDocument() override {}
    void cancelDocument() noexcept override {}
    void closePrinter() noexcept override {}

    /// When not empty, opening the printer is refused with this reason.
    std::string refuseOpen;
    std::string printer;
    std::string received;
};

} // namespace analysis::testing
