// A demo installation for the window tests.
#include "window_fixture.h"

#include "demo/demo_day.h"

#include <QString>

namespace analysis::testing {

DemoInstallation::DemoInstallation(bool withDay)
    : folders_(installFoldersFor(profile_.path().string())) {
    for (const char* folder : {"Exec", "Data", "Help", "Archive"})
        std::filesystem::create_directories(folders_.InstallFolder / folder);
    if (withDay) {
        std::string text = demo::makeAnalysisText(demo::DemoDay());
        profile_.write(folders_.file(files::DataFile), demo::makeDataFile(text, 18900));
    }
}

QStringList DemoInstallation::settingsLines() const {
    QString text = QString::fromLatin1(profile_.read(folders_.file(files::Settings)));
    QStringList lines = text.split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace analysis::testing
