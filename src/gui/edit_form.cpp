// The scratch editor dialog.
#include "gui/edit_form.h"

#include "gui/cp437_text.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace analysis {

TEditForm::TEditForm(std::function<bool(const QString&)> askConfirm, QWidget* parent)
    : QDialog(parent), askConfirm_(std::move(askConfirm)) {
    setObjectName("TEditForm");
    setWindowTitle("Edit");

    EditMemo = new QPlainTextEdit(this);
    EditMemo->setObjectName("EditMemo");
    EditMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The report's columns only line up in a fixed pitch; the box-drawing characters come
    // from the font or its fallback, as in the viewer.
    QFont font("Terminal");
    font.setPixelSize(13);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    EditMemo->setFont(font);

    EditOK = new QPushButton("OK", this);
    EditOK->setObjectName("EditOK");
    // Enter belongs to the editor: it starts a new line, it does not confirm the edit.
    EditOK->setAutoDefault(false);
    connect(EditOK, &QPushButton::clicked, this, &TEditForm::EditOKClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(EditOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EditMemo, 1);
    layout->addLayout(buttons);
    resize(720, 560);
}

std::optional<std::string> TEditForm::edit(std::string_view bytes) {
    EditMemo->setPlainText(editableTextFromCp437(bytes));
    EditMemo->document()->setModified(false);
    EditMemo->moveCursor(QTextCursor::Start);
    EditMemo->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    // The raw text keeps what plain text would change (a no-break space, byte 255, would come
    // back as a blank).
    return cp437FromEditableText(EditMemo->document()->toRawText());
}

void TEditForm::reject() {
    // A change typed back to the text loaded still counts: the user is asked once too often
    // rather than losing an edit.
    if (EditMemo->document()->isModified() &&
        !askConfirm_("The report was changed in the editor. Throw the changes away?"))
        return;
    QDialog::reject();
}

void TEditForm::EditOKClick() {
    accept();
}

} // namespace analysis
