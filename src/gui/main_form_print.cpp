// The print mode selector and the print commands of the main window.
#include "gui/main_form.h"

#include "gui/printer_x_form.h"
#include "gui/up_down.h"

#include "core/print/canvas/print_modes.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace analysis {

void TMainForm::showPrintMode() {
    std::string_view label = PrintModeTable[static_cast<std::size_t>(FontMode)];
    SpinFont->setText(QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())));
}

void TMainForm::FontSelectClick() {
    // The arrows run opposite to the modes: position 7 is mode 0.
    FontMode = 7 - FontSelect->position();
    showPrintMode();
    PrintButton->setEnabled(true);
    LegalFlag = printerXForm_->LegalBox->isChecked();
    DuplexFlag = printerXForm_->DuplexBox->isChecked();
    settings_.PrintOptions =
        static_cast<std::uint16_t>(FontMode | (LegalFlag ? 8 : 0) | (DuplexFlag ? 16 : 0));
}

void TMainForm::SpinFontDblClick() {
    if (FontMode >= 4)
        printerXForm_->exec();
}

} // namespace analysis
