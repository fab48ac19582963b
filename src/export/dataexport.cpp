#include "dataexport.h"

#include "exportcolumn.h"
#include "exporterror.h"

#include <QtEndian>

#include <cstring>

TDataExport::TDataExport(TDataSet *data) : m_data(data) {}

TDataExport::~TDataExport() = default;

TxlCellType TDataExport::cellTypeFor(TFieldType type) const
{
    switch (type) {
        case TFieldType::ftSmallint:
        case TFieldType::ftInteger:
        case TFieldType::ftLargeint:
        case TFieldType::ftAutoInc:
            return xlInteger;
        case TFieldType::ftFloat:
        case TFieldType::ftBCD:
            return xlNumber;
        default:
            return xlText;
    }
}

void TDataExport::checkDataSet() const
{
    if (!m_data)
        throw zorva::ExportError(QStringLiteral("Cannot perform this operation without a dataset"));
    if (!m_data->isActive())
        throw zorva::ExportError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    if (m_data->isEmpty())
        throw zorva::ExportError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    const int limit = maxRecords();
    if (limit > 0 && m_data->recordCount() > limit)
        throw zorva::ExportError(
            QStringLiteral("A munkalap legfeljebb %1 adatsort tud tárolni, az exportálandó adatok %2 sorból "
                           "állnak. Szűkítse a listát, vagy válasszon szöveges (CSV) formátumot.")
                .arg(limit)
                .arg(m_data->recordCount()));
}

void TDataExport::buildColumns()
{
    m_columns.clear();
    for (int i = 0; i < m_data->fieldCount(); ++i) {
        TField &f = m_data->fields(i);
        TxlColumn c;
        c.fieldName = f.fieldName();
        c.exported = f.visible() && (!fieldFilter || fieldFilter(f));
        c.title = f.displayLabel();
        c.alignment = zorva::fieldAlignment(f);
        c.width = 0;
        c.cellType = cellTypeFor(f.dataType());
        m_columns.append(c);
    }
}

void TDataExport::saveToDevice(QIODevice &out)
{
    checkDataSet();
    m_out = &out;
    m_buf.clear();
    m_buf.reserve(1 << 16);
    buildColumns();
    if (onBeginExport)
        onBeginExport(*this);
    m_exported.clear();
    for (TxlColumn &c : m_columns) {
        if (!c.exported)
            continue;
        c.field = &m_data->fieldByName(c.fieldName);
        m_exported.append(c);
    }

    struct Restore {
        TDataSet &ds;
        TBookmark mark;
        ~Restore()
        {
            if (ds.isActive() && ds.bookmarkValid(mark))
                ds.gotoBookmark(mark);
            ds.freeBookmark(mark);
            ds.enableControls();
        }
    };
    writeBegin();
    {
        m_data->disableControls();
        Restore restore{*m_data, m_data->bookmark()};
        m_data->first();
        int row = 0;
        while (!m_data->eof()) {
            writeRecord(++row);
            if (m_buf.size() >= (1 << 16))
                flush();
            if (onAfterRecord)
                onAfterRecord(row);
            m_data->next();
        }
    }
    writeEnd();
    flush();
    m_exported.clear();
    m_columns.clear();
    m_out = nullptr;
}

void TDataExport::put(const char *bytes, qsizetype n)
{
    m_buf.append(bytes, n);
}

void TDataExport::putU16(quint16 v)
{
    const char b[2] = {char(v & 0xFF), char(v >> 8)};
    m_buf.append(b, 2);
}

void TDataExport::putDouble(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    char b[8];
    qToLittleEndian(bits, b);
    m_buf.append(b, 8);
}

void TDataExport::flush()
{
    if (!m_out || m_buf.isEmpty())
        return;
    if (m_out->write(m_buf) != m_buf.size())
        throw zorva::ExportError(QStringLiteral("A fájl írása nem sikerült: %1").arg(m_out->errorString()));
    m_buf.resize(0);  // keeps the capacity
}
