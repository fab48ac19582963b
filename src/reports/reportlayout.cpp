#include "reportlayout.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>

#include <vector>

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

}  // namespace

class LayoutBuilder::Impl {
public:
    explicit Impl(Report &r) : m_r(r)
    {
        m_out.title = r.title;
        m_out.pageLayout = r.pageLayout();
        const QSizeF page = r.pageSize();
        m_top = Report::kMargin;
        m_bottom = page.height() - Report::kMargin;
        m_ctx.printedAt = r.printedAt.isValid() ? r.printedAt : QDateTime::currentDateTime();
        m_sums.assign(r.sums().size(), 0.0);
        m_ctx.sums = &m_sums;
        const int levels = r.groupCount();
        m_previous.resize(size_t(levels));
        m_keys.resize(size_t(levels));
        TDataSet *ds = r.data;
        if (ds && ds->isActive()) {
            m_ds = ds;
            m_ctx.data = ds;
            ds->disableControls();
            m_mark = ds->bookmark();
            m_total = ds->recordCount();
            ds->first();
            m_recNo = ds->recNo();
        }
        startPage();
        if (!m_ds || m_ds->eof())
            finish();
    }

    ~Impl()
    {
        if (!m_ds)
            return;
        if (m_ds->isActive() && m_ds->bookmarkValid(m_mark))
            m_ds->gotoBookmark(m_mark);
        m_ds->freeBookmark(m_mark);
        m_ds->enableControls();
    }

    bool step(int rows)
    {
        if (m_finished)
            return false;
        TDataSet &ds = *m_ds;
        // Between slices someone may have moved the data (a preview lets events run).
        if (ds.recNo() != m_recNo)
            ds.setRecNo(m_recNo);
        const int levels = m_r.groupCount();
        for (int n = 0; n < rows && !ds.eof(); ++n) {
            for (int g = 0; g < levels; ++g)
                m_keys[size_t(g)] = m_r.group(g).key(ds);
            int changed = m_firstRow ? 0 : -1;
            for (int g = 0; !m_firstRow && g < levels; ++g) {
                if (m_keys[size_t(g)] != m_previous[size_t(g)]) {
                    changed = g;
                    break;
                }
            }
            if (changed >= 0 && levels > 0) {
                if (!m_firstRow) {
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
            m_previous.swap(m_keys);
            m_firstRow = false;
            ds.next();
        }
        if (ds.eof()) {
            if (!m_firstRow && levels > 0) {
                ds.last();
                closeGroups(0);
            }
            finish();
            return false;
        }
        m_recNo = ds.recNo();
        return true;
    }

    bool finished() const { return m_finished; }
    int rowsDone() const { return m_ctx.recordCount; }
    int rowsTotal() const { return m_total; }
    int completePages() const { return m_finished ? m_out.pageCount() : m_out.pageCount() - 1; }
    const ReportLayout &layout() const { return m_out; }
    ReportLayout take()
    {
        m_finished = true;
        return std::move(m_out);
    }

private:
    void finish()
    {
        place(m_r.summary);
        endPage();
        m_finished = true;
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

    double footerHeight() const
    {
        const ReportBand &f = m_r.pageFooter;
        return f.visible ? f.height : 0.0;
    }

    void place(ReportBand &b, bool mayBreak = true)
    {
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
    TDataSet *m_ds = nullptr;
    TBookmark m_mark{};
    int m_total = 0;
    int m_recNo = 0;
    bool m_firstRow = true;
    bool m_finished = false;
    std::vector<QVariant> m_previous, m_keys;
    ReportLayout m_out;
    PrintContext m_ctx;
    std::vector<double> m_sums;
    double m_top = 0, m_bottom = 0, m_y = 0, m_bodyTop = 0;
};

LayoutBuilder::LayoutBuilder(Report &report) : d(std::make_unique<Impl>(report)) {}
LayoutBuilder::~LayoutBuilder() = default;
bool LayoutBuilder::step(int rows)
{
    return d->step(rows);
}
bool LayoutBuilder::finished() const
{
    return d->finished();
}
int LayoutBuilder::rowsDone() const
{
    return d->rowsDone();
}
int LayoutBuilder::rowsTotal() const
{
    return d->rowsTotal();
}
int LayoutBuilder::completePages() const
{
    return d->completePages();
}
const ReportLayout &LayoutBuilder::layout() const
{
    return d->layout();
}
ReportLayout LayoutBuilder::take()
{
    return d->take();
}

namespace {

// A long report measures the same notes in the same few cells over and over.
class WrappedHeights {
public:
    QHash<QString, double> &of(const QFont &font, double widthMm)
    {
        for (Cell &c : m_cells)
            if (c.widthMm == widthMm && c.font == font)
                return c.heights;
        if (m_cells.size() >= kMaxCells)
            m_cells.clear();
        m_cells.push_back({font, widthMm, {}});
        return m_cells.back().heights;
    }

    static constexpr qsizetype kMaxTexts = 20000;

private:
    struct Cell {
        QFont font;
        double widthMm;
        QHash<QString, double> heights;
    };
    static constexpr size_t kMaxCells = 16;
    std::vector<Cell> m_cells;
};

double measureWrapped(const QString &text, const QFont &font, double widthMm)
{
    const double pxPerMm = kMeasureDpi / 25.4;
    const QFontMetricsF fm(font, &measureDevice());
    const QRectF r =
        fm.boundingRect(QRectF(0, 0, widthMm * pxPerMm, 1e7), Qt::AlignLeft | Qt::TextWordWrap, text);
    return r.height() / pxPerMm;
}

}  // namespace

double wrappedTextHeight(const QString &text, const QFont &font, double widthMm)
{
    if (text.isEmpty())
        return 0.0;
    thread_local WrappedHeights cache;
    QHash<QString, double> &heights = cache.of(font, widthMm);
    const auto it = heights.constFind(text);
    if (it != heights.constEnd())
        return *it;
    if (heights.size() >= WrappedHeights::kMaxTexts)
        heights.clear();
    const double h = measureWrapped(text, font, widthMm);
    heights.insert(text, h);
    return h;
}

double textWidth(const QString &text, const QFont &font)
{
    const QFontMetricsF fm(font, &measureDevice());
    return fm.horizontalAdvance(text) / (kMeasureDpi / 25.4);
}

ReportLayout layoutReport(Report &report, int maxPages)
{
    LayoutBuilder b(report);
    while (!b.finished() && (maxPages <= 0 || b.completePages() < maxPages))
        b.step(50);
    ReportLayout out = b.take();
    if (maxPages > 0 && out.pageCount() > maxPages)
        out.pages.resize(size_t(maxPages));
    return out;
}

ReportLayout layoutReport(Report &report, const LayoutProgress &progress, bool *stopped)
{
    LayoutBuilder b(report);
    bool halted = false;
    while (!halted && b.step(250))
        halted = !progress(b.rowsDone(), b.rowsTotal());
    if (stopped)
        *stopped = halted;
    return b.take();
}

}  // namespace zorva::report
