// The pages of a print preview, each drawn once it comes into view.
#include "gui/preview_page_view.h"

#include "platform/preview_pages.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {
/// Space around the pages and between a page and the next one's top, in screen pixels.
constexpr int Margin = 16;
constexpr int ShadowOffset = 3;
/// The caption stands this far below its page, clear of the shadow.
constexpr int CaptionGap = ShadowOffset + 2;
/// Zoom bounds in screen pixels to the inch of paper, and the step of one zoom in or out.
constexpr double SmallestZoom = 12;
constexpr double LargestZoom = 600;
constexpr double ZoomStep = 1.25;
/// Pictures kept: a screenful of the smallest pages, and some to scroll back to.
constexpr int PicturesKept = 64;
} // namespace

PreviewPageView::PreviewPageView(const PreviewPages& pages, QWidget* parent)
    : QAbstractScrollArea(parent), pages_(pages), pictures_(PicturesKept) {
    setObjectName("PreviewPages");
    drawTimer_.setSingleShot(true);
    drawTimer_.setInterval(0);
    connect(&drawTimer_, &QTimer::timeout, this, &PreviewPageView::drawNextPage);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    layOutPages();
}

void PreviewPageView::zoomIn() {
    fit_ = Fit::None;
    setZoom(zoom_ * ZoomStep);
}

void PreviewPageView::zoomOut() {
    fit_ = Fit::None;
    setZoom(zoom_ / ZoomStep);
}

int PreviewPageView::currentPage() const {
    return pageAt(verticalScrollBar()->value() + viewport()->height() / 2);
}

void PreviewPageView::showPage(int page) {
    if (page < 0 || page >= pages_.count())
        return;
    verticalScrollBar()->setValue(tops_[static_cast<std::size_t>(page)] - Margin);
}

bool PreviewPageView::drawing() const {
    auto [first, end] = pagesInView();
    for (int page = first; page < end; ++page)
        if (!pictures_.contains(page))
            return true;
    return false;
}

void PreviewPageView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int top = verticalScrollBar()->value();
    const int left = horizontalScrollBar()->value();
    const int width = std::max(contentWidth_, viewport()->width());
    waiting_.clear();
    auto [first, end] = pagesInView();
    for (int page = first; page < end; ++page) {
        const QSize size = pageSize(page);
        const QRect sheet(
            QPoint((width - size.width()) / 2 - left, tops_[static_cast<std::size_t>(page)] - top),
            size);
        painter.fillRect(sheet.translated(ShadowOffset, ShadowOffset),
                         palette().color(QPalette::Shadow));
        if (const QImage* picture = pictures_.object(page)) {
            painter.drawImage(sheet.topLeft(), *picture);
        } else {
            painter.fillRect(sheet, Qt::white);
            waiting_.push_back(page);
        }
        painter.setPen(palette().color(QPalette::BrightText));
        painter.drawText(
            QRect(sheet.left(), sheet.bottom() + CaptionGap, sheet.width(), fontMetrics().height()),
            Qt::AlignHCenter | Qt::AlignTop, pages_.caption(page));
    }
    if (!waiting_.empty())
        drawTimer_.start();
}

void PreviewPageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (fit_ != Fit::None)
        setZoom(fittedZoom());
    updateScrollBars();
}

void PreviewPageView::scrollContentsBy(int, int) {
    viewport()->update();
    noteCurrentPage();
}

void PreviewPageView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    if (event->angleDelta().y() > 0)
        zoomIn();
    else if (event->angleDelta().y() < 0)
        zoomOut();
    event->accept();
}

void PreviewPageView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Home)
        showPage(0);
    else if (event->key() == Qt::Key_End)
        showPage(pages_.count() - 1);
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void PreviewPageView::setFit(Fit fit) {
    fit_ = fit;
    setZoom(fittedZoom());
}

void PreviewPageView::setZoom(double zoom) {
    zoom = std::clamp(zoom, SmallestZoom, LargestZoom);
    if (std::abs(zoom - zoom_) < 1e-9)
        return;
    // The page in view stays in view, at the same share of its height.
    const int page = pages_.count() > 0 ? pageAt(verticalScrollBar()->value()) : 0;
    double share = 0;
    if (pages_.count() > 0) {
        const int pageTop = tops_[static_cast<std::size_t>(page)];
        const int pageHeight = std::max(1, tops_[static_cast<std::size_t>(page) + 1] - pageTop);
        share = static_cast<double>(verticalScrollBar()->value() - pageTop) / pageHeight;
    }
    zoom_ = zoom;
    pictures_.clear();
    layOutPages();
    if (pages_.count() > 0) {
        const int pageTop = tops_[static_cast<std::size_t>(page)];
        const int pageHeight = tops_[static_cast<std::size_t>(page) + 1] - pageTop;
        verticalScrollBar()->setValue(pageTop + static_cast<int>(std::lround(share * pageHeight)));
    }
    viewport()->update();
}

void PreviewPageView::layOutPages() {
    tops_.assign(static_cast<std::size_t>(pages_.count()) + 1, 0);
    contentWidth_ = 0;
    const int caption = captionSpace();
    int y = Margin;
    for (int page = 0; page < pages_.count(); ++page) {
        const QSize size = pageSize(page);
        tops_[static_cast<std::size_t>(page)] = y;
        y += size.height() + caption + Margin;
        contentWidth_ = std::max(contentWidth_, size.width() + 2 * Margin);
    }
    tops_.back() = y;
    updateScrollBars();
}

void PreviewPageView::updateScrollBars() {
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, tops_.back() - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth_ - viewport()->width()));
}

double PreviewPageView::fittedZoom() const {
    double widest = 0;
    double tallest = 0;
    // Every page of one print has the same sheet; the first few stand for all.
    for (int page = 0; page < std::min(pages_.count(), 4); ++page) {
        PreviewSheet sheet = pages_.sheet(page);
        widest = std::max(widest, static_cast<double>(sheet.paper.width()) / sheet.resolution);
        tallest = std::max(tallest, static_cast<double>(sheet.paper.height()) / sheet.resolution);
    }
    if (widest <= 0 || tallest <= 0)
        return zoom_;
    const double byWidth = (viewport()->width() - 2 * Margin - ShadowOffset) / widest;
    if (fit_ == Fit::Width)
        return byWidth;
    return std::min(byWidth, (viewport()->height() - 2 * Margin - captionSpace()) / tallest);
}

int PreviewPageView::captionSpace() const {
    return CaptionGap + fontMetrics().height();
}

QSize PreviewPageView::pageSize(int page) const {
    const PreviewSheet sheet = pages_.sheet(page);
    const double scale = zoom_ / sheet.resolution;
    return QSize(std::max(1, static_cast<int>(std::lround(sheet.paper.width() * scale))),
                 std::max(1, static_cast<int>(std::lround(sheet.paper.height() * scale))));
}

int PreviewPageView::pageAt(int y) const {
    if (pages_.count() == 0)
        return 0;
    auto below = std::upper_bound(tops_.begin() + 1, tops_.end(), y);
    return std::min(static_cast<int>(below - (tops_.begin() + 1)), pages_.count() - 1);
}

std::pair<int, int> PreviewPageView::pagesInView() const {
    const int top = verticalScrollBar()->value();
    const int first = pageAt(top);
    int end = first;
    while (end < pages_.count() &&
           tops_[static_cast<std::size_t>(end)] < top + viewport()->height())
        ++end;
    return {first, end};
}

void PreviewPageView::drawNextPage() {
    if (waiting_.empty())
        return;
    const int page = waiting_.front();
    waiting_.erase(waiting_.begin());
    pictures_.insert(
        page, new QImage(renderPreviewPage(pages_, page, pageSize(page), devicePixelRatioF())));
    ++pagesDrawn_;
    // The repaint shows the picture and asks for the next page still waiting in view.
    viewport()->update();
}

void PreviewPageView::noteCurrentPage() {
    const int page = currentPage();
    if (page == lastCurrent_)
        return;
    lastCurrent_ = page;
    emit currentPageChanged(page);
}

} // namespace analysis
