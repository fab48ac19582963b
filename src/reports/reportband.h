// Bands and the cells printed on them.  Positions and sizes are millimetres
// from the band's top-left corner.
#pragma once

#include "db/dataset.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QRectF>
#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace zorva::report {

enum class BandKind { PageHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };

// What a cell may look at while its band is printed.
struct PrintContext {
    TDataSet *data = nullptr;  // on the band's row: the current row for detail and group
                               // headers, the group's last row for group footers
    int page = 0;              // 1 for the first page
    QDateTime printedAt;
    int recordCount = 0;  // detail rows printed so far
    const std::vector<double> *sums = nullptr;

    double sum(int id) const { return sums && id >= 0 && size_t(id) < sums->size() ? (*sums)[id] : 0.0; }
};

using TextSource = std::function<QString(const PrintContext &)>;
using ColorSource = std::function<QColor(const PrintContext &)>;

// A font of the printed page: family, size in points, bold, italic.
QFont reportFont(const QString &family, double points, bool bold = false, bool italic = false);

struct ReportElement {
    enum class Kind {
        Text,  // a label, a field or a computed value
        Box,   // a header box: only its top and bottom edges are drawn
    };
    Kind kind = Kind::Text;
    QString name;  // to find the cell again, e.g. in a band's beforePrint
    QRectF rect;
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    QColor color = Qt::black;
    bool wordWrap = false;
    bool grows = false;  // the band grows downwards when the wrapped text needs more room
    bool visible = true;
    QString text;  // printed when there is no source
    TextSource source;
    ColorSource colorSource;

    QString textFor(const PrintContext &ctx) const { return source ? source(ctx) : text; }
    QColor colorFor(const PrintContext &ctx) const { return colorSource ? colorSource(ctx) : color; }
};

class ReportBand {
public:
    explicit ReportBand(BandKind kind, double designHeight = 0.0) : height(designHeight), m_kind(kind) {}

    BandKind kind() const { return m_kind; }

    double height;  // design height; grows with wrapped text
    bool visible = true;
    bool newPageBefore = false;     // starts on a new page unless the page has nothing below its header yet
    std::optional<QColor> topRule;  // thin rule along the top edge
    std::optional<QColor> bottomRule;  // and along the bottom edge
    // Called just before the band is laid out; may change heights, cells, visibility.
    std::function<void(ReportBand &, const PrintContext &)> beforePrint;

    ReportElement &addText(const QRectF &rect, const QString &text, const QFont &font,
                           Qt::Alignment alignment = Qt::AlignLeft);
    ReportElement &addValue(const QRectF &rect, TextSource source, const QFont &font,
                            Qt::Alignment alignment = Qt::AlignLeft);
    // The field's display text on the current row.
    ReportElement &addField(const QRectF &rect, const QString &fieldName, const QFont &font,
                            Qt::Alignment alignment = Qt::AlignLeft);
    ReportElement &addBox(const QRectF &rect, const QColor &color = Qt::black);

    std::deque<ReportElement> &elements() { return m_elements; }
    const std::deque<ReportElement> &elements() const { return m_elements; }
    ReportElement *element(const QString &name);
    bool isEmpty() const { return height <= 0.0 && m_elements.empty(); }

private:
    BandKind m_kind;
    std::deque<ReportElement> m_elements;  // stable addresses
};

}  // namespace zorva::report
