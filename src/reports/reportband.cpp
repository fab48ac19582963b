#include "reportband.h"

namespace zorva::report {

QFont reportFont(const QString &family, double points, bool bold, bool italic)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    // No ligatures: "fi" stays two letters, so the text of a PDF can be searched and copied.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

ReportElement &ReportBand::addText(const QRectF &rect, const QString &text, const QFont &font,
                                   Qt::Alignment alignment)
{
    ReportElement &e = m_elements.emplace_back();
    e.rect = rect;
    e.text = text;
    e.font = font;
    e.alignment = alignment;
    return e;
}

ReportElement &ReportBand::addValue(const QRectF &rect, TextSource source, const QFont &font,
                                    Qt::Alignment alignment)
{
    ReportElement &e = addText(rect, QString(), font, alignment);
    e.source = std::move(source);
    return e;
}

ReportElement &ReportBand::addField(const QRectF &rect, const QString &fieldName, const QFont &font,
                                    Qt::Alignment alignment)
{
    auto lookup = [fieldName](const PrintContext &ctx) {
        return ctx.data ? ctx.data->fieldByName(fieldName).displayText() : QString();
    };
    ReportElement &e = addValue(rect, std::move(lookup), font, alignment);
    e.name = fieldName;
    return e;
}

ReportElement &ReportBand::addBox(const QRectF &rect, const QColor &color)
{
    ReportElement &e = m_elements.emplace_back();
    e.kind = ReportElement::Kind::Box;
    e.rect = rect;
    e.color = color;
    return e;
}

ReportElement *ReportBand::element(const QString &name)
{
    for (ReportElement &e : m_elements) {
        if (e.name == name)
            return &e;
    }
    return nullptr;
}

}  // namespace zorva::report
