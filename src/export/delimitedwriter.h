// Delimited text of a dataset: a header line and one line per record, each
// ending with CR LF, in Windows-1250.
#pragma once

#include "valuetext.h"
#include "db/dataset.h"

#include <QByteArray>
#include <QIODevice>
#include <QLocale>
#include <QStringList>

#include <functional>

namespace zorva {

struct DelimitedOptions {
    QChar delimiter = QLatin1Char(';');
    QString qualifier;           // written around every value: "\"", "'" or nothing
    bool writeMemos = true;      // long text fields as text (else "BLOB")
    bool useFieldNames = false;  // header of field names (else display labels)
    bool noHeader = false;       // the first line stays empty
    QStringList fields;          // the fields to write, written in the dataset's order
    QLocale locale;              // decimal separator and short date format of values
};

class DelimitedWriter {
public:
    // Called before each record with its number (from 1); returning false stops
    // the export, keeping the lines built so far.
    using Step = std::function<bool(int recordNo)>;

    DelimitedWriter(TDataSet &data, DelimitedOptions options);

    // From the first record to the end, into `out` (ExportError when it refuses).
    // Bound views are suspended meanwhile; the dataset stays on the last row visited.
    void write(QIODevice &out, const Step &step = {});
    // The text in memory.
    QByteArray write(const Step &step = {});
    int recordsWritten() const { return m_records; }
    bool stopped() const { return m_stopped; }

    // The header line without its line end.
    QString headerLine() const;

private:
    enum class Kind { Integer, Number, Date, Text, Memo, Binary, Other };
    struct Column {
        TField *field;
        Kind kind;
    };
    void appendText(QByteArray &out, const QString &text, bool memo) const;
    void appendValue(QByteArray &out, const Column &c) const;

    TDataSet &m_data;
    DelimitedOptions m_opt;
    PlainValueFormatter m_format;
    QByteArray m_delimiter, m_qualifier;  // in Windows-1250
    std::vector<Column> m_columns;
    int m_records = 0;
    bool m_stopped = false;
};

}  // namespace zorva
