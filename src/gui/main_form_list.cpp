// The report list, the viewer and the help pages.
#include "gui/main_form.h"

#include "gui/cp437_text.h"

#include "core/common/file_io.h"
#include "core/document/report_list.h"
#include "core/installation/desktop_launcher.h"
#include "platform/desktop_folder.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

namespace analysis {

void TMainForm::fillReportList(const ReportList& list) {
    // Filling the list selects its first report without showing it: the caller decides.
    QSignalBlocker blocker(ReportListBox);
    ReportListBox->clear();
    QSize cell(ReportListBox->gridSize());
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(list.items[i]));
        item->setSizeHint(cell);
        if (list.items[i].empty()) {
            // A spacer: it starts the next track at the top of a column and has no tick.
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        } else {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(list.ticked[i] ? Qt::Checked : Qt::Unchecked);
        }
        ReportListBox->addItem(item);
    }
    ReportListBox->setCurrentRow(list.selected);
}

void TMainForm::showFile(const std::filesystem::path& path) {
    std::string bytes = readFile(path);
    ViewFile = path;
    MainMemo->setPlainText(textFromCp437(bytes));
}

void TMainForm::showReportAt(int row) {
    QListWidgetItem* item = ReportListBox->item(row);
    if (item == nullptr || item->text().isEmpty())
        return;
    auto path = setup_.folders.file(item->text().toStdString());
    if (FileExists(path))
        showFile(path);
}

void TMainForm::ReportBoxClick() {
    guarded([this] { showReportAt(ReportListBox->currentRow()); });
}

void TMainForm::ReportListBoxKeyPress(int key) {
    if (key != Qt::Key_Backspace)
        return;
    // The first Backspace marks the place; each later one returns to the previous mark, so two
    // in a row switch between two reports.
    BackIndex = MarkIndex;
    MarkIndex = ReportListBox->currentRow();
    if (BackIndex >= 0) {
        QSignalBlocker blocker(ReportListBox);
        ReportListBox->setCurrentRow(BackIndex);
        guarded([this] { showReportAt(BackIndex); });
    }
}

void TMainForm::CheckAllClick() {
    for (int row = 0; row < ReportListBox->count(); ++row) {
        QListWidgetItem* item = ReportListBox->item(row);
        if (!item->text().isEmpty())
            item->setCheckState(Qt::Checked);
    }
}

void TMainForm::ClearAllClick() {
    for (int row = 0; row < ReportListBox->count(); ++row) {
        QListWidgetItem* item = ReportListBox->item(row);
        if (!item->text().isEmpty())
            item->setCheckState(Qt::Unchecked);
    }
}

void TMainForm::ListBox1MouseDown() {
    PrintCounter->setText(
        QString::fromStdString(jobCounterText(session_.installation().JobCounter)));
    guarded([this] {
        auto icon = setup_.folders.file(files::ProgramIcon);
        CreateDesktopShortcut(desktopFolder(), setup_.exePath.toStdString(), "Quillmarsh ANALYSIS",
                              FileExists(icon) ? icon : std::filesystem::path());
    });
}

void TMainForm::ListBox1MouseUp() {
    PrintCounter->setText("    ");
}

void TMainForm::showHelpPage(std::string_view page) {
    // A help page the installation does not have is simply not shown.
    guarded([this, page] {
        auto path = setup_.folders.file(page);
        if (FileExists(path))
            showFile(path);
    });
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
