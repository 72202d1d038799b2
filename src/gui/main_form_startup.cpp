// Getting the day ready when the window opens, and putting it away when it closes.
#include "gui/main_form.h"

#include "gui/app_icon.h"

#include <QLabel>
#include <QPushButton>

namespace analysis {

void TMainForm::DirtyUp() {
    setWindowTitle(setup_.exePath + QString(8, ' ') + "Build :  " + BuildStamp);
    if (!offerInstallation()) {
        render();
        return;
    }
    // The launcher shows the program's icon when the installation has it.
    saveAppIcon(setup_.folders.file(files::ProgramIcon));
    DayStart start = session_.open();

    IDlabel->setText("  " + QString::fromStdString(session_.installation().UserId.substr(0, 4)) +
                     "  ");
    QPalette green = IDlabel->palette();
    green.setColor(QPalette::Window, QColor(0xC0, 0xDC, 0xC0));
    IDlabel->setPalette(green);
    PrintButton->setEnabled(true);
    PrintCounter->setText("    ");
    render();

    for (const std::string& notice : start.notices)
        setup_.showWarning(QString::fromStdString(notice));
    if (start.status == DayStart::Status::Stopped)
        setup_.showWarning(QString::fromStdString(start.message));
}

void TMainForm::reportFilesWritten() {
    if (setup_.timing)
        setup_.timing->sinceProcessStart("files-written");
    guarded([this] { session_.waitForReportFiles(); });
    render();
}

bool TMainForm::CleanUp() {
    bool closing = true;
    const bool done = guarded([this, &closing] {
        try {
            session_.keepSettings();
        } catch (const SettingsNotKept& error) {
            // The day comes first: it is put away whether or not the settings can be kept.
            const QString question =
                QString::fromStdString(error.what()) +
                "\n\nThe day's analysis is still whole. Close anyway? The settings changed "
                "since Analysis started (print mode, lists shown) are then lost.";
            if (!setup_.sessionEnding() && !setup_.askCloseAnyway(question)) {
                closing = false;
                return;
            }
        }
        // Nothing is left to ask: the window goes now, and the day is put away behind it.
        const bool wasVisible = isVisible();
        hide();
        std::optional<std::string> notice;
        try {
            notice = session_.putDayAway();
        } catch (...) {
            // The window stays open on a day that could not be put away, so the user sees why.
            setVisible(wasVisible);
            throw;
        }
        if (notice)
            setup_.showMessage(QString::fromStdString(*notice));
    });
    return done && closing;
}

} // namespace analysis
