// The dataset walker the spreadsheet writer is built on: it checks the
// dataset, builds the export columns from its fields, and visits every record.
#pragma once

#include "db/dataset.h"

#include <QIODevice>
#include <QList>
#include <QString>
#include <Qt>

#include <functional>

// Kind of cell a column is written as.
enum TxlCellType { xlInteger = 1, xlNumber = 2, xlText = 3, xlBoolean = 4 };

struct TxlColumn {
    QString fieldName;
    bool exported = true;
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
    int width = 0;
    TxlCellType cellType = xlText;
    TField *field = nullptr;  // set while an export runs
};

struct TExportFont {
    QString name = QStringLiteral("Arial");
    int size = 10;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

struct TExportBand {
    TExportFont font;
};

class TDataExport {
public:
    explicit TDataExport(TDataSet *data = nullptr);
    virtual ~TDataExport();
    TDataExport(const TDataExport &) = delete;
    TDataExport &operator=(const TDataExport &) = delete;

    TDataSet *dataSet() const { return m_data; }
    void setDataSet(TDataSet *data) { m_data = data; }

    // Decides, beside the field's own visibility, whether a field is written.
    std::function<bool(const TField &)> fieldFilter;

    TExportBand titleBand, headerBand, dataBand;

    // Raised after the columns are built, before anything is written; the
    // handler may change the columns.
    std::function<void(TDataExport &)> onBeginExport;
    // Raised after each record with its number (from 1).
    std::function<void(int recordNo)> onAfterRecord;

    // Built when an export begins and discarded when it ends.
    QList<TxlColumn> &columns() { return m_columns; }

    // Largest number of data rows the format can hold (0: no limit).
    virtual int maxRecords() const { return 0; }

    // Raises ExportError when there is no dataset, it is closed or empty, or it
    // has more rows than the format can hold.
    void checkDataSet() const;

    // Checks, then writes everything to `out`.  Bound views are suspended during
    // the walk and the current row is the same afterwards.
    void saveToDevice(QIODevice &out);

protected:
    virtual TxlCellType cellTypeFor(TFieldType type) const;
    virtual void writeBegin() = 0;
    virtual void writeRecord(int row) = 0;  // row: 1 for the first record
    virtual void writeEnd() = 0;

    // Output, buffered and flushed to the device in blocks.
    void put(const char *bytes, qsizetype n);
    void putU8(quint8 v) { m_buf.append(char(v)); }
    void putU16(quint16 v);
    void putDouble(double v);
    void flush();
    QByteArray &buffer() { return m_buf; }

    const QList<TxlColumn> &exportedColumns() const { return m_exported; }

private:
    void buildColumns();

    TDataSet *m_data;
    QList<TxlColumn> m_columns;
    QList<TxlColumn> m_exported;
    QIODevice *m_out = nullptr;
    QByteArray m_buf;
};
