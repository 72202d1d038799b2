// The options dialog and the archive commands of the main window.
#include "gui/main_form.h"

#include "gui/options_form.h"

#include "core/common/file_io.h"
#include "core/day/archive_load.h"
#include "core/document/list_choices.h"
#include "core/tools/archive.h"

#include <QAction>
#include <QGuiApplication>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>

namespace analysis {

void TMainForm::connectArchiveAndOptions() {
    if (!setup_.askText)
        setup_.askText = [this](const QString& caption, const QString& prompt,
                                const QString& defaultText) {
            // Without a screen nobody could answer the box: it counts as cancelled.
            if (QGuiApplication::platformName() == "offscreen")
                return defaultText;
            bool ok = false;
            QString text =
                QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, defaultText, &ok);
            return ok ? text : defaultText;
        };
    auto connectAction = [this](const char* name, void (TMainForm::*handler)()) {
        if (auto* action = findChild<QAction*>(name))
            connect(action, &QAction::triggered, this, handler);
    };
    connectAction("FileMenuSave", &TMainForm::SaveButtonClick);
    connectAction("FileMenuLoad", &TMainForm::LoadButtonClick);
    connectAction("OptionsMenu", &TMainForm::OptionsMenuClick);
    connect(SaveButton, &QPushButton::clicked, this, &TMainForm::SaveButtonClick);
    connect(LoadButton, &QPushButton::clicked, this, &TMainForm::LoadButtonClick);
    // The limit counts from the moment it is stepped, even when the dialog is then closed.
    connect(optionsForm_, &TOptionsForm::emaxLinesChanged, this, [this](int lines) {
        session_.settings().EmaxLines = static_cast<std::uint16_t>(lines);
    });
}

ReportList TMainForm::currentReportList() const {
    ReportList list;
    for (int row = 0; row < ReportListBox->count(); ++row) {
        const QListWidgetItem* item = ReportListBox->item(row);
        list.items.push_back(item->text().toStdString());
        list.ticked.push_back(item->checkState() == Qt::Checked);
    }
    list.selected = ReportListBox->currentRow();
    return list;
}

void TMainForm::showSelectedReport() {
    showReportAt(ReportListBox->currentRow());
}

std::optional<std::string> TMainForm::askArchiveName(const QString& caption,
                                                     const QString& prompt) {
    // A name that is not valid is simply asked for again; an empty answer or Cancel ends it.
    for (;;) {
        std::string name = setup_.askText(caption, prompt, QString()).toStdString();
        if (name.empty())
            return std::nullopt;
        if (IsValidArchiveName(name))
            return name;
    }
}

void TMainForm::OptionsMenuClick() {
    std::optional<ListSettings> chosen = optionsForm_->exchange(session_.listSettings());
    if (!chosen)
        return;
    session_.setListSettings(*chosen);
    guarded([this] {
        fillReportList(session_.relist(currentReportList()));
        showSelectedReport();
    });
    ReportListBox->setFocus();
}

void TMainForm::SaveButtonClick() {
    std::optional<std::string> name;
    guarded([this, &name] { name = askArchiveName("Save File", "Save Analysis.TXT as: "); });
    if (!name)
        return;
    guarded([this, &name] {
        const std::filesystem::path& folder = setup_.folders.InstallFolder;
        WriteReportsToFile(archiveFile(folder, *name),
                           tickedReportFiles(folder, currentReportList()));
    });
}

void TMainForm::LoadButtonClick() {
    std::optional<std::string> name;
    guarded([this, &name] { name = askArchiveName("Load File", "Load Analysis.TXT from: "); });
    if (!name)
        return;
    guarded([this, &name] {
        ArchiveLoad outcome = session_.loadArchive(*name, currentReportList());
        if (outcome.day) {
            fillReportList(outcome.day->list);
            showReportAt(0);
        }
        if (outcome.result == ArchiveLoad::Result::Failed)
            setup_.showWarning(QString::fromStdString(outcome.error));
    });
}

} // namespace analysis
