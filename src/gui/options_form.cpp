// Report kinds, track groups and performance lines dialog.
#include "gui/options_form.h"

namespace analysis {

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TOptionsForm");
    setWindowTitle("Options");
}

} // namespace analysis
