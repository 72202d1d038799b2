// Print preview and PDF export on the real main window, offscreen: the pages each engine prints,
// as many and in the same order as the print.
#include "gui/main_form.h"
#include "gui/preview_page_view.h"
#include "gui/print_preview_window.h"
#include "gui/printer_x_form.h"
#include "gui/up_down.h"
#include "window_fixture.h"

#include "core/common/file_io.h"
#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/recording_canvas.h"
#include "core/print/pcl/pcl_composer.h"
#include "core/print/print_file.h"
#include "core/print/print_modes.h"
#include "demo/demo_day.h"
#include "platform/preview_pages.h"

#include "support/run_command.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QPageLayout>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QThreadPool>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace analysis;
using namespace analysis::testing;

class TestPrintPreview : public QObject {
    Q_OBJECT

private:
    static void chooseMode(TMainForm* window, int mode) {
        auto* selector = child<UpDown>(window, "FontSelect");
        selector->setPosition(7 - mode);
        emit selector->clicked();
    }

    /// The ticked report files, as PRINT gathers them.
    static std::vector<std::filesystem::path> ticked(TMainForm* window,
                                                     const DemoInstallation& installation) {
        std::vector<std::filesystem::path> files;
        auto* list = child<QListWidget>(window, "ReportListBox");
        for (int row = 0; row < list->count(); ++row)
            if (!list->item(row)->text().isEmpty() && list->item(row)->checkState() == Qt::Checked)
                files.push_back(installation.folders().file(list->item(row)->text().toStdString()));
        return files;
    }

    /// The pages PRINT prints for the files in the mode: form feeds of the composed PCL stream,
    /// or the canvas engine's pages.
    static int printedPages(const std::vector<std::filesystem::path>& files, int mode,
                            PclPaper paper) {
        TempDir dir;
        writePrintFile(files, dir / "Analysis.PRN", nullptr);
        char letter = LayoutLetter(mode);
        if (isPclMode(mode)) {
            OutputFile out(dir / "Analysis.PCL");
            pcl::PrintPclJob(dir / "Analysis.PRN", letter, paper.legal, paper.duplex, out);
            out.commit();
            std::string pcl = dir.read("Analysis.PCL");
            return static_cast<int>(std::count(pcl.begin(), pcl.end(), '\f'));
        }
        RecordingCanvas canvas(4800, 6400);
        PrintFileOnCanvas(canvas, dir / "Analysis.PRN", letter);
        const std::string& trace = canvas.trace();
        int pages = 0;
        for (std::size_t at = trace.find("newpage\n"); at != std::string::npos;
             at = trace.find("newpage\n", at + 1))
            ++pages;
        return trace.empty() ? 0 : pages + 1;
    }

    QStringList messages;
    std::unique_ptr<PrivateHome> home;
    std::unique_ptr<TempDir> tmp;
    const QByteArray ownTemporaries = qgetenv("TMPDIR");

private slots:
    void init() {
        messages.clear();
        home = std::make_unique<PrivateHome>();
        // The window's temporaries go to a folder of the test's own, to be seen gone.
        tmp = std::make_unique<TempDir>();
        qputenv("TMPDIR", QByteArray::fromStdString(tmp->path().string()));
    }

    void cleanup() {
        if (ownTemporaries.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", ownTemporaries);
        tmp.reset();
        home.reset();
    }

    void previewAndExportHaveThePagesOfThePrintInEveryEngine_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("legal");
        QTest::addColumn<bool>("duplex");
        QTest::newRow("WIN Portrait 7pt") << 2 << false << false;
        QTest::newRow("WIN Landscape 7pt") << 3 << false << false;
        QTest::newRow("PCL Portrait 10pt") << 4 << false << false;
        QTest::newRow("PCL Portrait 6pt legal duplex") << 6 << true << true;
        QTest::newRow("PCL Landscape 6pt legal") << 7 << true << false;
    }

    void previewAndExportHaveThePagesOfThePrintInEveryEngine() {
        QFETCH(int, mode);
        QFETCH(bool, legal);
        QFETCH(bool, duplex);
        DemoInstallation installation(true);
        MainFormSetup setup = installation.windowSetup(messages);
        int previewPages = -1;
        QString previewTitle;
        bool printFileKept = true;
        setup.showPreview = [&](PrintPreviewWindow& preview) {
            previewPages = preview.pages().count();
            previewTitle = preview.windowTitle();
            // The preview holds its pages; the print file they were made from is gone.
            printFileKept = !QDir(QString::fromStdString(tmp->path().string()))
                                 .entryList({"analysis-preview*", "analysis-pcl*"})
                                 .isEmpty();
            preview.show();
            QTRY_VERIFY(preview.view().pagesDrawn() > 0);
        };
        const QString pdf = QString::fromStdString((home->path() / "out.pdf").string());
        QString suggested;
        setup.askSaveFile = [&](const QString&, const QString& offered) {
            suggested = offered;
            return pdf;
        };
        TMainForm window(setup);
        chooseMode(&window, mode);
        child<TPrinterXForm>(&window, "PrinterXForm")->setPaper({legal, duplex});
        child<QPushButton>(&window, "checkALL")->click();
        QVERIFY(reportFilesWritten(window));
        std::vector<std::filesystem::path> files = ticked(&window, installation);
        QVERIFY(files.size() > 10);
        const int expected = printedPages(files, mode, {legal, duplex});
        QVERIFY(expected > 0);

        child<QAction>(&window, "PreviewMenu")->trigger();
        QCOMPARE(previewPages, expected);
        QVERIFY(previewTitle.startsWith("Print Preview"));
        QCOMPARE(previewTitle.contains("duplex"), duplex);
        QVERIFY(!printFileKept);

        child<QAction>(&window, "ExportPdfMenu")->trigger();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join("\n")));
        QVERIFY(suggested.endsWith(".pdf"));
        QVERIFY(suggested.contains("Analysis "));
        QCOMPARE(pdfPageCount(pdf.toStdString()), expected);
        if (mode < 4) {
            // The WIN modes' pages are the printer's paper, as on the printer and the preview.
            const QSizeF paper =
                QPrinter(QPrinter::HighResolution).pageLayout().fullRect(QPageLayout::Point).size();
            const std::string info = runCommand("pdfinfo '" + pdf.toStdString() + "'");
            double width = 0, height = 0;
            const std::size_t at = info.find("Page size:");
            QVERIFY2(at != std::string::npos, info.c_str());
            QCOMPARE(std::sscanf(info.c_str() + at, "Page size: %lf x %lf", &width, &height), 2);
            QVERIFY2(
                std::abs(std::min(width, height) - std::min(paper.width(), paper.height())) < 1 &&
                    std::abs(std::max(width, height) - std::max(paper.width(), paper.height())) < 1,
                info.c_str());
        }
    }

    void printFromThePreviewIsThePrintJob() {
        DemoInstallation installation(true);
        MainFormSetup setup = installation.windowSetup(messages);
        setup.showPreview = [&](PrintPreviewWindow& preview) {
            child<QAction>(&preview, "PreviewPrint")->trigger();
        };
        TMainForm window(setup);
        child<QPushButton>(&window, "checkALL")->click();
        child<QAction>(&window, "PreviewMenu")->trigger();
        // No printer is installed here: the job PRINT runs says so, and nothing else printed.
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.front().contains("no printer is installed"),
                 qPrintable(messages.front()));
    }

    void aHeavyDaysPreviewDrawsThePagesInViewAndNothingRunsOnOnceClosed_data() {
        QTest::addColumn<bool>("pclMode");
        QTest::newRow("WIN Portrait 9pt") << false;
        QTest::newRow("PCL Landscape 6pt") << true;
    }

    void aHeavyDaysPreviewDrawsThePagesInViewAndNothingRunsOnOnceClosed() {
        QFETCH(bool, pclMode);
        TempDir dir;
        std::filesystem::path prn =
            dir.write("Analysis.PRN", demo::makeAnalysisText(demo::heavyDay()));
        QPrinter printer(QPrinter::HighResolution);
        std::unique_ptr<PreviewPages> pages =
            pclMode ? pclPreviewPages(pcl::composedPclPages(prn, 'G', false, false))
                    : canvasPreviewPages(printer, prn, 'J');
        const int count = pages->count();
        QVERIFY(count > 1000);

        QPointer<PrintPreviewWindow> preview = new PrintPreviewWindow(std::move(pages), "heavy");
        preview->setAttribute(Qt::WA_DeleteOnClose);
        preview->show();
        PreviewPageView& view = preview->view();
        QTRY_VERIFY(view.pagesDrawn() > 0);
        QTRY_VERIFY(!view.drawing());
        // Only what is in view is drawn, however many pages the print has; a page far on is
        // drawn when the user goes there, without the pages passed.
        const int firstDrawn = view.pagesDrawn();
        QVERIFY2(firstDrawn <= 4, qPrintable(QString::number(firstDrawn)));
        child<QSpinBox>(preview.data(), "PreviewPageNumber")->setValue(count / 2);
        QCOMPARE(view.currentPage(), count / 2 - 1);
        QTRY_VERIFY(!view.drawing());
        QVERIFY(view.pagesDrawn() > firstDrawn);
        QVERIFY(view.pagesDrawn() <= firstDrawn + 4);

        // Closed while the pages a zoom brought into view wait to be drawn.
        view.zoomOut();
        view.zoomOut();
        QVERIFY(view.currentPage() >= count / 2 - 2 && view.currentPage() <= count / 2);
        preview->close();
        QTRY_VERIFY(preview.isNull());
        // A timer or thread of the preview left running would draw into freed memory here,
        // which the sanitizer build reports.
        QTest::qWait(200);
        QCOMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY(qobject_cast<PrintPreviewWindow*>(widget) == nullptr);
    }

    void cancelledExportWritesNothing() {
        DemoInstallation installation(true);
        MainFormSetup setup = installation.windowSetup(messages);
        setup.askSaveFile = [](const QString&, const QString&) { return QString(); };
        TMainForm window(setup);
        child<QPushButton>(&window, "checkALL")->click();
        child<QAction>(&window, "ExportPdfMenu")->trigger();
        QVERIFY(messages.isEmpty());
        QVERIFY(!std::filesystem::exists(home->path() / "out.pdf"));
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_print_preview.moc"
