#include "htmlpage.h"

#include "blockwriter.h"

#include "valuetext.h"
#include "core/cp1250.h"
#include "core/numberformat.h"

#include <QBuffer>

#include <algorithm>
#include <optional>

#include <vector>

namespace zorva {

namespace {

constexpr int kMaxSumFields = 50;

QString cat(std::initializer_list<QStringView> parts)
{
    qsizetype n = 0;
    for (QStringView p : parts)
        n += p.size();
    QString out;
    out.reserve(n);
    for (QStringView p : parts)
        out += p;
    return out;
}

QString alignPrefix(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return QStringLiteral("<p align=\"right\">");
    if (a & Qt::AlignHCenter)
        return QStringLiteral("<p align=\"center\">");
    return QString();
}

// Restores the current row and the bound views whatever happens during the walk.
class WalkGuard {
public:
    explicit WalkGuard(TDataSet &ds) : m_ds(ds), m_mark(ds.bookmark()) { ds.disableControls(); }
    ~WalkGuard()
    {
        if (m_ds.isActive() && m_mark != InvalidBookmark && m_ds.bookmarkValid(m_mark))
            m_ds.gotoBookmark(m_mark);
        m_ds.freeBookmark(m_mark);
        m_ds.enableControls();
    }
    WalkGuard(const WalkGuard &) = delete;
    WalkGuard &operator=(const WalkGuard &) = delete;

private:
    TDataSet &m_ds;
    TBookmark m_mark;
};

}  // namespace

QStringList parseSumFields(const QString &text)
{
    QStringList names;
    for (const QString &part : text.split(QLatin1Char(';'))) {
        if (part.isEmpty())
            continue;
        if (names.size() == kMaxSumFields)
            break;
        names.append(part);
    }
    return names;
}

struct HtmlPageWriter::Cell {
    const ExportColumn *column = nullptr;
    TField *field = nullptr;
    QString widthAttr;    // `<td width="W%"`
    QString prefix;       // alignment prefix
    int sumIndex = -1;    // -1: not a sum field
    QByteArray dataOpen;  // everything before a data cell's text, in Windows-1250
    // A number with a display format is formatted here by the prepared format (what
    // displayText() does, without looking the format up per value); a date's text is
    // kept per day, as a list has few distinct days.
    std::optional<PreparedNumberFormat> number;
    bool isDate = false;
    DayTexts dates;
};

// The cell's display text in Windows-1250, as TField::displayText() gives it.
void HtmlPageWriter::appendDisplayText(QByteArray &out, Cell &cell, const Separators &sep)
{
    TField &f = *cell.field;
    if (cell.number) {
        if (f.isNull())
            return;
        m_scratch.resize(0);
        cell.number->appendTo(m_scratch, f.asFloat(), sep.decimal, sep.group);
        appendCp1250(out, m_scratch);
        return;
    }
    if (cell.isDate) {
        const QDate d = f.asDate();
        if (d.isValid()) {
            cell.dates.append(out, d.toJulianDay(), [&f] { return toCp1250(f.displayText()); });
            return;
        }
    }
    appendCp1250(out, htmlText(f.displayText()));
}

QString htmlText(const QString &text)
{
    // Most texts hold none of the characters: no copy for them.
    const auto special = [](QChar c) {
        return c == QLatin1Char('&') || c == QLatin1Char('<') || c == QLatin1Char('>') ||
               c == QLatin1Char('"');
    };
    if (std::none_of(text.begin(), text.end(), special))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        switch (c.unicode()) {
            case '&':
                out += QLatin1String("&amp;");
                break;
            case '<':
                out += QLatin1String("&lt;");
                break;
            case '>':
                out += QLatin1String("&gt;");
                break;
            case '"':
                out += QLatin1String("&quot;");
                break;
            default:
                out += c;
        }
    }
    return out;
}

HtmlPageWriter::HtmlPageWriter(HtmlPageSetup setup) : m_setup(std::move(setup)) {}

QByteArray &HtmlPageWriter::buf()
{
    return m_out->buffer();
}

void HtmlPageWriter::line(QStringView text)
{
    appendCp1250(buf(), text);
    buf().append("\r\n", 2);
}

QString HtmlPageWriter::widthAttr(const ExportColumn &c) const
{
    qint64 percent = 0;
    if (c.visible && m_setup.gridWidth > 0)
        percent = roundRatioHalfEven(qint64(c.width) * 100, m_setup.gridWidth);
    return QStringLiteral("    <td width=\"") + QString::number(percent) + QStringLiteral("%\"");
}

QByteArray HtmlPageWriter::write(TDataSet &data, const Progress &progress)
{
    QByteArray page;
    QBuffer device(&page);
    device.open(QIODevice::WriteOnly);
    write(data, device, progress);
    return page;
}

void HtmlPageWriter::write(TDataSet &data, QIODevice &device, const Progress &progress)
{
    BlockWriter block(device);
    m_out = &block;
    struct Reset {
        BlockWriter *&p;
        ~Reset() { p = nullptr; }
    } reset{m_out};
    m_records = 0;

    std::vector<Cell> cells;
    for (const ExportColumn &c : m_setup.columns) {
        if (c.fieldName.isEmpty())
            continue;
        int sumIndex = -1;
        for (int i = 0; i < m_setup.sumFields.size(); ++i) {
            if (m_setup.sumFields.at(i).compare(c.fieldName, Qt::CaseInsensitive) == 0) {
                sumIndex = i;
                break;
            }
        }
        Cell &cell = cells.emplace_back();
        cell.column = &c;
        cell.field = &data.fieldByName(c.fieldName);
        cell.widthAttr = widthAttr(c);
        cell.prefix = alignPrefix(c.alignment);
        cell.sumIndex = sumIndex;
        cell.dataOpen = toCp1250(cat({cell.widthAttr, u"><font face=\"Verdana\" size=\"1\">", cell.prefix}));
        const TFieldType type = cell.field->dataType();
        if (isNumericType(type) && !cell.field->displayFormat().isEmpty())
            cell.number.emplace(cell.field->displayFormat());
        cell.isDate = type == TFieldType::ftDate;
    }
    // The default locale's separators, as displayText() formats numbers with them.
    const QLocale locale;
    const QString decimalPoint = locale.decimalPoint();
    const QString groupSeparator = locale.groupSeparator();
    const Separators sep{decimalPoint.isEmpty() ? QLatin1Char('.') : decimalPoint.at(0),
                         groupSeparator.isEmpty() ? QLatin1Char(' ') : groupSeparator.at(0)};
    std::vector<double> totals(m_setup.sumFields.size(), 0.0);

    const QString title = htmlText(m_setup.title);
    line(u"<html>");
    line(u"");
    line(u"<head>");
    line(u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">");
    line(cat({u"<title>", title, u"</title>"}));
    line(u"<meta name=\"GENERATOR\" content=\"Velmo Bt. Grid2Html\">");
    line(u"</head>");
    line(u"");
    line(u"<body>");
    line(cat({u"<p><strong><font face=\"Verdana\" size=\"2\">", title, u"</font></strong></p>"}));
    line(cat({u"<p><strong><font face=\"Verdana\" size=\"1\">", htmlText(m_setup.subtitle),
              u"</font></strong></p>"}));
    line(u"<div align=\"center\"><center>");
    line(u"");
    line(u"<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\" width=\"90%\">");

    const QString headOpen =
        QStringLiteral(" bgcolor=\"#C0C0C0\"><font face=\"Verdana\" size=\"1\"><strong>");
    const QString headClose = QStringLiteral("</strong></font></td>");
    line(u"  <tr>");
    for (const Cell &cell : cells)
        line(cat({cell.widthAttr, headOpen, cell.prefix, htmlText(cell.column->title), headClose}));
    line(u"  </tr>");

    {
        WalkGuard guard(data);
        data.first();
        while (!data.eof()) {
            ++m_records;
            if (progress && m_records % 10 == 0)
                progress(m_records);
            QByteArray &out = buf();
            out.append("  <tr>\r\n");
            for (Cell &cell : cells) {
                if (cell.sumIndex >= 0 && !cell.field->isNull())
                    totals[cell.sumIndex] += cell.field->asFloat();
                out.append(cell.dataOpen);
                appendDisplayText(out, cell, sep);
                out.append("</font></td>\r\n");
            }
            out.append("  </tr>\r\n");
            block.flushIfFull();
            data.next();
        }
    }

    if (!m_setup.sumFields.isEmpty()) {
        line(u"  <tr>");
        for (const Cell &cell : cells) {
            QString total;
            if (cell.sumIndex >= 0) {
                const double v = totals[cell.sumIndex];
                total = isNumericType(cell.field->dataType()) ? FormatFloat(cell.field->displayFormat(), v)
                                                              : generalNumberText(v);
            }
            line(cat({cell.widthAttr, headOpen, cell.prefix, total, headClose}));
        }
        line(u"  </tr>");
    }

    line(u"</table>");
    line(u"</center></div>");
    line(u"");
    if (m_setup.withRowCount) {
        line(cat({u"<p><font face=\"Verdana\" size=\"1\">Összesen ", QString::number(m_records),
                  u" sor.</font></p>"}));
        line(u"");
    }
    line(cat({u"<p><font face=\"Verdana\" size=\"1\">",
              FormatDateTime(QStringLiteral("yyyy.mm.dd hh:nn:ss"), m_setup.exportedAt), u"</font></p>"}));
    line(u"");
    line(cat({u"<p><font face=\"Courier New\" size=\"1\">", m_setup.applicationTitle, u"</font></p>"}));
    line(u"");
    line(u"</body>");
    line(u"</html>");
    block.flush();
}

}  // namespace zorva
