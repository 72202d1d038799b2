// "PCL Printer Options": the printer for every kind of printing, and duplex and legal paper for
// PCL output.
#pragma once

#include "core/day/day.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

namespace analysis {

class TPrinterXForm : public QDialog {
    Q_OBJECT
public:
    /// Lists printers.names with the current printer selected.
    explicit TPrinterXForm(const PrinterChoice& printers, QWidget* parent = nullptr);

    /// The check boxes as they stand: they keep what the user ticked however the dialog was
    /// closed (each change is announced by paperChanged).
    PclPaper paper() const;
    /// Sets the check boxes, as the day's paper has them.
    void setPaper(PclPaper paper);

    /// Selects printer index as the current one, however it was chosen (here or in the print
    /// dialog of the WIN modes): one printer is current for every kind of printing.
    void showCurrentPrinter(int index);

    /// The selected entry of the printer list (-1 when none).
    int selectedPrinter() const;

    void done(int result) override;

signals:
    /// OK confirmed the selected printer, index into the list.
    void printerChosen(int index);
    /// A check box was ticked or cleared.
    void paperChanged(PclPaper paper);

private:
    void SelectOKClick();

    QCheckBox* DuplexBox = nullptr;
    QCheckBox* LegalBox = nullptr;
    QButtonGroup* PrinterList = nullptr;
    QButtonGroup* Darkness = nullptr;
    /// The index last confirmed with OK; every close goes back to it, so a selection that was
    /// not confirmed is forgotten.
    int savedIndex_ = -1;
};

} // namespace analysis
