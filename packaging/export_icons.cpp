// analysis-export-icons: writes the program's drawn icon as the PNGs of the installed package's
// icon theme, so the launcher in the menu shows the picture the window shows. Build-time only.
#include "gui/app_icon.h"

#include <QGuiApplication>

#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: analysis-export-icons THEME_FOLDER ICON_NAME\n"
                     "  Writes THEME_FOLDER/NxN/apps/ICON_NAME.png at each size a theme needs.\n";
        return 2;
    }
    // Drawing text needs a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::filesystem::path theme = argv[1];
    const std::string name = argv[2];
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string square = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder = theme / square / "apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error || !analysis::saveAppIcon(folder / (name + ".png"), size)) {
            std::cerr << "analysis-export-icons: cannot write "
                      << (folder / (name + ".png")).string() << "\n";
            return 2;
        }
    }
    return 0;
}
