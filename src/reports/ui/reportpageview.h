// One page of a laid-out report on screen, painted at the zoom chosen, in a
// scroll area.  Only the pages the owner says are ready can be shown, so a
// report still being laid out can be paged through as far as it goes.
#pragma once

#include "reports/reportlayout.h"

#include <QScrollArea>

class QLabel;

namespace zorva {

class ReportPageView : public QScrollArea {
    Q_OBJECT
public:
    explicit ReportPageView(QWidget *parent = nullptr);

    // The layout is read, not kept: it must outlive the view or be replaced.
    void setReportLayout(const report::ReportLayout *layout, int readyPages);
    void setReadyPages(int readyPages);
    int pageCount() const { return m_ready; }
    int currentPage() const { return m_current; }  // 1-based; 0 without pages
    void setCurrentPage(int page);

    qreal zoomFactor() const { return m_zoom; }  // 1.0: the paper's real size on this screen
    void setZoomFactor(qreal zoom);
    void zoomIn(qreal factor = 1.25) { setZoomFactor(m_zoom * factor); }
    void zoomOut(qreal factor = 1.25) { setZoomFactor(m_zoom / factor); }
    void fitToWidth();
    void fitInView();

signals:
    void pageChanged(int page);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    enum class Fit { None, Width, Page };
    QSizeF pageSizeMm() const;
    double screenDotsPerMm() const;
    void render();

    const report::ReportLayout *m_layout = nullptr;
    QLabel *m_paper = nullptr;
    int m_ready = 0;
    int m_current = 0;
    qreal m_zoom = 1.0;
    Fit m_fit = Fit::Width;
};

}  // namespace zorva
