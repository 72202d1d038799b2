// Print preview and PDF export on the real main window, offscreen: the pages each engine prints,
// as many and in the same order as the print.
#include "gui/main_form.h"
#include "gui/up_down.h"
#include "window_fixture.h"

#include "core/common/file_io.h"
#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/recording_canvas.h"
#include "core/print/pcl/pcl_composer.h"
#include "core/print/print_file.h"
#include "core/print/print_modes.h"

#include "support/run_command.h"

#include <QAction>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace analysis;
using namespace analysis::testing;

namespace {

int pdfPageCount(const std::filesystem::path& pdf) {
    std::string info = runCommand("pdfinfo '" + pdf.string() + "'");
    std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

} // namespace

class TestPrintPreview : public QObject {
    Q_OBJECT

private:
    template <class Widget>
    static Widget* child(QObject* window, const char* name) {
        auto* widget = window->findChild<Widget*>(name);
        if (widget == nullptr)
            qFatal("no widget named %s", name);
        return widget;
    }

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
    static int printedPages(const std::vector<std::filesystem::path>& files, int mode) {
        TempDir dir;
        writePrintFile(files, dir / "Analysis.PRN", nullptr);
        char letter = LayoutLetter(mode);
        if (isPclMode(mode)) {
            OutputFile out(dir / "Analysis.PCL");
            pcl::PrintPclJob(dir / "Analysis.PRN", letter, false, false, out);
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
    std::unique_ptr<TempDir> home;

private slots:
    void init() {
        messages.clear();
        home = std::make_unique<TempDir>();
        qputenv("HOME", QByteArray::fromStdString(home->path().string()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((home->path() / ".config").string()));
    }

    void previewAndExportHaveThePagesOfThePrintInEveryEngine_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("WIN Portrait 7pt") << 2;
        QTest::newRow("WIN Landscape 7pt") << 3;
        QTest::newRow("PCL Portrait 10pt") << 4;
        QTest::newRow("PCL Landscape 6pt") << 7;
    }

    void previewAndExportHaveThePagesOfThePrintInEveryEngine() {
        QFETCH(int, mode);
        DemoInstallation installation(true);
        MainFormSetup setup = installation.windowSetup(messages);
        int previewPages = -1;
        QString previewTitle;
        setup.showPreview = [&](QPrintPreviewDialog& preview) {
            auto* widget = preview.findChild<QPrintPreviewWidget*>();
            QVERIFY(widget != nullptr);
            widget->updatePreview();
            previewPages = widget->pageCount();
            previewTitle = preview.windowTitle();
        };
        const QString pdf = QString::fromStdString((home->path() / "out.pdf").string());
        QString suggested;
        setup.askSaveFile = [&](const QString&, const QString& offered) {
            suggested = offered;
            return pdf;
        };
        TMainForm window(setup);
        chooseMode(&window, mode);
        child<QPushButton>(&window, "checkALL")->click();
        std::vector<std::filesystem::path> files = ticked(&window, installation);
        QVERIFY(files.size() > 10);
        const int expected = printedPages(files, mode);
        QVERIFY(expected > 0);

        child<QAction>(&window, "PreviewMenu")->trigger();
        QCOMPARE(previewPages, expected);
        QVERIFY(previewTitle.startsWith("Print Preview"));

        child<QAction>(&window, "ExportPdfMenu")->trigger();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join("\n")));
        QVERIFY(suggested.endsWith(".pdf"));
        QVERIFY(suggested.contains("Analysis "));
        QCOMPARE(pdfPageCount(pdf.toStdString()), expected);
    }

    void printFromThePreviewIsThePrintJob() {
        DemoInstallation installation(true);
        MainFormSetup setup = installation.windowSetup(messages);
        setup.showPreview = [&](QPrintPreviewDialog& preview) {
            for (QAction* action : preview.findChildren<QAction*>())
                if (action->text() == "Print")
                    action->trigger();
        };
        TMainForm window(setup);
        child<QPushButton>(&window, "checkALL")->click();
        child<QAction>(&window, "PreviewMenu")->trigger();
        // No printer is installed here: the job PRINT runs says so, and nothing else printed.
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.front().contains("no printer is installed"),
                 qPrintable(messages.front()));
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
