#include "delimitedwriter.h"

#include "blockwriter.h"

#include "valuetext.h"
#include "core/cp1250.h"
#include "core/sqltext.h"

#include <QBuffer>

namespace zorva {

DelimitedWriter::DelimitedWriter(TDataSet &data, DelimitedOptions options)
    : m_data(data),
      m_opt(std::move(options)),
      m_format(m_opt.locale),
      m_delimiter(toCp1250(QStringView(&m_opt.delimiter, 1))),
      m_qualifier(toCp1250(m_opt.qualifier))
{
    for (int i = 0; i < m_data.fieldCount(); ++i) {
        TField &f = m_data.fields(i);
        bool ticked = false;
        for (const QString &name : m_opt.fields) {
            if (name.compare(f.fieldName(), Qt::CaseInsensitive) == 0) {
                ticked = true;
                break;
            }
        }
        if (!ticked)
            continue;
        Kind kind = Kind::Other;
        switch (f.dataType()) {
            case TFieldType::ftSmallint:
            case TFieldType::ftInteger:
            case TFieldType::ftLargeint:
            case TFieldType::ftAutoInc:
                kind = Kind::Integer;
                break;
            case TFieldType::ftFloat:
            case TFieldType::ftBCD:
                kind = Kind::Number;
                break;
            case TFieldType::ftDate:
                kind = Kind::Date;
                break;
            case TFieldType::ftString:
                kind = Kind::Text;
                break;
            case TFieldType::ftMemo:
                kind = Kind::Memo;
                break;
            case TFieldType::ftBlob:
                kind = Kind::Binary;
                break;
            default:
                break;
        }
        m_columns.push_back({&f, kind});
    }
}

QString DelimitedWriter::headerLine() const
{
    QString line;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (i > 0)
            line += m_opt.delimiter;
        const TField &f = *m_columns[i].field;
        line += m_opt.qualifier;
        line += m_opt.useFieldNames ? f.fieldName() : f.displayLabel();
        line += m_opt.qualifier;
    }
    return line;
}

void DelimitedWriter::appendText(QByteArray &out, const QString &text, bool memo) const
{
    // Escaping (CsvEscape) only when there is something to escape.
    bool plain = true;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'\r' || u == u'\n' || (memo && c == m_opt.delimiter)) {
            plain = false;
            break;
        }
    }
    if (plain) {
        appendCp1250(out, text);
        return;
    }
    QString escaped = CsvEscape(text);
    if (memo)
        escaped.replace(m_opt.delimiter, QLatin1Char(','));
    appendCp1250(out, escaped);
}

void DelimitedWriter::appendValue(QByteArray &out, const Column &c) const
{
    out += m_qualifier;
    const TField &f = *c.field;
    switch (c.kind) {
        case Kind::Integer:
            if (!f.isNull())
                m_format.appendInteger(out, f.asLargeInt());
            break;
        case Kind::Number:
            if (!f.isNull())
                m_format.appendNumber(out, f.asFloat());
            break;
        case Kind::Date:
            if (!f.isNull())
                m_format.appendDate(out, f.asDate());
            break;
        case Kind::Text:
            appendText(out, f.asString(), false);
            break;
        case Kind::Memo:
            if (m_opt.writeMemos)
                appendText(out, f.asString(), true);
            else
                out += "BLOB";
            break;
        case Kind::Binary:
            out += "BLOB";
            break;
        case Kind::Other:
            appendText(out, m_format.text(f), false);
            break;
    }
    out += m_qualifier;
}

QByteArray DelimitedWriter::write(const Step &step)
{
    QByteArray text;
    QBuffer device(&text);
    device.open(QIODevice::WriteOnly);
    write(device, step);
    return text;
}

void DelimitedWriter::write(QIODevice &device, const Step &step)
{
    m_records = 0;
    m_stopped = false;
    BlockWriter block(device);
    QByteArray &out = block.buffer();
    m_data.first();
    m_data.disableControls();
    struct Resume {
        TDataSet &ds;
        ~Resume() { ds.enableControls(); }
    } resume{m_data};

    if (!m_opt.noHeader)
        appendCp1250(out, headerLine());
    out.append("\r\n", 2);

    while (!m_data.eof()) {
        if (step && !step(m_records + 1)) {
            m_stopped = true;
            break;
        }
        for (size_t i = 0; i < m_columns.size(); ++i) {
            if (i > 0)
                out += m_delimiter;
            appendValue(out, m_columns[i]);
        }
        out.append("\r\n", 2);
        block.flushIfFull();
        ++m_records;
        m_data.next();
    }
    block.flush();
}

}  // namespace zorva
