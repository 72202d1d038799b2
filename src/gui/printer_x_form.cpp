// The PCL printer options dialog.
#include "gui/printer_x_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace analysis {

TPrinterXForm::TPrinterXForm(const PrinterChoice& printers, QWidget* parent)
    : QDialog(parent), savedIndex_(printers.current) {
    setObjectName("PrinterXForm");
    setWindowTitle("PCL Printer Options");

    auto* printerBox = new QGroupBox("Available Printers", this);
    printerBox->setObjectName("PrinterList");
    auto* printerLayout = new QVBoxLayout(printerBox);
    PrinterList = new QButtonGroup(this);
    for (std::size_t i = 0; i < printers.names.size(); ++i) {
        auto* button = new QRadioButton(QString::fromStdString(printers.names[i]), printerBox);
        PrinterList->addButton(button, static_cast<int>(i));
        printerLayout->addWidget(button);
    }
    if (printers.names.empty())
        printerLayout->addWidget(new QLabel("(no printer installed)", printerBox));
    if (QAbstractButton* selected = PrinterList->button(savedIndex_))
        selected->setChecked(true);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("SelectOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TPrinterXForm::SelectOKClick);

    DuplexBox = new QCheckBox("Duplex", this);
    DuplexBox->setObjectName("DuplexBox");
    LegalBox = new QCheckBox("Legal", this);
    LegalBox->setObjectName("LegalBox");
    for (QCheckBox* box : {DuplexBox, LegalBox})
        connect(box, &QCheckBox::toggled, this, [this] { emit paperChanged(paper()); });

    // Offered to the user but used by no output.
    auto* darknessBox = new QGroupBox(this);
    darknessBox->setObjectName("Darkness");
    auto* darknessLayout = new QVBoxLayout(darknessBox);
    Darkness = new QButtonGroup(this);
    for (const char* level : {"Light", "Medium", "Dark", "ExtraDark"}) {
        auto* button = new QRadioButton(level, darknessBox);
        Darkness->addButton(button);
        darknessLayout->addWidget(button);
    }

    auto* side = new QVBoxLayout;
    side->addWidget(ok);
    side->addWidget(DuplexBox);
    side->addWidget(LegalBox);
    side->addWidget(darknessBox);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(printerBox, 1);
    layout->addLayout(side);
}

PclPaper TPrinterXForm::paper() const {
    return {LegalBox->isChecked(), DuplexBox->isChecked()};
}

void TPrinterXForm::setPaper(PclPaper paper) {
    LegalBox->setChecked(paper.legal);
    DuplexBox->setChecked(paper.duplex);
}

void TPrinterXForm::showCurrentPrinter(int index) {
    savedIndex_ = index;
    if (QAbstractButton* saved = PrinterList->button(savedIndex_))
        saved->setChecked(true);
}

int TPrinterXForm::selectedPrinter() const {
    return PrinterList->checkedId();
}

void TPrinterXForm::SelectOKClick() {
    savedIndex_ = selectedPrinter();
    emit printerChosen(savedIndex_);
    accept();
}

void TPrinterXForm::done(int result) {
    if (QAbstractButton* saved = PrinterList->button(savedIndex_))
        saved->setChecked(true);
    QDialog::done(result);
}

} // namespace analysis
