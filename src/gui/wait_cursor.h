// The wait cursor over the whole program while work that takes no input runs.
#pragma once

#include <QApplication>

namespace analysis {

/// Shows the wait cursor for as long as it lives; the cursor comes back however the work ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace analysis
