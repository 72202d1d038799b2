// The print preview: the pages of a print as the paper will show them, before paper is spent.
#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QSpinBox;

namespace analysis {

class PreviewPages;
class PreviewPageView;

/// Shows the pages, with a tool bar to fit, zoom, go to a page and print. Print closes the
/// window and leaves the printing to its opener (printAsked()), so that it is the program's
/// own print job, counted and stamped like any other.
class PrintPreviewWindow : public QDialog {
    Q_OBJECT

public:
    PrintPreviewWindow(std::unique_ptr<PreviewPages> pages, const QString& title,
                       QWidget* parent = nullptr);
    ~PrintPreviewWindow() override;

    const PreviewPages& pages() const noexcept { return *pages_; }
    PreviewPageView& view() noexcept { return *view_; }
    /// Whether the window was closed by its Print button.
    bool printAsked() const noexcept { return printAsked_; }

private:
    void createToolBar();
    void showCurrentPage(int page);

    std::unique_ptr<PreviewPages> pages_;
    PreviewPageView* view_ = nullptr;
    QSpinBox* pageNumber_ = nullptr;
    bool printAsked_ = false;
};

} // namespace analysis
