// The HTML page of a list: title, subtitle, a bordered table of the rows and
// an optional sum row, in Windows-1250 with CR LF line ends.
#pragma once

#include "exportcolumn.h"
#include "db/dataset.h"

#include <QByteArray>
#include <QDateTime>
#include <QIODevice>
#include <QStringList>

#include <functional>

namespace zorva {

struct HtmlPageSetup {
    QString title;
    QString subtitle;
    QString applicationTitle;  // last line of the page
    QDateTime exportedAt;      // "yyyy.mm.dd hh:mm:ss" on the page
    ExportColumns columns;     // grid order; columns without a field are skipped
    int gridWidth = 100;       // a column's percent is width / gridWidth * 100
    QStringList sumFields;     // names of the fields totalled in the sum row; empty: no sum row
    bool withRowCount = true;  // the "Összesen N sor." line and the empty line after it
};

// A text as HTML shows it: "&", "<", ">" and '"' written as character references.
QString htmlText(const QString &text);

// Splits "a;b;;c" into at most 50 names, empty ones skipped.
QStringList parseSumFields(const QString &text);

class HtmlPageWriter {
public:
    // Called at every 10th record with the record number; the dialog moves its
    // progress bar there and lets pending events run.
    using Progress = std::function<void(int recordNo)>;

    explicit HtmlPageWriter(HtmlPageSetup setup);

    // Walks the dataset from its first row to the end and writes the page to
    // `out` (raising ExportError when it refuses).  The current row is the same
    // afterwards; bound views are suspended meanwhile.
    void write(TDataSet &data, QIODevice &out, const Progress &progress = {});
    // The page in memory.
    QByteArray write(TDataSet &data, const Progress &progress = {});
    int recordsWritten() const { return m_records; }

private:
    struct Cell;
    struct Separators {
        QChar decimal;
        QChar group;
    };
    void line(QStringView text);
    void appendDisplayText(QByteArray &out, Cell &cell, const Separators &sep);
    QByteArray &buf();
    QString widthAttr(const ExportColumn &c) const;

    HtmlPageSetup m_setup;
    class BlockWriter *m_out = nullptr;
    int m_records = 0;
    QString m_scratch;  // a formatted number before encoding
};

}  // namespace zorva
