// "PCL Printer Options": the printer for every kind of printing, and duplex and legal paper for
// PCL output.
#pragma once

#include "gui/printer_choice.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

namespace analysis {

/// The paper choices of PCL output, as the dialog's check boxes hold them.
struct PclPaper {
    bool legal = false;
    bool duplex = false;
};

class TPrinterXForm : public QDialog {
    Q_OBJECT
public:
    /// Lists printers.names; the current printer is selected. OK makes the selection current.
    TPrinterXForm(PrinterChoice& printers, QWidget* parent = nullptr);

    /// The check boxes as they stand: they keep what the user ticked however the dialog was
    /// closed, and each print job and mode change reads them.
    PclPaper paper() const;
    /// Sets the check boxes, as start-up does from the stored print options.
    void setPaper(PclPaper paper);

    /// Selects the current printer again, after it was chosen elsewhere (the print dialog of
    /// the WIN modes): one printer is current for every kind of printing.
    void showCurrentPrinter();

    /// The selected entry of the printer list (-1 when none).
    int selectedPrinter() const;

    void done(int result) override;

private:
    void SelectOKClick();

    PrinterChoice& printers_;
    QCheckBox* DuplexBox = nullptr;
    QCheckBox* LegalBox = nullptr;
    QButtonGroup* PrinterList = nullptr;
    QButtonGroup* Darkness = nullptr;
    /// The index last confirmed with OK; every close goes back to it, so a selection that was
    /// not confirmed is forgotten.
    int savedIndex_ = -1;
};

} // namespace analysis
