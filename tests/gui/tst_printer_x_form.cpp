// "PCL Printer Options": a printer choice counts only when confirmed with OK.
#include "gui/printer_x_form.h"

#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace analysis;

class TestPrinterXForm : public QObject {
    Q_OBJECT

private slots:
    void okMakesTheSelectionCurrentAndClosingForgetsAnUnconfirmedOne() {
        PrinterChoice printers{{"Back", "Front", "Office"}, 1};
        TPrinterXForm dialog(printers);
        QSignalSpy chosen(&dialog, &TPrinterXForm::printerChosen);
        QCOMPARE(dialog.selectedPrinter(), 1);

        auto radios = dialog.findChildren<QRadioButton*>();
        QRadioButton* office = nullptr;
        for (QRadioButton* radio : radios)
            if (radio->text() == "Office")
                office = radio;
        QVERIFY(office);

        office->setChecked(true);
        dialog.reject(); // the window's close box
        QCOMPARE(chosen.count(), 0);
        QCOMPARE(dialog.selectedPrinter(), 1);

        office->setChecked(true);
        dialog.findChild<QPushButton*>("SelectOK")->click();
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.front().front().toInt(), 2);
        QCOMPARE(dialog.selectedPrinter(), 2);
    }
};

QTEST_MAIN(TestPrinterXForm)
#include "tst_printer_x_form.moc"
