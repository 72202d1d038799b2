// Report kinds, track groups and performance lines dialog.
#pragma once

#include <QDialog>

namespace analysis {

class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);
};

} // namespace analysis
