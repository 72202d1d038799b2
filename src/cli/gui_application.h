// The Qt application that drawing on a printer needs, made for a command-line run.
#pragma once

#include <memory>

class QGuiApplication;

namespace analysis::cli {

/// Fonts and printers need a GUI application; while this lives there is one. A run without a
/// display gets Qt's offscreen platform.
class GuiApplication {
public:
    GuiApplication();
    ~GuiApplication();
    GuiApplication(const GuiApplication&) = delete;
    GuiApplication& operator=(const GuiApplication&) = delete;

private:
    std::unique_ptr<QGuiApplication> application_;
};

} // namespace analysis::cli
