// The pages of a print preview one under the other, each drawn only once it comes into view.
#pragma once

#include <QAbstractScrollArea>
#include <QCache>
#include <QImage>
#include <QTimer>

#include <utility>
#include <vector>

namespace analysis {

class PreviewPages;

/// Shows pages at a zoom of screen pixels to the inch of paper, fitted to the view's width or
/// to one whole page. A page not drawn yet shows as a blank sheet and is drawn in the next
/// turn of the event loop, one page a turn, so scrolling through thousands of pages never
/// waits for the pages it passes. A few pictures are kept for scrolling back.
class PreviewPageView : public QAbstractScrollArea {
    Q_OBJECT

public:
    /// pages must outlive the view.
    explicit PreviewPageView(const PreviewPages& pages, QWidget* parent = nullptr);

    void fitWidth() { setFit(Fit::Width); }
    void fitPage() { setFit(Fit::Page); }
    void zoomIn();
    void zoomOut();

    /// The page at the middle of the view (0-based).
    int currentPage() const;
    /// Scrolls the page's top into view.
    void showPage(int page);
    /// Pages drawn since the view was made, drawn again after a zoom included.
    int pagesDrawn() const noexcept { return pagesDrawn_; }
    /// Whether a page in view still waits to be drawn.
    bool drawing() const;

signals:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// What the zoom follows when the view changes size: its width, a whole page, or nothing.
    enum class Fit { Width, Page, None };

    void setFit(Fit fit);
    void setZoom(double zoom);
    void layOutPages();
    void updateScrollBars();
    double fittedZoom() const;
    QSize pageSize(int page) const;
    /// The room a page's caption takes below it.
    int captionSpace() const;
    /// The first page whose bottom is below y, in content pixels.
    int pageAt(int y) const;
    /// The pages in view: the first, and the one after the last.
    std::pair<int, int> pagesInView() const;
    void drawNextPage();
    void noteCurrentPage();

    const PreviewPages& pages_;
    Fit fit_ = Fit::Width;
    /// Screen pixels to an inch of paper.
    double zoom_ = 96;
    /// Each page's top in content pixels, and the bottom of the last one after it.
    std::vector<int> tops_;
    int contentWidth_ = 0;
    QCache<int, QImage> pictures_;
    std::vector<int> waiting_;
    QTimer drawTimer_;
    int pagesDrawn_ = 0;
    int lastCurrent_ = -1;
};

} // namespace analysis
