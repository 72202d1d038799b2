// A GUI application for the verbs that print.
#include "cli/gui_application.h"

#include <QGuiApplication>

#include <cstdlib>

namespace analysis::cli {
namespace {
int argumentCount = 1;
char programName[] = "analysis-tool";
char* arguments[] = {programName, nullptr};
} // namespace

GuiApplication::GuiApplication() {
    if (QGuiApplication::instance() != nullptr)
        return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    application_ = std::make_unique<QGuiApplication>(argumentCount, arguments);
}

GuiApplication::~GuiApplication() = default;

} // namespace analysis::cli
