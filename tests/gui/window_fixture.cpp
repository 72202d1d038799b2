// A demo installation for the window tests.
#include "window_fixture.h"

#include "demo/demo_day.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QTest>

#include <algorithm>

namespace analysis::testing {

PrivateHome::PrivateHome() {
    qputenv("HOME", QByteArray::fromStdString(path().string()));
    const std::filesystem::path config = path() / ".config";
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.string()));
    // QSettings reads the config folder once per process: each test's own home needs saying.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(config.string()));
}

DemoInstallation::DemoInstallation(bool withDay)
    : folders_(installFoldersFor(profile_.path().string())) {
    for (const char* folder : {"Exec", "Data", "Help", "Archive"})
        std::filesystem::create_directories(folders_.InstallFolder / folder);
    if (withDay) {
        demo::DayShape day = demo::demoDay();
        std::string text = demo::makeAnalysisText(day);
        profile_.write(folders_.file(files::DataFile), demo::makeDataFile(text, day.raceDay));
    }
}

MainFormSetup DemoInstallation::windowSetup(QStringList& messages, PrinterChoice printers) const {
    MainFormSetup setup;
    setup.folders = folders_;
    setup.exePath = "/opt/analysis/Analysis.EXE";
    setup.printers = std::move(printers);
    setup.showMessage = [&messages](const QString& text) { messages << text; };
    // Nobody answers an input box in a test that does not: it counts as cancelled.
    setup.askText = [](const QString&, const QString&, const QString& defaultText) {
        return defaultText;
    };
    // A test that does not ask about big prints prints them, as a user who says yes.
    setup.confirmBigJob = [](int, const QString&) { return true; };
    // Nor does it mind a question before something is replaced or thrown away: yes.
    setup.askConfirm = [](const QString&) { return true; };
    return setup;
}

std::unique_ptr<TMainForm> openWindow(const DemoInstallation& installation, QStringList& messages) {
    auto window = std::make_unique<TMainForm>(installation.windowSetup(messages));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}

QStringList otherDayTracks() {
    const std::vector<std::string> demoTracks = demo::demoDay().tracks;
    QStringList tracks;
    for (const std::string& track : demo::heavyDay().tracks)
        if (tracks.size() < 2 &&
            std::find(demoTracks.begin(), demoTracks.end(), track) == demoTracks.end())
            tracks << QString::fromStdString(track);
    return tracks;
}

std::string otherDayDataFile(std::uint16_t raceDay) {
    demo::DayShape shape = demo::demoDay();
    shape.tracks.clear();
    for (const QString& track : otherDayTracks())
        shape.tracks.push_back(track.toStdString());
    shape.raceDay = raceDay;
    return demo::makeDataFile(demo::makeAnalysisText(shape), raceDay);
}

bool reportFilesWritten(const TMainForm& window) {
    return QTest::qWaitFor([&window] { return !window.session().reportFilesPending(); });
}

QStringList DemoInstallation::settingsLines() const {
    QString text = QString::fromLatin1(profile_.read(folders_.file(files::Settings)));
    QStringList lines = text.split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace analysis::testing
