// A raw spooler that keeps what reached the printer, or refuses to open it.
#pragma once

#include "core/print/pcl/raw_spooler.h"

#include <string>

namespace analysis::testing {

class CapturingSpooler : public pcl::RawSpooler {
public:
    pcl::SpoolResult openPrinter(const std::string& name) override {
        printer = name;
        return refuseOpen.empty() ? pcl::SpoolResult::done()
                                  : pcl::SpoolResult::refused(refuseOpen);
    }
    pcl::SpoolResult startRawDocument(const std::string&) override {
        return pcl::SpoolResult::done();
    }
    pcl::SpoolResult startPage() override { return pcl::SpoolResult::done(); }
    pcl::SpoolResult write(std::string_view bytes) override {
        received += bytes;
        return pcl::SpoolResult::done();
    }
    void endPage() override {}
    pcl::SpoolResult endDocument() override { return pcl::SpoolResult::done(); }
    void cancelDocument() override {}
    void closePrinter() override {}

    /// When not empty, opening the printer is refused with this reason.
    std::string refuseOpen;
    std::string printer;
    std::string received;
};

} // namespace analysis::testing
