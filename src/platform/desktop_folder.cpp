// The user's desktop folder.
#include "platform/desktop_folder.h"

#include <QStandardPaths>

namespace analysis {

std::filesystem::path desktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString();
}

} // namespace analysis
