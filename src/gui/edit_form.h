// The scratch editor dialog: a report's bytes in, the edited bytes out when confirmed with OK.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <string_view>

class QPlainTextEdit;
class QPushButton;

namespace analysis {

class TEditForm : public QDialog {
    Q_OBJECT
public:
    explicit TEditForm(QWidget* parent = nullptr);

    /// Shows bytes, a report's code page 437 text, for editing and waits for the user. The
    /// edited bytes when he confirms with OK; nothing when he closes the dialog any other way.
    /// Bytes saved without a change are the bytes given, control bytes and line ends included.
    std::optional<std::string> edit(std::string_view bytes);

private:
    void EditOKClick();

    QPlainTextEdit* EditMemo = nullptr;
    QPushButton* EditOK = nullptr;
};

} // namespace analysis
