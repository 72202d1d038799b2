// Message boxes.
#include "gui/message.h"

#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

namespace analysis {

void showMessage(QWidget* parent, const QString& text) {
    if (QGuiApplication::platformName() == "offscreen") {
        std::fprintf(stderr, "Analysis: %s\n", text.toLocal8Bit().constData());
        return;
    }
    QMessageBox::information(parent, "Analysis", text);
}

void showWarning(QWidget* parent, const QString& text) {
    if (QGuiApplication::platformName() == "offscreen") {
        std::fprintf(stderr, "Analysis: %s\n", text.toLocal8Bit().constData());
        return;
    }
    QMessageBox::warning(parent, "Analysis", text);
}

} // namespace analysis
