// Delimited text of a dataset: a header line and one line per record, each
// ending with CR LF, in Windows-1250.
#pragma once

#include "dataset.h"

#include <QByteArray>
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

    // From the first record to the end.  Bound views are suspended meanwhile;
    // the dataset stays on the last row visited.
    QByteArray write(const Step &step = {});
    int recordsWritten() const { return m_records; }
    bool stopped() const { return m_stopped; }

    // The lines without their line end, for the current row.
    QString headerLine() const;
    QString recordLine() const;

private:
    enum class Kind { Plain, Memo, Binary };
    struct Column {
        TField *field;
        Kind kind;
    };
    void appendValue(QString &line, const Column &c) const;
    void appendRecord(QString &line) const;

    TDataSet &m_data;
    DelimitedOptions m_opt;
    std::vector<Column> m_columns;
    int m_records = 0;
    bool m_stopped = false;
};

}  // namespace zorva
