// Read-only query with :name parameters written into the text as literals.
#pragma once

#include "dataset.h"

#include <QDate>
#include <QDateTime>

class TParam {
public:
    explicit TParam(const QString &name = QString()) : m_name(name) {}
    QString name() const { return m_name; }
    void setAsString(const QString &v);
    void setAsInteger(qint64 v);
    void setAsFloat(double v);
    void setAsDate(const QDate &v);          // '2009-03-01'; a null date as '0000-00-00'
    void setAsDateTime(const QDateTime &v);  // 'yyyy-mm-dd hh:nn:ss'
    void clear();                            // NULL
    QString literal() const;                 // the value as it is written into the statement
    bool isNull() const { return m_literal.isEmpty(); }

private:
    QString m_name;
    QString m_literal;
};

class TmySQLQuery : public TDataSet {
    Q_OBJECT
public:
    explicit TmySQLQuery(TmySQLDatabase *db = nullptr, QObject *parent = nullptr);
    ~TmySQLQuery() override;

    TmySQLDatabase *database() const;
    void setDatabase(TmySQLDatabase *db);

    // The statement as a list of lines.
    QStringList &sql();
    const QStringList &sql() const;
    void setSQL(const QStringList &lines);
    void setSQL(const QString &text);
    QString sqlText() const;  // lines joined by "\n"

    TParam &paramByName(const QString &name);  // throws when the text has no such parameter
    QStringList paramNames() const;
    QString expandedSql() const;  // the text with every parameter written as a literal

    void execSQL();  // statement that returns no rows
    bool canModify() const override { return false; }

protected:
    void doOpen(RowStore &store) override;
    TmySQLDatabase *connection() const override;

private:
    struct Private;
    std::unique_ptr<Private> q;
};
