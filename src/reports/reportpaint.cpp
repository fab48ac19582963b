#include "reportpaint.h"

#include "pdfdeflate.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QLineF>
#include <QRawFont>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zorva::report {

namespace {

constexpr double kRuleWidthMm = 0.2;

// One line of text shaped for one paint device, kept for the next cell with the
// same text and font: a long report repeats its dates, names and amounts on
// every page, and shaping is most of what painting a cell costs.
struct ShapedLine {
    QList<QGlyphRun> runs;
    double width = 0;
    double height = 0;  // of all the lines of a wrapped block
};

class ShapedTextCache {
public:
    explicit ShapedTextCache(QPaintDevice *device) : m_device(device) {}

    const ShapedLine &line(const QString &text, const QFont &font)
    {
        const QString key = fontKey(font) + text;
        auto it = m_lines.find(key);
        if (it != m_lines.end())
            return *it;
        if (m_lines.size() > kMaxLines)
            m_lines.clear();
        ShapedLine shaped;
        QTextLayout layout(text, font, m_device);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine l = layout.createLine();
        layout.endLayout();
        if (l.isValid()) {
            shaped.runs = layout.glyphRuns();
            shaped.width = l.naturalTextWidth();
        }
        return *m_lines.insert(key, std::move(shaped));
    }

    // A note wrapped into a cell `width` device units wide, laid out line by line
    // as QPainter::drawText lays out a top-left aligned text: each line after the
    // font's leading, moved down to a whole unit.  `width` and `height` are what
    // the lines take, so a caller can tell whether drawText would clip them.
    const ShapedLine &block(const QString &text, const QFont &font, double width, Qt::LayoutDirection direction)
    {
        const QString key = fontKey(font) + QString::number(width, 'g', 17) + QChar(1) +
                            QChar(ushort(direction)) + text;
        auto it = m_blocks.find(key);
        if (it != m_blocks.end())
            return *it;
        if (m_blocks.size() > kMaxLines)
            m_blocks.clear();
        ShapedLine shaped;
        const QFontMetricsF fm(font, m_device);
        QTextLayout layout(text, font, m_device);
        QTextOption option;
        option.setTextDirection(direction);
        option.setAlignment(Qt::AlignLeft);
        layout.setTextOption(option);
        const double leading = fm.leading();
        double h = -leading;
        double w = 0;
        layout.beginLayout();
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(std::max(0.0, width));
            h += leading;
            h = std::ceil(h);
            l.setPosition(QPointF(0., h));
            h += l.ascent() + l.descent();
            w = std::max(w, l.naturalTextWidth());
        }
        layout.endLayout();
        shaped.runs = layout.glyphRuns();
        shaped.width = w;
        shaped.height = h;
        return *m_blocks.insert(key, std::move(shaped));
    }

private:
    // A report uses a handful of fonts: their keys are looked up, not rebuilt per cell.
    const QString &fontKey(const QFont &font)
    {
        for (const auto &[f, key] : m_fontKeys)
            if (f == font)
                return key;
        m_fontKeys.emplace_back(font, font.key() + QChar(0));
        return m_fontKeys.back().second;
    }

    static constexpr qsizetype kMaxLines = 20000;
    QHash<QString, ShapedLine> m_blocks;
    QPaintDevice *m_device;
    std::vector<std::pair<QFont, QString>> m_fontKeys;
    QHash<QString, ShapedLine> m_lines;
};

// Wrapped text that drawText would lay out as plain lines: left aligned, without
// line breaks, tabs or decorations of its own.
bool cacheableWrapped(const LaidItem &it)
{
    if (!(it.flags & Qt::TextWordWrap) || (it.flags & Qt::TextSingleLine) ||
        (it.flags & (Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify | Qt::AlignBottom | Qt::AlignVCenter)))
        return false;
    if (it.font.underline() || it.font.strikeOut() || it.font.overline())
        return false;
    for (const QChar c : it.text)
        if (c == QChar::LineFeed || c == QChar::CarriageReturn || c == QChar::LineSeparator ||
            c == QChar::Tabulation || c == QChar::ParagraphSeparator || c == u'&' || c.unicode() == 0x9c)
            return false;
    return true;
}

// Single-line text without line breaks is drawn from the cache.
bool cacheable(const LaidItem &it)
{
    if (!(it.flags & Qt::TextSingleLine) || (it.flags & Qt::TextWordWrap))
        return false;
    for (const QChar c : it.text)
        if (c == QChar::LineFeed || c == QChar::CarriageReturn || c == QChar::LineSeparator ||
            c == QChar::Tabulation)
            return false;
    return true;
}

QRectF toDevice(const QRectF &mm, double dotsPerMm)
{
    return QRectF(mm.x() * dotsPerMm, mm.y() * dotsPerMm, mm.width() * dotsPerMm, mm.height() * dotsPerMm);
}

QPen rulePen(const QColor &color, double dotsPerMm)
{
    QPen pen(color);
    pen.setWidthF(kRuleWidthMm * dotsPerMm);
    return pen;
}

void paintItems(QPainter &p, const LaidPage &page, double dotsPerMm)
{
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const LaidItem &it : page.items) {
        const QRectF r = toDevice(it.rect, dotsPerMm);
        if (it.kind == LaidItem::Kind::Line) {
            p.setPen(rulePen(it.color, dotsPerMm));
            p.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
            continue;
        }
        p.setPen(it.color);
        p.setFont(it.font);
        p.drawText(r, it.flags, it.text);
    }
    p.restore();
}

// A page for a printer or a PDF file: the single-line cells come from the cache,
// and everything of one kind is handed over at once (the cells of one font and
// colour as one glyph run, the rules of one colour as one set of lines): a PDF
// engine writes its state and text object around every call, and a report page
// has hundreds of cells in two or three fonts.  Nothing on a page overlaps, so
// the order the pieces are drawn in does not show.
class PageBatch {
public:
    void addRun(const QGlyphRun &run, const QPointF &origin, const QColor &color)
    {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        if (glyphs.isEmpty())
            return;
        TextGroup &g = textGroup(run, color);
        const qsizetype n = std::min(glyphs.size(), positions.size());
        // Whole device dots (1/1200 inch on a PDF): the engine writes every glyph's
        // offset from the one before as a number, and a whole one is a few
        // characters where a fraction takes ten, for the writer and the packer.
        for (qsizetype i = 0; i < n; ++i) {
            const QPointF at = origin + positions[i];
            g.glyphs.push_back(glyphs[i]);
            g.positions.push_back(QPointF(std::round(at.x()), std::round(at.y())));
        }
    }

    void addLine(const QLineF &line, const QColor &color)
    {
        for (LineGroup &g : m_lines) {
            if (g.color == color) {
                g.lines.push_back(line);
                return;
            }
        }
        m_lines.push_back({color, {line}});
    }

    void paint(QPainter &p, double dotsPerMm)
    {
        for (LineGroup &g : m_lines) {
            p.setPen(rulePen(g.color, dotsPerMm));
            p.drawLines(g.lines.data(), int(g.lines.size()));
        }
        for (TextGroup &g : m_text) {
            p.setPen(g.color);
            QGlyphRun run;
            run.setRawFont(g.font);
            run.setFlags(g.flags);
            run.setGlyphIndexes(g.glyphs);
            run.setPositions(g.positions);
            p.drawGlyphRun(QPointF(0, 0), run);
        }
        m_lines.clear();
        m_text.clear();
    }

private:
    struct TextGroup {
        QRawFont font;
        QGlyphRun::GlyphRunFlags flags;
        QColor color;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    struct LineGroup {
        QColor color;
        std::vector<QLineF> lines;
    };

    TextGroup &textGroup(const QGlyphRun &run, const QColor &color)
    {
        const QRawFont font = run.rawFont();
        for (TextGroup &g : m_text)
            if (g.color == color && g.flags == run.flags() && g.font == font)
                return g;
        m_text.push_back({font, run.flags(), color, {}, {}});
        return m_text.back();
    }

    std::vector<TextGroup> m_text;
    std::vector<LineGroup> m_lines;
};

void paintCachedItems(QPainter &p, const LaidPage &page, double dotsPerMm, ShapedTextCache &cache,
                      PageBatch &batch)
{
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const LaidItem &it : page.items) {
        const QRectF r = toDevice(it.rect, dotsPerMm);
        if (it.kind == LaidItem::Kind::Line) {
            batch.addLine(QLineF(r.left(), r.top(), r.right(), r.top()), it.color);
            continue;
        }
        if (cacheableWrapped(it)) {
            // Lines that fit the cell: drawText would draw them unclipped just here.
            const ShapedLine &block = cache.block(it.text, it.font, r.width(), p.layoutDirection());
            if (r.contains(QRectF(r.x(), r.y(), block.width, block.height))) {
                for (const QGlyphRun &run : block.runs)
                    batch.addRun(run, r.topLeft(), it.color);
                continue;
            }
        }
        if (!cacheable(it)) {
            p.setPen(it.color);
            p.setFont(it.font);
            p.drawText(r, it.flags, it.text);
            continue;
        }
        // Placed as drawText places one line: from the top, aligned in the cell's width.
        const ShapedLine &line = cache.line(it.text, it.font);
        double x = r.left();
        if (it.flags & Qt::AlignRight)
            x = r.right() - line.width;
        else if (it.flags & Qt::AlignHCenter)
            x = r.left() + (r.width() - line.width) / 2;
        for (const QGlyphRun &run : line.runs)
            batch.addRun(run, QPointF(x, r.top()), it.color);
    }
    batch.paint(p, dotsPerMm);
    p.restore();
}

void paintAll(QPainter &p, QPagedPaintDevice &device, const ReportLayout &layout)
{
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    ShapedTextCache cache(&device);
    PageBatch batch;
    for (int i = 0; i < layout.pageCount(); ++i) {
        if (i > 0)
            device.newPage();
        paintCachedItems(p, layout.pages[size_t(i)], dotsPerMm, cache, batch);
    }
}

}  // namespace

void paintPage(QPainter &p, const LaidPage &page, double dotsPerMm)
{
    paintItems(p, page, dotsPerMm);
}

void preparePrinter(QPrinter &printer, const ReportLayout &layout)
{
    printer.setFullPage(true);
    printer.setPageLayout(layout.pageLayout);
    printer.setDocName(layout.title);
    printer.setCopyCount(1);
}

bool printLayout(const ReportLayout &layout, QPrinter &printer, QString *error)
{
    const FastPdfDeflate fast;  // the print job goes out as PDF on Linux
    QPainter p;
    if (!p.begin(&printer)) {
        if (error)
            *error = QStringLiteral("A nyomtató nem indítható el.");
        return false;
    }
    paintAll(p, printer, layout);
    return p.end();
}

bool writePdf(const ReportLayout &layout, const QString &fileName, QString *error)
{
    const FastPdfDeflate fast;
    QPdfWriter writer(fileName);
    writer.setPageLayout(layout.pageLayout);
    writer.setTitle(layout.title);
    writer.setCreator(QStringLiteral("Zorva"));
    QPainter p;
    if (!p.begin(&writer)) {
        if (error)
            *error = QStringLiteral("A(z) %1 fájl nem írható.").arg(QFileInfo(fileName).absoluteFilePath());
        return false;
    }
    paintAll(p, writer, layout);
    if (!p.end()) {
        if (error)
            *error = QStringLiteral("A(z) %1 fájl írása nem sikerült.")
                         .arg(QFileInfo(fileName).absoluteFilePath());
        return false;
    }
    return true;
}

QImage renderPageImage(const ReportLayout &layout, int pageIndex, int dpi)
{
    const QSizeF mm = layout.pageLayout.fullRect(QPageLayout::Millimeter).size();
    const double dotsPerMm = dpi / 25.4;
    QImage img(QSize(int(mm.width() * dotsPerMm + 0.5), int(mm.height() * dotsPerMm + 0.5)),
               QImage::Format_RGB32);
    const int dpm = int(dpi / 0.0254 + 0.5);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    img.fill(Qt::white);
    if (pageIndex >= 0 && pageIndex < layout.pageCount()) {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        paintPage(p, layout.pages[size_t(pageIndex)], dotsPerMm);
    }
    return img;
}

}  // namespace zorva::report
