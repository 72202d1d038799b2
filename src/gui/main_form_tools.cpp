// The side tools of the main menu: the scratch editor.
#include "gui/main_form.h"

#include "gui/edit_form.h"

#include "core/common/file_io.h"

#include <QListWidget>

namespace analysis {

void TMainForm::MenuEditClick() {
    guarded([this] {
        const std::optional<std::filesystem::path> file = session_.scratchFile();
        if (!file) {
            setup_.showMessage("Select a report in the list first: ScratchX edits the selected "
                               "report.");
            return;
        }
        std::optional<std::string> edited = editForm_->edit(readFile(*file));
        if (!edited)
            return;
        // The viewer shows what the edit became; it also becomes the file a print of the view
        // prints, so the screen and the printout never differ.
        session_.saveScratch(*edited);
        render();
        ReportListBox->setFocus();
    });
}

} // namespace analysis
