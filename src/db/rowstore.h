// The rows of one dataset.  Rows read from the server stay in the client library's result
// (one block per result, converted only when a value is read); rows that were edited or
// inserted own their values as QVariants.  Calculated and lookup columns sit after the data
// columns and have values of their own per row.
#pragma once

#include "field.h"

#include <QVariant>

#include <memory>
#include <vector>

struct st_mysql_res;
struct st_mysql_field;
class TextCodec;

struct ColumnInfo {
    QString name;
    TFieldType type = TFieldType::ftString;
    int size = 0;
    bool primaryKey = false;
    bool autoIncrement = false;
    bool isUnsigned = false;
    bool bitField = false;  // BIT(n): big-endian bytes, read as an integer
};

// A cell of a row: server bytes, an owned value, or NULL.
struct CellRef {
    const char *data = nullptr;
    qsizetype length = 0;
    const QVariant *value = nullptr;
    bool isNull() const { return data == nullptr && (value == nullptr || !value->isValid()); }
};

// The row being edited or inserted: all columns, with a mark for each column given a value.
struct PendingRow {
    int row = -1;  // store row, -1 when none
    bool inserting = false;
    std::vector<QVariant> values;
    std::vector<char> assigned;
    bool anyAssigned() const
    {
        for (char a : assigned)
            if (a)
                return true;
        return false;
    }
};

class RowStore {
public:
    RowStore();
    ~RowStore();
    RowStore(const RowStore &) = delete;
    RowStore &operator=(const RowStore &) = delete;

    // --- filling (by the dataset kinds when opening)
    // Takes the result over: its columns become the data columns, its rows the rows.
    void adoptResult(st_mysql_res *result, std::shared_ptr<const TextCodec> codec);
    // Columns declared by the program (in-memory table); rows are added as owned rows.
    void setColumns(const std::vector<ColumnInfo> &columns);
    void setExtraColumns(const std::vector<ColumnInfo> &columns);
    int appendOwnedRow(std::vector<QVariant> values);  // the new store row

    // --- shape
    int dataColumnCount() const { return m_dataColumns; }
    int columnCount() const { return int(m_columns.size()); }
    const ColumnInfo &column(int c) const { return m_columns[size_t(c)]; }
    const std::vector<ColumnInfo> &columns() const { return m_columns; }
    int rowCount() const { return int(m_rows.size()); }  // dead rows included
    bool isLive(int r) const { return r >= 0 && r < rowCount() && m_rows[size_t(r)].owned != kDead; }
    const TextCodec &codec() const { return *m_codec; }
    const std::shared_ptr<const TextCodec> &codecPtr() const { return m_codec; }

    // --- values
    // The cell as the row holds it now (the pending row's values for the pending row).
    CellRef cell(int r, int c) const
    {
        if (r == m_pending.row)
            return CellRef{nullptr, 0, &m_pending.values[size_t(c)]};
        return storedCell(r, c);
    }
    // The cell as stored, before any pending change.
    CellRef storedCell(int r, int c) const
    {
        if (c >= m_dataColumns)
            return CellRef{nullptr, 0,
                           &m_extra[size_t(r) * size_t(m_extraColumns) + size_t(c - m_dataColumns)]};
        const Row &row = m_rows[size_t(r)];
        if (row.owned >= 0)
            return CellRef{nullptr, 0, &m_owned[size_t(row.owned)][size_t(c)]};
        char **cells = row.cells;
        const char *p = cells[c];
        if (!p)
            return CellRef{};
        if (!m_lengths.empty())
            return CellRef{p, qsizetype(m_lengths[size_t(r) * size_t(m_dataColumns) + size_t(c)]), nullptr};
        // The client library lays a row's fields out one after the other, each followed by a
        // NUL, with one more pointer after the last: the next non-NULL field tells the length.
        int j = c + 1;
        while (!cells[j])
            ++j;
        return CellRef{p, cells[j] - p - 1, nullptr};
    }
    // The client library's field array of a row read from the server and not being changed;
    // nullptr otherwise.  Lengths follow from the next non-NULL field (see storedCell).
    char **serverCells(int r) const
    {
        if (r < 0 || r == m_pending.row || !m_lengths.empty())
            return nullptr;
        const Row &row = m_rows[size_t(r)];
        return row.owned == kServer ? row.cells : nullptr;
    }
    QVariant value(int r, int c) const;        // typed, null QVariant for NULL
    QVariant storedValue(int r, int c) const;  // before any pending change
    // Writes a calculated or lookup value of a row (or of the pending row).
    void setExtraValue(int r, int c, const QVariant &v);
    void clearExtraValues(int r);

    // --- the pending row
    PendingRow &pending() { return m_pending; }
    const PendingRow &pending() const { return m_pending; }
    void beginEdit(int r);
    int beginInsert();      // a new store row with every value NULL; not yet in any order
    void commitPending();   // the pending values become the row's own
    void discardPending();  // an inserted row dies

    void kill(int r);

    // The typed value of a cell by its column's type.
    QVariant toVariant(const CellRef &cell, const ColumnInfo &col) const;

private:
    static constexpr int kServer = -1;
    static constexpr int kDead = -2;
    struct Row {
        char **cells = nullptr;
        int owned = kServer;  // index into m_owned, kServer or kDead
    };
    std::vector<ColumnInfo> m_columns;
    int m_dataColumns = 0;
    int m_extraColumns = 0;
    std::vector<Row> m_rows;
    std::vector<std::vector<QVariant>> m_owned;
    std::vector<QVariant> m_extra;   // rows x extra columns; empty without extra columns
    std::vector<quint32> m_lengths;  // only when the result's layout is not the usual one
    st_mysql_res *m_result = nullptr;
    std::shared_ptr<const TextCodec> m_codec;
    PendingRow m_pending;
};

// Column of a server field; maxBytesPerChar of the connection's character set turns the
// field's byte length into characters.
ColumnInfo columnFromServerField(const st_mysql_field &field, const TextCodec &codec);
