#include "delimitedwriter.h"

#include "sqltext.h"
#include "valuetext.h"
#include "windows1250.h"

namespace zorva {

DelimitedWriter::DelimitedWriter(TDataSet &data, DelimitedOptions options)
    : m_data(data), m_opt(std::move(options))
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
        const Kind kind = f.dataType() == TFieldType::ftMemo   ? Kind::Memo
                          : f.dataType() == TFieldType::ftBlob ? Kind::Binary
                                                               : Kind::Plain;
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

void DelimitedWriter::appendValue(QString &line, const Column &c) const
{
    line += m_opt.qualifier;
    switch (c.kind) {
        case Kind::Plain:
            line += CsvEscape(plainValueText(*c.field, m_opt.locale));
            break;
        case Kind::Memo:
            if (m_opt.writeMemos) {
                QString text = CsvEscape(c.field->asString());
                text.replace(m_opt.delimiter, QLatin1Char(','));
                line += text;
            } else {
                line += QLatin1String("BLOB");
            }
            break;
        case Kind::Binary:
            line += QLatin1String("BLOB");
            break;
    }
    line += m_opt.qualifier;
}

void DelimitedWriter::appendRecord(QString &line) const
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (i > 0)
            line += m_opt.delimiter;
        appendValue(line, m_columns[i]);
    }
}

QString DelimitedWriter::recordLine() const
{
    QString line;
    appendRecord(line);
    return line;
}

QByteArray DelimitedWriter::write(const Step &step)
{
    m_records = 0;
    m_stopped = false;
    QByteArray out;
    m_data.first();
    m_data.disableControls();
    struct Resume {
        TDataSet &ds;
        ~Resume() { ds.enableControls(); }
    } resume{m_data};

    if (!m_opt.noHeader)
        appendWindows1250(out, headerLine());
    out.append("\r\n", 2);
    out.reserve(out.size() + qsizetype(m_data.recordCount()) * 16 * qsizetype(m_columns.size() + 1));

    QString line;
    while (!m_data.eof()) {
        if (step && !step(m_records + 1)) {
            m_stopped = true;
            break;
        }
        line.clear();
        appendRecord(line);
        appendWindows1250(out, line);
        out.append("\r\n", 2);
        ++m_records;
        m_data.next();
    }
    return out;
}

}  // namespace zorva
