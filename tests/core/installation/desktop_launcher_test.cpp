#include "core/installation/desktop_launcher.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace analysis {
namespace {

TEST(DesktopLauncher, PointsAtTheProgramAndItsFolder) {
    std::string text =
        desktopLauncherText("/home/u1/Quill Data/Exec/Analysis.EXE", "Quillmarsh ANALYSIS");
    EXPECT_NE(text.find("Name=Quillmarsh ANALYSIS\n"), std::string::npos);
    EXPECT_NE(text.find("Exec=\"/home/u1/Quill Data/Exec/Analysis.EXE\"\n"), std::string::npos);
    EXPECT_NE(text.find("Path=/home/u1/Quill Data/Exec\n"), std::string::npos);
    EXPECT_EQ(text.find("Icon="), std::string::npos);
    std::string withIcon = desktopLauncherText("/h/Exec/Analysis.EXE", "A", "/h/Exec/Analysis.png");
    EXPECT_NE(withIcon.find("Icon=/h/Exec/Analysis.png\n"), std::string::npos);
}

TEST(DesktopLauncher, EscapesShellCharactersInTheTarget) {
    std::string text = desktopLauncherText("/a$b/\"c\"/Analysis.EXE", "L");
    EXPECT_NE(text.find("Exec=\"/a\\\\$b/\\\\\"c\\\\\"/Analysis.EXE\"\n"), std::string::npos);
}

TEST(DesktopLauncher, WrittenExecutableAndReplaced) {
    testing::TempDir desktop;
    CreateDesktopShortcut(desktop.path(), "/x/Exec/Analysis.EXE", "Quillmarsh ANALYSIS");
    CreateDesktopShortcut(desktop.path(), "/y/Analysis.EXE", "Quillmarsh ANALYSIS");
    auto launcher = desktop / "Quillmarsh ANALYSIS.desktop";
    EXPECT_NE(desktop.read(launcher).find("Exec=\"/y/Analysis.EXE\""), std::string::npos);
    struct stat info {};
    ASSERT_EQ(::stat(launcher.c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IXUSR);
}

TEST(DesktopLauncher, NoDesktopFolderWritesNothing) {
    testing::TempDir home;
    EXPECT_NO_THROW(CreateDesktopShortcut(home / "Desktop", "/x/Analysis.EXE", "L"));
    EXPECT_FALSE(std::filesystem::exists(home / "Desktop"));
}

} // namespace
} // namespace analysis
