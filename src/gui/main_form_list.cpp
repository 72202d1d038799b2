// The report list, the viewer and the help pages.
#include "gui/main_form.h"

#include "core/common/file_io.h"
#include "core/installation/desktop_launcher.h"
#include "platform/desktop_folder.h"

#include <QLabel>
#include <QListWidget>

namespace analysis {

void TMainForm::ReportBoxClick() {
    guarded([this] { session_.select(ReportListBox->currentRow()); });
    render();
}

void TMainForm::ReportListBoxKeyPress(int key) {
    if (key != Qt::Key_Backspace)
        return;
    guarded([this] { session_.goBack(); });
    render();
}

void TMainForm::CheckAllClick() {
    session_.tickAll(true);
    render();
}

void TMainForm::ClearAllClick() {
    session_.tickAll(false);
    render();
}

void TMainForm::ListBox1MouseDown() {
    PrintCounter->setText(
        QString::fromStdString(jobCounterText(session_.installation().JobCounter)));
    guarded([this] {
        auto icon = setup_.folders.file(files::ProgramIcon);
        CreateDesktopShortcut(desktopFolder(), setup_.exePath.toStdString(), "Quillmarsh ANALYSIS",
                              fileExists(icon) ? icon : std::filesystem::path());
    });
}

void TMainForm::ListBox1MouseUp() {
    PrintCounter->setText("    ");
}

void TMainForm::showHelpPage(std::string_view page) {
    // A help page the installation does not have is simply not shown.
    guarded([this, page] { session_.showHelpPage(page); });
    render();
}

void TMainForm::WTFClick() {
    showHelpPage(files::HelpIndex);
}
void TMainForm::WTFClickA() {
    showHelpPage(files::HelpA);
}
void TMainForm::WTFClickE() {
    showHelpPage(files::HelpE);
}

} // namespace analysis
