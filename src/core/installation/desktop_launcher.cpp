// Writing the desktop launcher.
#include "core/installation/desktop_launcher.h"

#include "core/common/file_io.h"
#include "core/common/io_error.h"

#include <cerrno>
#include <sys/stat.h>

namespace analysis {
namespace {

/// Quotes a path for the Exec key: inside double quotes, the characters " ` $ and \ are
/// escaped with a backslash; then every backslash is doubled, as every string value of the
/// file escapes its backslashes.
std::string execArgument(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string escaped;
    for (char c : quoted) {
        if (c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

/// A string value of the file: backslashes and line breaks escaped.
std::string stringValue(std::string_view text) {
    std::string value;
    for (char c : text) {
        if (c == '\\')
            value += "\\\\";
        else if (c == '\n')
            value += "\\n";
        else if (c == '\r')
            value += "\\r";
        else
            value += c;
    }
    return value;
}

} // namespace

std::string desktopLauncherText(const std::filesystem::path& target, std::string_view name,
                                const std::filesystem::path& icon) {
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Version=1.0\n";
    text += "Name=" + stringValue(name) + "\n";
    text += "Comment=Race-day handicapping analysis\n";
    text += "Exec=" + execArgument(target.string()) + "\n";
    text += "Path=" + stringValue(target.parent_path().string()) + "\n";
    if (!icon.empty())
        text += "Icon=" + stringValue(icon.string()) + "\n";
    text += "Terminal=false\n"
            "Categories=Office;\n";
    return text;
}

void CreateDesktopShortcut(const std::filesystem::path& desktopFolder,
                           const std::filesystem::path& target, std::string_view linkName,
                           const std::filesystem::path& icon) {
    std::error_code error;
    if (desktopFolder.empty() || !std::filesystem::is_directory(desktopFolder, error))
        return;
    std::filesystem::path launcher = desktopFolder / (std::string(linkName) + ".desktop");
    writeFileAtomically(launcher, desktopLauncherText(target, linkName, icon));
    if (::chmod(launcher.c_str(), 0755) != 0)
        throw IoError::fromErrno(errno, launcher);
}

} // namespace analysis
