// Telling the user something in a message box.
#pragma once

#include <QString>

class QWidget;

namespace analysis {

/// Shows text in a modal message box with one OK button. Without a screen (the offscreen
/// platform of tests and scripts) nobody could answer the box, so the text goes to standard
/// error instead.
void showMessage(QWidget* parent, const QString& text);

/// Like showMessage, with a warning icon: for what went wrong.
void showWarning(QWidget* parent, const QString& text);

} // namespace analysis
