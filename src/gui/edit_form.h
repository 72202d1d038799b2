// The scratch editor dialog.
#pragma once

#include <QDialog>

namespace analysis {

class TEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditForm(QWidget* parent = nullptr);
};

} // namespace analysis
