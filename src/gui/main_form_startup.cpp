// Getting the day ready when the window opens, and putting it away when it closes.
#include "gui/main_form.h"

#include "gui/app_icon.h"
#include "gui/printer_x_form.h"
#include "gui/up_down.h"

#include "core/day/print_output.h"
#include "core/print/print_modes.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace analysis {

void TMainForm::DirtyUp() {
    setWindowTitle(setup_.exePath + QString(8, ' ') + "Build :  " + BuildStamp);
    // The launcher shows the program's icon when the installation has it.
    saveAppIcon(setup_.folders.file(files::ProgramIcon));
    DayStart day = session_.open();

    IDlabel->setText("  " + QString::fromStdString(session_.installation().UserId.substr(0, 4)) +
                     "  ");
    QPalette green = IDlabel->palette();
    green.setColor(QPalette::Window, QColor(0xC0, 0xDC, 0xC0));
    IDlabel->setPalette(green);

    print_ = printSettingsFrom(session_.settings().PrintOptions);
    printerXForm_->setPaper({print_.legal, print_.duplex});
    PrintButton->setEnabled(true);
    FontSelect->setPosition(7 - print_.fontMode);
    showPrintMode();

    SaveButton->setEnabled(day.haveText);
    LoadButton->setEnabled(day.haveText);
    PrintCounter->setText("    ");
    if (!day.raceDateText.empty())
        RaceDate->setText(QString::fromStdString(day.raceDateText));
    fillReportList(day.list);
    if (day.firstReport)
        guarded([this, &day] { showFile(*day.firstReport); });
    if (day.earlierText && day.haveText)
        say("No new data file: the analysis shown is the one kept from an earlier day");
    for (const std::string& message : day.messages)
        setup_.showWarning(QString::fromStdString(message));
}

bool TMainForm::CleanUp() {
    return guarded([this] {
        if (std::optional<std::string> notice = session_.close())
            setup_.showMessage(QString::fromStdString(*notice));
    });
}

} // namespace analysis
