// A demo installation for the window tests.
#include "window_fixture.h"

#include "demo/demo_day.h"

#include <QByteArray>
#include <QString>
#include <QTest>

namespace analysis::testing {

PrivateHome::PrivateHome() {
    qputenv("HOME", QByteArray::fromStdString(path().string()));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((path() / ".config").string()));
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

QStringList DemoInstallation::settingsLines() const {
    QString text = QString::fromLatin1(profile_.read(folders_.file(files::Settings)));
    QStringList lines = text.split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace analysis::testing
