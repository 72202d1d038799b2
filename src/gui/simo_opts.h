// Schedule lines per page dialog.
#pragma once

#include <QDialog>

namespace analysis {

class TSimoOpts : public QDialog {
    Q_OBJECT
public:
    explicit TSimoOpts(QWidget* parent = nullptr);
};

} // namespace analysis
