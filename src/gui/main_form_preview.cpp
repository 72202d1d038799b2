// Print preview and PDF export of the main window: the ticked reports as the current print mode
// puts them on paper, drawn by the same engines as PRINT.
#include "gui/main_form.h"

#include "gui/print_preview_window.h"
#include "gui/printer_x_form.h"
#include "gui/wait_cursor.h"

#include "core/common/temporary_files.h"
#include "core/day/print_job.h"
#include "core/print/pcl/pcl_pages.h"
#include "core/print/print_file.h"
#include "core/print/print_modes.h"
#include "platform/desktop_folder.h"
#include "platform/pcl_pdf.h"
#include "platform/pdf_output.h"
#include "platform/preview_pages.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPageLayout>
#include <QPrinter>

#include <memory>
#include <vector>

namespace analysis {

namespace {

/// The print file a preview shows: the reports as a job writes them, without the stamp, which
/// only a counted print gets. It lives in a folder of its own for as long as the preview.
class PreviewPrintFile {
public:
    explicit PreviewPrintFile(const std::vector<std::filesystem::path>& reports)
        : file_(folder_ / "Analysis.PRN") {
        writePrintFile(reports, file_, nullptr);
    }
    const std::filesystem::path& path() const noexcept { return file_; }

private:
    TemporaryFolder folder_{"analysis-preview"};
    std::filesystem::path file_;
};

/// The race date made fit for a file name.
QString fileNameDate(const QString& raceDate) {
    QString date;
    for (QChar c : raceDate.trimmed())
        date += c.isLetterOrNumber() ? c : QChar('-');
    return date;
}

} // namespace

void TMainForm::createPreviewActions() {
    if (!setup_.askSaveFile)
        setup_.askSaveFile = [this](const QString& caption, const QString& suggested) {
            return QFileDialog::getSaveFileName(this, caption, suggested, "PDF files (*.pdf)");
        };
    if (!setup_.showPreview)
        setup_.showPreview = [](PrintPreviewWindow& preview) { preview.exec(); };
    auto* fileMenu = findChild<QMenu*>("FileMenu");
    auto* quit = findChild<QAction*>("QuitMenu");
    if (fileMenu == nullptr)
        return;
    auto* preview = new QAction("Print Pre&view", fileMenu);
    preview->setObjectName("PreviewMenu");
    preview->setShortcut(QKeySequence("Ctrl+Shift+P"));
    connect(preview, &QAction::triggered, this, [this] { guarded([this] { PreviewClick(); }); });
    auto* exportPdf = new QAction("Export P&DF...", fileMenu);
    exportPdf->setObjectName("ExportPdfMenu");
    connect(exportPdf, &QAction::triggered, this,
            [this] { guarded([this] { ExportPdfClick(); }); });
    fileMenu->insertActions(quit, {preview, exportPdf});
    fileMenu->insertSeparator(quit);
    // The shortcut works with the menu closed.
    addAction(preview);
}

void TMainForm::PreviewClick() {
    const PrintJobRequest job = session_.previewJob();
    if (job.reportFiles.empty()) {
        say("Nothing is ticked to preview");
        return;
    }
    const PrintSettings& print = job.settings;
    const char letter = LayoutLetter(print.fontMode);
    const bool pclMode = isPclMode(print.fontMode);

    // The PCL modes show the pages of the composed stream, each on its sheet; the WIN modes the
    // canvas engine's drawing on the window's own printer, as PRINT draws it. Either is made
    // whole here, once, and each page is drawn only when it comes into view.
    std::unique_ptr<PreviewPages> pages;
    {
        WaitCursor waiting;
        PreviewPrintFile printFile(job.reportFiles);
        if (pclMode) {
            pages = pclPreviewPages(
                pcl::ComposedPclPages(printFile.path(), letter, print.legal, print.duplex));
        } else {
            printer_->setPrinterName(
                QString::fromStdString(session_.day().print.printers.currentName()));
            pages = canvasPreviewPages(*printer_, printFile.path(), letter);
        }
    }
    if (pages->count() == 0) {
        say("The reports to preview print no page");
        return;
    }

    std::string_view mode = PrintModeTable[static_cast<std::size_t>(print.fontMode)];
    QString title = "Print Preview - " +
                    QString::fromLatin1(mode.data(), static_cast<qsizetype>(mode.size())).trimmed();
    if (!job.stamped)
        title += " - current view";
    if (pclMode && print.duplex && letter != 'G')
        title += " - duplex: pages are sheet sides, front and back";
    PrintPreviewWindow preview(std::move(pages), title, this);
    setup_.showPreview(preview);
    // Printing from the preview is the print job itself, counted and stamped as it would be.
    if (preview.printAsked())
        runPrint(job);
}

void TMainForm::ExportPdfClick() {
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
    const std::filesystem::path pdf = chosen.toStdString();

    WaitCursor waiting;
    PreviewPrintFile printFile(job.reportFiles);
    const PrintSettings& print = job.settings;
    const char letter = LayoutLetter(print.fontMode);
    if (isPclMode(print.fontMode)) {
        printPclPagesToPdf(
            pcl::ComposedPclPages(printFile.path(), letter, print.legal, print.duplex), pdf);
    } else {
        // The page of the window's printer, in portrait, at the PDF's resolution.
        QPageLayout layout = printer_->pageLayout();
        layout.setOrientation(QPageLayout::Portrait);
        QRect page = printer_->fullPage() ? layout.fullRectPixels(PdfResolution)
                                          : layout.paintRectPixels(PdfResolution);
        printFileToPdf(printFile.path(), letter, page.width(), page.height(), pdf);
    }
    say("Exported to " + chosen);
}

} // namespace analysis
