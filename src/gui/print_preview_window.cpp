// The print preview window.
#include "gui/print_preview_window.h"

#include "gui/preview_page_view.h"
#include "platform/preview_pages.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace analysis {

PrintPreviewWindow::PrintPreviewWindow(std::unique_ptr<PreviewPages> pages, const QString& title,
                                       QWidget* parent)
    : QDialog(parent), pages_(std::move(pages)) {
    setObjectName("PrintPreview");
    setWindowTitle(title);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    view_ = new PreviewPageView(*pages_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createToolBar();
    layout->addWidget(view_, 1);
    // Tall enough for a whole page at a readable size, within the screen.
    QSize size(900, 1000);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.9);
    resize(size);
    connect(view_, &PreviewPageView::currentPageChanged, this,
            &PrintPreviewWindow::showCurrentPage);
    // Page Up and Down, the arrows, Home and End move through the pages at once.
    view_->setFocus();
}

PrintPreviewWindow::~PrintPreviewWindow() = default;

void PrintPreviewWindow::createToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName("PreviewToolBar");
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout()->addWidget(bar);

    auto addAction = [&](const char* name, const QString& text, const QKeySequence& key,
                         auto slot) {
        QAction* action = bar->addAction(text);
        action->setObjectName(name);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    addAction("PreviewPrint", "&Print", QKeySequence::Print, [this] {
        printAsked_ = true;
        accept();
    });
    bar->addSeparator();
    addAction("PreviewFitWidth", "Fit &Width", QKeySequence(), [this] { view_->fitWidth(); });
    addAction("PreviewFitPage", "Fit P&age", QKeySequence(), [this] { view_->fitPage(); });
    addAction("PreviewZoomIn", "Zoom &In", QKeySequence::ZoomIn, [this] { view_->zoomIn(); });
    addAction("PreviewZoomOut", "Zoom &Out", QKeySequence::ZoomOut, [this] { view_->zoomOut(); });
    bar->addSeparator();

    bar->addWidget(new QLabel(" Page ", bar));
    pageNumber_ = new QSpinBox(bar);
    pageNumber_->setObjectName("PreviewPageNumber");
    pageNumber_->setRange(1, std::max(1, pages_->count()));
    pageNumber_->setKeyboardTracking(false);
    bar->addWidget(pageNumber_);
    bar->addWidget(new QLabel(QString(" of %1 ").arg(pages_->count()), bar));
    connect(pageNumber_, &QSpinBox::valueChanged, this,
            [this](int number) { view_->showPage(number - 1); });
    bar->addSeparator();
    addAction("PreviewClose", "&Close", QKeySequence(), [this] { reject(); });
}

void PrintPreviewWindow::showCurrentPage(int page) {
    // Following the view must not scroll it back to the page's top.
    QSignalBlocker quiet(pageNumber_);
    pageNumber_->setValue(page + 1);
}

} // namespace analysis
