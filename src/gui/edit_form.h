// The scratch editor dialog: a report's bytes in, the edited bytes out when confirmed with OK.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QPlainTextEdit;
class QPushButton;

namespace analysis {

class TEditForm : public QDialog {
    Q_OBJECT
public:
    /// askConfirm asks whether a changed text may be thrown away when the editor is left
    /// without OK; true to throw it away.
    explicit TEditForm(std::function<bool(const QString& question)> askConfirm,
                       QWidget* parent = nullptr);

    /// Shows bytes, a report's code page 437 text, for editing and waits for the user. The
    /// edited bytes when he confirms with OK; nothing when he closes the dialog any other way
    /// (Escape, the close box), which after a change asks first and stays open on No.
    /// Bytes saved without a change are the bytes given, control bytes and line ends included.
    std::optional<std::string> edit(std::string_view bytes);

    /// Escape and the close box: a changed text is only dropped when the user agrees.
    void reject() override;

private:
    void EditOKClick();

    std::function<bool(const QString&)> askConfirm_;
    QPlainTextEdit* EditMemo = nullptr;
    QPushButton* EditOK = nullptr;
};

} // namespace analysis
