#include "reportlayout.h"

#include <QFontMetricsF>
#include <QImage>

namespace zorva::report {

namespace {

constexpr double kMeasureDpi = 600.0;
constexpr double kEpsilon = 1e-6;

const QImage &measureDevice()
{
    static const QImage image = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        const int dpm = int(kMeasureDpi / 0.0254 + 0.5);
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        return img;
    }();
    return image;
}

int textFlags(const ReportElement &e)
{
    int flags = int(e.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop;
    flags |= e.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    return flags;
}

class Paginator {
public:
    Paginator(Report &r, int maxPages) : m_r(r), m_maxPages(maxPages)
    {
        m_out.title = r.title;
        m_out.pageLayout = r.pageLayout();
        const QSizeF page = r.pageSize();
        m_top = Report::kMargin;
        m_bottom = page.height() - Report::kMargin;
        m_ctx.printedAt = r.printedAt.isValid() ? r.printedAt : QDateTime::currentDateTime();
        m_sums.assign(r.sums().size(), 0.0);
        m_ctx.sums = &m_sums;
    }

    ReportLayout run()
    {
        startPage();
        TDataSet *ds = m_r.data;
        if (ds && ds->isActive())
            walk(*ds);
        if (m_stopped)
            return std::move(m_out);
        place(m_r.summary);
        endPage();
        return std::move(m_out);
    }

private:
    void walk(TDataSet &ds)
    {
        m_ctx.data = &ds;
        ds.disableControls();
        const TBookmark mark = ds.bookmark();
        struct Restore {
            TDataSet &ds;
            TBookmark mark;
            ~Restore()
            {
                if (ds.isActive() && ds.bookmarkValid(mark))
                    ds.gotoBookmark(mark);
                ds.freeBookmark(mark);
                ds.enableControls();
            }
        } restore{ds, mark};

        const int levels = m_r.groupCount();
        std::vector<QVariant> previous(static_cast<size_t>(levels));
        std::vector<QVariant> keys(static_cast<size_t>(levels));
        bool firstRow = true;
        const int total = ds.recordCount();
        ds.first();
        while (!ds.eof() && !m_stopped) {
            for (int g = 0; g < levels; ++g)
                keys[size_t(g)] = m_r.group(g).key(ds);
            int changed = firstRow ? 0 : -1;
            for (int g = 0; !firstRow && g < levels; ++g) {
                if (keys[size_t(g)] != previous[size_t(g)]) {
                    changed = g;
                    break;
                }
            }
            if (changed >= 0 && levels > 0) {
                if (!firstRow) {
                    ds.prior();
                    closeGroups(changed);
                    ds.next();
                }
                for (int g = changed; g < levels; ++g)
                    place(m_r.group(g).header);
            }
            for (size_t i = 0; i < m_sums.size(); ++i)
                m_sums[i] += m_r.sums()[i].value(ds);
            ++m_ctx.recordCount;
            place(m_r.detail);
            if (m_progress && m_ctx.recordCount % 250 == 0 && !m_progress(m_ctx.recordCount, total))
                m_stopped = true;
            if (m_stopped)
                return;
            previous.swap(keys);
            firstRow = false;
            ds.next();
        }
        if (!firstRow && levels > 0) {
            ds.last();
            closeGroups(0);
        }
    }

    // Footers from the innermost group out to `level`, each restarting its totals.
    void closeGroups(int level)
    {
        for (int g = m_r.groupCount() - 1; g >= level; --g) {
            place(m_r.group(g).footer);
            for (size_t i = 0; i < m_sums.size(); ++i) {
                const int reset = m_r.sums()[i].resetGroup;
                if (reset >= 0 && reset >= g)
                    m_sums[i] = 0.0;
            }
        }
    }

    void startPage()
    {
        m_out.pages.emplace_back();
        ++m_ctx.page;
        m_y = m_top;
        place(m_r.pageHeader, false);
        m_bodyTop = m_y;
    }

    void endPage()
    {
        ReportBand &f = m_r.pageFooter;
        if (f.beforePrint)
            f.beforePrint(f, m_ctx);
        if (!f.visible || f.isEmpty())
            return;
        const double h = bandHeight(f);
        layBand(f, m_bottom - h, h);
    }

    double footerHeight()
    {
        const ReportBand &f = m_r.pageFooter;
        return f.visible ? f.height : 0.0;
    }

    void place(ReportBand &b, bool mayBreak = true)
    {
        if (m_stopped)
            return;
        if (b.beforePrint)
            b.beforePrint(b, m_ctx);
        if (!b.visible || b.isEmpty())
            return;
        const double h = bandHeight(b);
        const double limit = m_bottom - footerHeight();
        // A band taller than an empty page is printed anyway (cut at the page's end).
        const bool pageUsed = m_y > m_bodyTop + kEpsilon;
        if (mayBreak && pageUsed && (b.newPageBefore || m_y + h > limit + kEpsilon)) {
            endPage();
            if (m_maxPages > 0 && m_out.pageCount() >= m_maxPages) {
                m_stopped = true;
                return;
            }
            startPage();
        }
        layBand(b, m_y, h);
        m_y += h;
    }

    double bandHeight(const ReportBand &b) const
    {
        double growth = 0.0;
        for (const ReportElement &e : b.elements()) {
            if (!e.visible || !e.grows || e.kind != ReportElement::Kind::Text)
                continue;
            const double need = wrappedTextHeight(e.textFor(m_ctx), e.font, e.rect.width());
            growth = std::max(growth, need - e.rect.height());
        }
        return b.height + growth;
    }

    void addLine(double x1, double x2, double y, const QColor &color)
    {
        LaidItem it;
        it.kind = LaidItem::Kind::Line;
        it.rect = QRectF(x1, y, x2 - x1, 0.0);
        it.color = color;
        m_out.pages.back().items.push_back(std::move(it));
    }

    void layBand(const ReportBand &b, double top, double height)
    {
        const double left = Report::kMargin;
        const double width = m_r.bandWidth();
        const double growth = height - b.height;
        for (const ReportElement &e : b.elements()) {
            if (!e.visible)
                continue;
            QRectF r = e.rect.translated(left, top);
            if (e.kind == ReportElement::Kind::Box) {
                addLine(r.left(), r.right(), r.top(), e.color);
                addLine(r.left(), r.right(), r.bottom(), e.color);
                continue;
            }
            if (e.grows)
                r.setHeight(r.height() + growth);
            LaidItem it;
            it.rect = r;
            it.text = e.textFor(m_ctx);
            if (it.text.isEmpty())
                continue;
            it.font = e.font;
            it.color = e.colorFor(m_ctx);
            it.flags = textFlags(e);
            m_out.pages.back().items.push_back(std::move(it));
        }
        if (b.topRule)
            addLine(left, left + width, top, *b.topRule);
        if (b.bottomRule)
            addLine(left, left + width, top + height, *b.bottomRule);
    }

    Report &m_r;
    int m_maxPages = 0;
    bool m_stopped = false;

public:
    LayoutProgress m_progress;
    bool stopped() const { return m_stopped; }

private:
    ReportLayout m_out;
    PrintContext m_ctx;
    std::vector<double> m_sums;
    double m_top = 0, m_bottom = 0, m_y = 0, m_bodyTop = 0;
};

}  // namespace

double wrappedTextHeight(const QString &text, const QFont &font, double widthMm)
{
    if (text.isEmpty())
        return 0.0;
    const double pxPerMm = kMeasureDpi / 25.4;
    const QFontMetricsF fm(font, &measureDevice());
    const QRectF r =
        fm.boundingRect(QRectF(0, 0, widthMm * pxPerMm, 1e7), Qt::AlignLeft | Qt::TextWordWrap, text);
    return r.height() / pxPerMm;
}

double textWidth(const QString &text, const QFont &font)
{
    const QFontMetricsF fm(font, &measureDevice());
    return fm.horizontalAdvance(text) / (kMeasureDpi / 25.4);
}

ReportLayout layoutReport(Report &report, int maxPages)
{
    return Paginator(report, maxPages).run();
}

ReportLayout layoutReport(Report &report, const LayoutProgress &progress, bool *stopped)
{
    Paginator p(report, 0);
    p.m_progress = progress;
    ReportLayout out = p.run();
    if (stopped)
        *stopped = p.stopped();
    return out;
}

}  // namespace zorva::report
