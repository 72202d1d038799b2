// Print preview and PDF export of the main window: the ticked reports as the current print mode
// puts them on paper, drawn by the same engines as PRINT.
#include "gui/main_form.h"

#include "gui/print_preview_window.h"
#include "gui/printer_x_form.h"
#include "gui/wait_cursor.h"

#include "core/day/print_job.h"
#include "core/print/print_modes.h"
#include "platform/desktop_folder.h"
#include "platform/output_targets.h"
#include "platform/pdf_output.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMarginsF>
#include <QMenu>
#include <QPageLayout>
#include <QPrinter>

#include <memory>
#include <vector>

namespace analysis {

namespace {

/// The race date made fit for a file name.
QString fileNameDate(const QString& raceDate) {
    QString date;
    for (QChar c : raceDate.trimmed())
        date += c.isLetterOrNumber() ? c : QChar('-');
    return date;
}

/// A preview or an export that did not come about is said as any failure of a handler is.
void requireDone(const PrintJobOutcome& outcome) {
    if (outcome.status == PrintJobOutcome::Status::Failed)
        throw AnalysisError(outcome.message);
}

} // namespace

void TMainForm::createPreviewActions(QMenu* fileMenu, QAction* quit) {
    if (!setup_.askSaveFile)
        setup_.askSaveFile = [this](const QString& caption, const QString& suggested) {
            return QFileDialog::getSaveFileName(this, caption, suggested, "PDF files (*.pdf)");
        };
    if (!setup_.showPreview)
        setup_.showPreview = [](PrintPreviewWindow& preview) { preview.exec(); };
    auto* preview = new QAction("Print Pre&view", fileMenu);
    preview->setObjectName("PreviewMenu");
    preview->setShortcut(QKeySequence("Ctrl+Shift+P"));
    connect(preview, &QAction::triggered, this, [this] { guarded([this] { previewClick(); }); });
    auto* exportPdf = new QAction("Export P&DF...", fileMenu);
    exportPdf->setObjectName("ExportPdfMenu");
    connect(exportPdf, &QAction::triggered, this,
            [this] { guarded([this] { exportPdfClick(); }); });
    // A job the print server still has can be called back while it is followed.
    cancelJob_ = new QAction("Cance&l Print Job", fileMenu);
    cancelJob_->setObjectName("CancelJobMenu");
    cancelJob_->setEnabled(false);
    connect(cancelJob_, &QAction::triggered, this, &TMainForm::cancelFollowedJob);
    fileMenu->insertActions(quit, {preview, exportPdf, cancelJob_});
    fileMenu->insertSeparator(quit);
    // The shortcut works with the menu closed.
    addAction(preview);
}

void TMainForm::previewClick() {
    const PrintJobRequest job = session_.previewJob();
    if (job.reportFiles.empty()) {
        say("Nothing is ticked to preview");
        return;
    }
    const PrintSettings& print = job.settings;

    // The PCL modes show the pages of the composed stream, each on its sheet; the WIN modes the
    // canvas engine's drawing on the window's own printer, as PRINT draws it. Either is made
    // whole here, once, and each page is drawn only when it comes into view.
    std::unique_ptr<PreviewPages> pages;
    {
        WaitCursor waiting;
        printer_->setPrinterName(
            QString::fromStdString(session_.day().print.printers.currentName()));
        PreviewOutput preview(*printer_);
        requireDone(session_.output(job, preview));
        pages = preview.takePages();
    }
    if (!pages || pages->count() == 0) {
        say("The reports to preview print no page");
        return;
    }

    std::string_view mode = PrintModeTable[static_cast<std::size_t>(print.fontMode)];
    QString title = "Print Preview - " +
                    QString::fromLatin1(mode.data(), static_cast<qsizetype>(mode.size())).trimmed();
    if (!job.stamped)
        title += " - current view";
    if (isPclMode(print.fontMode) && print.duplex && LayoutLetter(print.fontMode) != 'G')
        title += " - duplex: pages are sheet sides, front and back";
    PrintPreviewWindow preview(std::move(pages), title, this);
    setup_.showPreview(preview);
    // Printing from the preview is the print job itself, counted and stamped as it would be.
    if (preview.printAsked())
        runPrint(job);
}

void TMainForm::exportPdfClick() {
    const PrintJobRequest job = session_.previewJob();
    if (job.reportFiles.empty()) {
        say("Nothing is ticked to export");
        return;
    }
    QString folder = QString::fromStdString(desktopFolder().string());
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    QString suggested = folder + "/Analysis " + fileNameDate(raceDateCaption()) + ".pdf";
    QString chosen = setup_.askSaveFile("Export PDF", suggested);
    if (chosen.isEmpty())
        return;

    WaitCursor waiting;
    // The canvas modes draw on the paper of the window's printer with its printable area where
    // the paper has it, as the preview shows; the PCL modes put each page on its whole sheet.
    QPageLayout sheet = printer_->pageLayout();
    sheet.setOrientation(QPageLayout::Portrait);
    if (printer_->fullPage()) {
        sheet.setMode(QPageLayout::FullPageMode);
        sheet.setMargins(QMarginsF(0, 0, 0, 0));
    }
    PdfOutput pdf(chosen.toStdString(), sheet);
    requireDone(session_.output(job, pdf));
    say("Exported to " + chosen);
}

} // namespace analysis
