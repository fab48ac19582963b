// One column of a dataset, seen through the dataset's current row.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

class TDataSet;
struct CellRef;

enum class TFieldType {
    ftUnknown,
    ftString,  // character column with a maximum length
    ftMemo,    // long text
    ftSmallint,
    ftInteger,
    ftLargeint,
    ftAutoInc,  // auto-increment integer
    ftFloat,    // double precision
    ftBCD,      // DECIMAL columns, read as double
    ftDate,
    ftDateTime,  // DATETIME and TIMESTAMP
    ftTime,
    ftBlob,  // binary data (QByteArray)
};

bool isTextType(TFieldType t);
bool isIntegerType(TFieldType t);
bool isNumericType(TFieldType t);

class TField {
public:
    TField(TDataSet *owner, int index, const QString &name, TFieldType type, int size);

    QString fieldName() const { return m_name; }
    TFieldType dataType() const { return m_type; }
    int size() const { return m_size; }
    int index() const { return m_index; }
    TDataSet *dataSet() const { return m_owner; }

    // Presentation, set by the owning window.
    QString displayLabel() const { return m_label.isEmpty() ? m_name : m_label; }
    void setDisplayLabel(const QString &label) { m_label = label; }
    QString displayFormat() const { return m_format; }
    void setDisplayFormat(const QString &format) { m_format = format; }
    bool visible() const { return m_visible; }
    void setVisible(bool on) { m_visible = on; }
    int displayWidth() const { return m_displayWidth; }
    void setDisplayWidth(int chars) { m_displayWidth = chars; }

    bool isCalculated() const { return m_calculated; }
    bool isLookup() const { return m_lookup; }
    bool isPrimaryKey() const { return m_primaryKey; }
    bool isAutoIncrement() const { return m_type == TFieldType::ftAutoInc; }

    // Values of the current row.
    bool isNull() const;
    QVariant value() const;    // null QVariant for NULL
    QString asString() const;  // NULL reads as empty text
    int asInteger() const;     // NULL or not a number reads as 0
    qint64 asLargeInt() const;
    double asFloat() const;  // "." as decimal separator whatever the locale
    bool asBoolean() const;  // "I"/"1"/"true" (any case) are true
    QDate asDate() const;
    QDateTime asDateTime() const;
    QByteArray asBytes() const;   // raw bytes (latin2 for text)
    QString displayText() const;  // value formatted with displayFormat

    // Writes go into the row buffer; the dataset must be in edit or insert state
    // (a calculated field may be written inside the calculated-column callback).
    void setValue(const QVariant &v);
    void setAsString(const QString &v);
    void setAsInteger(qint64 v);
    void setAsFloat(double v);
    void setAsDate(const QDate &v);
    void setAsDateTime(const QDateTime &v);
    void clear();  // NULL

private:
    friend class TDataSet;
    QString formatCell(const CellRef &cell) const;  // displayText of any row's cell
    bool fastBytes(const char *&data, qsizetype &length) const;
    TDataSet *m_owner;
    int m_index;
    QString m_name;
    TFieldType m_type;
    int m_size;
    QString m_label;
    QString m_format;
    bool m_visible = true;
    int m_displayWidth = 0;
    bool m_calculated = false;
    bool m_lookup = false;
    bool m_primaryKey = false;
    bool m_bitField = false;  // BIT(n) bytes, never read as digits
    // lookup definition
    QString m_keyFields;
    TDataSet *m_lookupDataSet = nullptr;
    QString m_lookupKeyFields;
    QString m_lookupResultField;
};
