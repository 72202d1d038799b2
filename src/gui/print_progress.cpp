// Progress of a print job.
#include "gui/print_progress.h"

namespace analysis {

void ProgressCanvas::beginDocument() {
    canvas_.beginDocument();
    page_ = 1;
    reportPage();
}

void ProgressCanvas::newPage() {
    canvas_.newPage();
    ++page_;
    reportPage();
}

void ProgressCanvas::reportPage() {
    report_(pages_ > 0 ? QString("Printing page %1 of %2").arg(page_).arg(pages_)
                       : QString("Printing page %1").arg(page_));
}

void ProgressSpooler::write(std::string_view bytes) {
    spooler_.write(bytes);
    sent_ += bytes.size();
    report_(QString("Sending to the printer: %1 KB").arg(sent_ / 1024));
}

} // namespace analysis
