// Showing the session's day in the window's controls.
#include "gui/main_form.h"

#include "gui/cp437_text.h"
#include "gui/find_in_day_form.h"
#include "gui/printer_x_form.h"
#include "gui/up_down.h"

#include "core/installation/install_folders.h"
#include "core/print/print_modes.h"

#include <QActionGroup>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace analysis {

QString TMainForm::raceDateCaption() const {
    return QString::fromStdString(session_.day().raceDateCaption());
}

void TMainForm::render() {
    const Day& day = session_.day();
    const bool all = !shownOnce_;
    if (all || day.raceDateText != shown_.raceDateText)
        RaceDate->setText(raceDateCaption());
    if (all || day.haveText != shown_.haveText) {
        SaveButton->setEnabled(day.haveText);
        LoadButton->setEnabled(day.haveText);
    }
    if (all || day.list != shown_.list)
        renderList(day.list);
    if (all || day.earlierText != shown_.earlierText || day.haveText != shown_.haveText)
        renderBanner(day);
    if (day.viewer && (all || day.viewerLoads != shown_.viewerLoads)) {
        MainMemo->setPlainText(textFromCp437(*day.viewer));
        if (day.hitInView)
            selectHitInViewer(day);
    }
    if (all || day.search != shown_.search || day.currentHit != shown_.currentHit)
        findInDayForm_->render(day);
    if (all || day.print.current.fontMode != shown_.print.current.fontMode) {
        const int mode = day.print.current.fontMode;
        std::string_view label = PrintModeTable[static_cast<std::size_t>(mode)];
        SpinFont->setText(QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())));
        // The arrows run opposite to the modes: position 7 is mode 0, so up goes to the mode
        // above in the drop-down's list.
        FontSelect->setPosition(7 - mode);
        const QList<QAction*> modes = modeChoices_->actions();
        if (mode >= 0 && mode < modes.size())
            modes[mode]->setChecked(true);
    }
    if (all || day.print.paper != shown_.print.paper) {
        QSignalBlocker quiet(printerXForm_);
        printerXForm_->setPaper(day.print.paper);
    }
    if (all || day.print.printers.current != shown_.print.printers.current)
        printerXForm_->showCurrentPrinter(day.print.printers.current);
    shown_ = day;
    shownOnce_ = true;
}

void TMainForm::renderBanner(const Day& day) {
    dayBanner_->setVisible(day.earlierText);
    if (!day.earlierText)
        return;
    const QString dataFile =
        QString::fromStdString(session_.folders().file(files::DataFile).string());
    dayBanner_->setText(
        day.haveText ? "No new data file was decoded: the analysis shown is the one kept from "
                       "an earlier day. Today's data file goes to " +
                           dataFile + "."
                     : "No race day yet: copy the day's data file to " + dataFile +
                           " and start Analysis again.");
}

void TMainForm::renderList(const ReportList& list) {
    // The controls follow the day; their own signals would only report it back.
    QSignalBlocker blocker(ReportListBox);
    if (!shownOnce_ || list.items != shown_.list.items) {
        ReportListBox->clear();
        QSize cell(ReportListBox->gridSize());
        for (std::size_t i = 0; i < list.items.size(); ++i) {
            // A report code is bytes: shown through code page 437, never converted back.
            auto* item = new QListWidgetItem(textFromCp437(list.items[i]));
            item->setSizeHint(cell);
            if (list.items[i].empty()) {
                // A spacer: it starts the next track at the top of a column and has no tick.
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
                item->setCheckState(list.ticked[i] ? Qt::Checked : Qt::Unchecked);
            }
            ReportListBox->addItem(item);
        }
        ReportListBox->setCurrentRow(list.selected);
        return;
    }
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (!list.items[i].empty() && list.ticked[i] != shown_.list.ticked[i])
            ReportListBox->item(static_cast<int>(i))
                ->setCheckState(list.ticked[i] ? Qt::Checked : Qt::Unchecked);
    }
    if (list.selected != shown_.list.selected)
        ReportListBox->setCurrentRow(list.selected);
}

} // namespace analysis
