// Print preview and PDF export of the main window: the ticked reports as the current print mode
// puts them on paper, drawn by the same engines as PRINT.
#include "gui/main_form.h"

#include "gui/printer_x_form.h"

#include "core/common/temporary_files.h"
#include "core/print/canvas/canvas_composer.h"
#include "core/print/pcl/pcl_pages.h"
#include "core/print/print_file.h"
#include "core/print/print_modes.h"
#include "platform/desktop_folder.h"
#include "platform/pcl_pdf.h"
#include "platform/pdf_output.h"
#include "platform/qt_canvas.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <optional>
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

/// The wait cursor while work without input runs; the cursor comes back however it ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
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
        setup_.showPreview = [](QPrintPreviewDialog& preview) { preview.exec(); };
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

std::vector<std::filesystem::path> TMainForm::previewReportFiles() const {
    std::vector<std::filesystem::path> files;
    for (int row = 0; row < ReportListBox->count(); ++row) {
        QListWidgetItem* item = ReportListBox->item(row);
        if (!item->text().isEmpty() && item->checkState() == Qt::Checked)
            files.push_back(setup_.folders.file(item->text().toStdString()));
    }
    if (files.empty() && !ViewFile.empty())
        files.push_back(ViewFile);
    return files;
}

void TMainForm::PreviewClick() {
    std::vector<std::filesystem::path> reports = previewReportFiles();
    if (reports.empty()) {
        say("Nothing is ticked to preview");
        return;
    }
    std::optional<WaitCursor> waiting(std::in_place);
    PreviewPrintFile printFile(reports);
    const PclPaper paper = printerXForm_->paper();
    const char letter = LayoutLetter(print_.fontMode);
    const bool pclMode = isPclMode(print_.fontMode);

    // The PCL modes show the pages of the composed stream on sheets of their paper; the WIN
    // modes draw on the window's own printer, as PRINT does.
    std::vector<pcl::PclPage> pclPages;
    QPrinter pclSheet(QPrinter::HighResolution);
    QPrinter* printer = printer_.get();
    if (pclMode) {
        pclPages = pcl::ComposedPclPages(printFile.path(), letter, paper.legal, paper.duplex);
        if (!pclPages.empty())
            setUpPclSheet(pclSheet, pclPages.front());
        printer = &pclSheet;
    } else {
        printer_->setPrinterName(QString::fromStdString(setup_.printers.currentName()));
    }
    waiting.reset();

    QPrintPreviewDialog preview(printer, this);
    preview.setObjectName("PrintPreview");
    QString title = "Print Preview - " + SpinFont->text().trimmed();
    if (pclMode && paper.duplex && letter != 'G')
        title += " - duplex: pages are sheet sides, front and back";
    preview.setWindowTitle(title);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        // A failure inside the dialog's drawing must not unwind through Qt: it is shown, and
        // the preview shows what was drawn before it.
        guarded([&] {
            QtPrinterCanvas canvas(*target, true);
            if (pclMode)
                pcl::DrawPclPages(canvas, pclPages);
            else
                PrintFileOnCanvas(canvas, printFile.path(), letter);
        });
    });
    // Printing from the preview is the PRINT job itself, counted and stamped, on the window's
    // printer: the dialog's own print would send the preview's unstamped drawing.
    bool printAsked = false;
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() != "Print")
            continue;
        QObject::disconnect(action, nullptr, &preview, nullptr);
        connect(action, &QAction::triggered, &preview, [&] {
            printAsked = true;
            preview.accept();
        });
    }
    setup_.showPreview(preview);
    if (printAsked)
        PrintButtonClick();
}

void TMainForm::ExportPdfClick() {
    std::vector<std::filesystem::path> reports = previewReportFiles();
    if (reports.empty()) {
        say("Nothing is ticked to export");
        return;
    }
    QString folder = QString::fromStdString(desktopFolder().string());
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    QString suggested = folder + "/Analysis " + fileNameDate(RaceDate->text()) + ".pdf";
    QString chosen = setup_.askSaveFile("Export PDF", suggested);
    if (chosen.isEmpty())
        return;
    const std::filesystem::path pdf = chosen.toStdString();

    WaitCursor waiting;
    PreviewPrintFile printFile(reports);
    const PclPaper paper = printerXForm_->paper();
    const char letter = LayoutLetter(print_.fontMode);
    if (isPclMode(print_.fontMode)) {
        printPclPagesToPdf(
            pcl::ComposedPclPages(printFile.path(), letter, paper.legal, paper.duplex), pdf);
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
