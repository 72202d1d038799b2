// The scratch editor dialog.
#include "gui/edit_form.h"

namespace analysis {

TEditForm::TEditForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TEditForm");
    setWindowTitle("Edit");
}

} // namespace analysis
