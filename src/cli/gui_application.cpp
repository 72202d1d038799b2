// A GUI application for the verbs that print.
#include "cli/gui_application.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace analysis::cli {
namespace {
int argumentCount = 1;
char programName[] = "analysis-tool";
char* arguments[] = {programName, nullptr};

/// Qt's own notices ("QStandardPaths: ...", "QPainter::begin(): Returned false") are not for the
/// user of a command line: each verb says what went wrong in its one line, and that line must be
/// the first. Only a fatal one is said, as that line, and it ends the run with the status of
/// every failure instead of Qt's abort.
void keepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg)
        return;
    std::fprintf(stderr, "analysis-tool: %s\n", message.toLocal8Bit().constData());
    std::_Exit(2);
}

} // namespace

GuiApplication::GuiApplication() {
    if (QGuiApplication::instance() != nullptr)
        return;
    qInstallMessageHandler(keepQtQuiet);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    application_ = std::make_unique<QGuiApplication>(argumentCount, arguments);
}

GuiApplication::~GuiApplication() = default;

} // namespace analysis::cli
