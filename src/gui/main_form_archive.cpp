// The options dialog and the archive commands of the main window.
#include "gui/main_form.h"

#include "gui/options_form.h"

#include "core/day/archive_load.h"
#include "core/installation/archive_catalog.h"
#include "core/installation/archive_names.h"
#include "core/installation/install_folders.h"

#include <QListWidget>
#include <QLocale>

namespace analysis {

std::optional<std::string> TMainForm::askArchiveName(const std::function<QString()>& ask) {
    // An empty answer or Cancel ends it; a name that cannot be used is said, and asked again.
    for (;;) {
        std::string name = ask().toStdString();
        if (name.empty())
            return std::nullopt;
        const std::string_view fault = archiveNameFault(name);
        if (fault.empty())
            return name;
        setup_.showWarning(QString::fromStdString(InvalidArchiveName(name, fault).what()) + ".\n" +
                           QString::fromUtf8(ArchiveNameRule.data(),
                                             static_cast<qsizetype>(ArchiveNameRule.size())));
    }
}

bool TMainForm::archiveMayBeWritten(const std::string& name) {
    const std::optional<ArchiveEntry> existing = findArchive(setup_.folders.InstallFolder, name);
    if (!existing)
        return true;
    return setup_.askConfirm(
        QString("An archive named \"%1\" is already saved (%2). Replace it with the ticked "
                "reports?")
            .arg(QString::fromStdString(name),
                 QLocale().formattedDataSize(static_cast<qint64>(existing->bytes))));
}

void TMainForm::OptionsMenuClick() {
    std::optional<ListSettings> chosen = optionsForm_->exchange(session_.listSettings());
    if (!chosen)
        return;
    guarded([this, &chosen] { session_.chooseListSettings(*chosen); });
    render();
    ReportListBox->setFocus();
}

void TMainForm::SaveButtonClick() {
    std::optional<std::string> name;
    guarded([this, &name] {
        name = askArchiveName(
            [this] { return setup_.askText("Save File", "Save Analysis.TXT as: ", QString()); });
    });
    if (!name)
        return;
    guarded([this, &name] {
        if (!archiveMayBeWritten(*name))
            return;
        session_.saveArchive(*name);
        say(QString("The ticked reports are saved as the archive \"%1\"")
                .arg(QString::fromStdString(*name)));
    });
}

void TMainForm::LoadButtonClick() {
    std::optional<std::string> name;
    guarded([this, &name] {
        const std::filesystem::path folder = setup_.folders.InstallFolder / files::ArchiveFolder;
        name = askArchiveName([this, &folder] {
            return setup_.chooseArchive(listArchives(setup_.folders.InstallFolder),
                                        QString::fromStdString(folder.string()));
        });
    });
    if (!name)
        return;
    guarded([this, &name] {
        ArchiveLoad outcome = session_.loadArchive(*name);
        render();
        if (outcome.status != ArchiveLoad::Status::Loaded) {
            setup_.showWarning(QString::fromStdString(outcome.message));
            return;
        }
        say(QString("The archive \"%1\" is the day's analysis now")
                .arg(QString::fromStdString(*name)));
        if (const std::optional<std::vector<std::string>>& index = session_.reportIndex())
            if (std::optional<std::string> hidden =
                    hiddenArchiveNotice(*index, session_.day().list, session_.listSettings()))
                setup_.showMessage(QString::fromStdString(*hidden));
    });
}

} // namespace analysis
