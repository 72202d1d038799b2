// Schedule lines per page dialog.
#include "gui/simo_opts.h"

namespace analysis {

TSimoOpts::TSimoOpts(QWidget* parent) : QDialog(parent) {
    setObjectName("TSimoOpts");
    setWindowTitle("SimoOpts");
}

} // namespace analysis
