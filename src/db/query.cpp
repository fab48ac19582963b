#include "query.h"

#include "database.h"
#include "rowstore.h"
#include "sqlparams.h"

#include "core/sqltext.h"

#include <QPointer>

#include <map>

void TParam::setAsString(const QString &v)
{
    m_literal = zorva::SqlText(v);
}

void TParam::setAsInteger(qint64 v)
{
    m_literal = QString::number(v);
}

void TParam::setAsFloat(double v)
{
    m_literal = zorva::SqlNumber(v);
}

void TParam::setAsDate(const QDate &v)
{
    m_literal = zorva::SqlDate(v);
}

void TParam::setAsDateTime(const QDateTime &v)
{
    m_literal = zorva::SqlDateTime(v);
}

void TParam::clear()
{
    m_literal.clear();
}

QString TParam::literal() const
{
    return m_literal.isEmpty() ? QStringLiteral("NULL") : m_literal;
}

struct TmySQLQuery::Private {
    QPointer<TmySQLDatabase> db;
    QStringList sql;
    std::map<QString, TParam> params;  // by lower-case name; values outlive changes of the text
};

TmySQLQuery::TmySQLQuery(TmySQLDatabase *db, QObject *parent)
    : TDataSet(parent), q(std::make_unique<Private>())
{
    q->db = db;
}

TmySQLQuery::~TmySQLQuery()
{
    closeSilently();
}

TmySQLDatabase *TmySQLQuery::database() const
{
    return q->db;
}

void TmySQLQuery::setDatabase(TmySQLDatabase *db)
{
    q->db = db;
}

TmySQLDatabase *TmySQLQuery::connection() const
{
    return q->db;
}

QStringList &TmySQLQuery::sql()
{
    return q->sql;
}

const QStringList &TmySQLQuery::sql() const
{
    return q->sql;
}

void TmySQLQuery::setSQL(const QStringList &lines)
{
    q->sql = lines;
}

void TmySQLQuery::setSQL(const QString &text)
{
    q->sql = text.split(u'\n');
}

QString TmySQLQuery::sqlText() const
{
    return q->sql.join(u'\n');
}

QStringList TmySQLQuery::paramNames() const
{
    return sqlparams::names(sqlText());
}

TParam &TmySQLQuery::paramByName(const QString &name)
{
    if (!paramNames().contains(name, Qt::CaseInsensitive))
        throw EmySQLDatabaseError(QStringLiteral("Paraméter nem található: %1").arg(name));
    const QString key = name.toLower();
    auto it = q->params.find(key);
    if (it == q->params.end())
        it = q->params.emplace(key, TParam(name)).first;
    return it->second;
}

QString TmySQLQuery::expandedSql() const
{
    return sqlparams::substitute(sqlText(), [this](const QString &name) {
        const auto it = q->params.find(name.toLower());
        return it == q->params.end() ? QStringLiteral("NULL") : it->second.literal();
    });
}

static TmySQLDatabase &requireDatabase(TmySQLDatabase *db, const QObject *owner)
{
    if (!db)
        throw EmySQLDatabaseError(
            QStringLiteral("Nincs adatbázis-kapcsolat megadva (%1)").arg(owner->objectName()));
    return *db;
}

void TmySQLQuery::execSQL()
{
    requireDatabase(q->db, this).execute(expandedSql());
}

void TmySQLQuery::doOpen(RowStore &store)
{
    TmySQLDatabase &db = requireDatabase(q->db, this);
    const QString text = expandedSql();
    st_mysql_res *res = db.openResult(text);
    if (!res)
        throw EmySQLDatabaseError(
            QStringLiteral("A lekérdezés nem adott vissza sorokat: %1").arg(text.trimmed()));
    store.adoptResult(res, db.codec());
}
