// The side tools of the main menu: the scratch editor.
#include "gui/main_form.h"

#include "gui/edit_form.h"

#include "core/common/file_io.h"
#include "core/document/report_files.h"
#include "core/tools/rescale.h"

#include <QListWidget>

namespace analysis {

void TMainForm::MenuEditClick() {
    guarded([this] {
        QListWidgetItem* item = ReportListBox->currentItem();
        if (item == nullptr || !item->isSelected() || item->text().isEmpty()) {
            setup_.showMessage("Select a report in the list first: ScratchX edits the selected "
                               "report.");
            return;
        }
        auto file = workingFile(setup_.folders.InstallFolder, item->text().toStdString());
        std::optional<std::string> edited = editForm_->edit(readFile(file));
        if (!edited)
            return;
        saveScratchEdit(file, *edited);
        // The viewer shows what the edit became; it also becomes the file a print of the view
        // prints, so the screen and the printout never differ.
        showFile(file);
        ReportListBox->setFocus();
    });
}

} // namespace analysis
