#include "reportpageview.h"

#include "reports/reportpaint.h"

#include <QLabel>
#include <QPixmap>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace zorva {

namespace {

constexpr qreal kMinZoom = 0.1;
constexpr qreal kMaxZoom = 8.0;
constexpr int kPaperMargin = 12;  // px of grey around the paper

}  // namespace

ReportPageView::ReportPageView(QWidget *parent) : QScrollArea(parent)
{
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    m_paper = new QLabel;
    m_paper->setObjectName(QStringLiteral("Papir"));
    m_paper->setMargin(kPaperMargin);
    m_paper->setAlignment(Qt::AlignCenter);
    setWidget(m_paper);
    setWidgetResizable(false);
}

void ReportPageView::setReportLayout(const report::ReportLayout *layout, int readyPages)
{
    m_layout = layout;
    m_ready = 0;
    m_current = 0;
    setReadyPages(readyPages);
}

void ReportPageView::setReadyPages(int readyPages)
{
    const int before = m_ready;
    m_ready = m_layout ? std::clamp(readyPages, 0, m_layout->pageCount()) : 0;
    if (m_current == 0 && m_ready > 0) {
        m_current = 1;
        render();
        emit pageChanged(m_current);
    } else if (m_current > m_ready) {
        setCurrentPage(m_ready);
    } else if (before == 0 && m_ready == 0) {
        render();
    }
}

void ReportPageView::setCurrentPage(int page)
{
    page = m_ready > 0 ? std::clamp(page, 1, m_ready) : 0;
    if (page == m_current)
        return;
    m_current = page;
    render();
    verticalScrollBar()->setValue(0);
    emit pageChanged(m_current);
}

void ReportPageView::setZoomFactor(qreal zoom)
{
    m_fit = Fit::None;
    m_zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    render();
}

void ReportPageView::fitToWidth()
{
    m_fit = Fit::Width;
    const double paper = pageSizeMm().width() * screenDotsPerMm();
    const int room = viewport()->width() - 2 * kPaperMargin - verticalScrollBar()->sizeHint().width();
    if (paper > 0 && room > 0)
        m_zoom = std::clamp(room / paper, kMinZoom, kMaxZoom);
    render();
}

void ReportPageView::fitInView()
{
    m_fit = Fit::Page;
    const QSizeF mm = pageSizeMm();
    const double dots = screenDotsPerMm();
    const QSize room = viewport()->size() - QSize(2 * kPaperMargin, 2 * kPaperMargin);
    if (mm.width() > 0 && mm.height() > 0 && room.width() > 0 && room.height() > 0)
        m_zoom =
            std::clamp(std::min(room.width() / (mm.width() * dots), room.height() / (mm.height() * dots)),
                       kMinZoom, kMaxZoom);
    render();
}

void ReportPageView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    if (m_fit == Fit::Width)
        fitToWidth();
    else if (m_fit == Fit::Page)
        fitInView();
}

QSizeF ReportPageView::pageSizeMm() const
{
    return m_layout ? m_layout->pageLayout.fullRect(QPageLayout::Millimeter).size() : QSizeF(210, 297);
}

double ReportPageView::screenDotsPerMm() const
{
    return logicalDpiX() / 25.4;
}

void ReportPageView::render()
{
    if (!m_layout || m_current < 1) {
        m_paper->setPixmap(QPixmap());
        m_paper->adjustSize();
        return;
    }
    // Painted at the device's pixel ratio so text stays sharp on dense screens.
    const qreal ratio = devicePixelRatioF();
    const int dpi = std::max(1, int(logicalDpiX() * m_zoom * ratio + 0.5));
    QPixmap page = QPixmap::fromImage(report::renderPageImage(*m_layout, m_current - 1, dpi));
    page.setDevicePixelRatio(ratio);
    m_paper->setPixmap(page);
    m_paper->adjustSize();
}

}  // namespace zorva
