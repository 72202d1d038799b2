// The options dialog and the archive commands of the main window.
#include "gui/main_form.h"

#include "gui/options_form.h"

#include "core/day/archive_load.h"
#include "core/installation/archive_names.h"

#include <QListWidget>

namespace analysis {

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
    guarded([this, &chosen] { session_.chooseListSettings(*chosen); });
    render();
    ReportListBox->setFocus();
}

void TMainForm::SaveButtonClick() {
    std::optional<std::string> name;
    guarded([this, &name] { name = askArchiveName("Save File", "Save Analysis.TXT as: "); });
    if (!name)
        return;
    guarded([this, &name] { session_.saveArchive(*name); });
}

void TMainForm::LoadButtonClick() {
    std::optional<std::string> name;
    guarded([this, &name] { name = askArchiveName("Load File", "Load Analysis.TXT from: "); });
    if (!name)
        return;
    guarded([this, &name] {
        ArchiveLoad outcome = session_.loadArchive(*name);
        render();
        if (outcome.status == ArchiveLoad::Status::Failed)
            setup_.showWarning(QString::fromStdString(outcome.message));
    });
}

} // namespace analysis
