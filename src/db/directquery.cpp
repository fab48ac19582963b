#include "directquery.h"

#include "database.h"
#include "textcodec.h"

#include <QPointer>

#include <mysql.h>

struct TmySQLDirectQuery::Private {
    QPointer<TmySQLDatabase> db;
    QString sql;
    MYSQL_RES *result = nullptr;
    MYSQL_ROW row = nullptr;
    unsigned long *lengths = nullptr;
    std::shared_ptr<const TextCodec> codec;
    bool active = false;
};

TmySQLDirectQuery::TmySQLDirectQuery(TmySQLDatabase *db) : d(std::make_unique<Private>())
{
    d->db = db;
}

TmySQLDirectQuery::~TmySQLDirectQuery()
{
    close();
}

void TmySQLDirectQuery::setDatabase(TmySQLDatabase *db)
{
    d->db = db;
}

void TmySQLDirectQuery::setSQL(const QString &text)
{
    d->sql = text;
}

QString TmySQLDirectQuery::sql() const
{
    return d->sql;
}

void TmySQLDirectQuery::open()
{
    close();
    if (!d->db)
        throw EmySQLDatabaseError(QStringLiteral("Nincs adatbázis-kapcsolat megadva"));
    d->result = d->db->openResult(d->sql);
    d->codec = d->db->codec();
    d->active = true;
    next();
}

bool TmySQLDirectQuery::eof() const
{
    return d->row == nullptr;
}

int TmySQLDirectQuery::fieldCount() const
{
    return d->result ? int(mysql_num_fields(d->result)) : 0;
}

QString TmySQLDirectQuery::fieldValue(int index) const
{
    if (!d->row || index < 0 || index >= fieldCount() || !d->row[index])
        return QString();
    return d->codec->decode(d->row[index], qsizetype(d->lengths[index]));
}

void TmySQLDirectQuery::next()
{
    if (!d->result) {
        d->row = nullptr;
        return;
    }
    d->row = mysql_fetch_row(d->result);
    d->lengths = d->row ? mysql_fetch_lengths(d->result) : nullptr;
}

void TmySQLDirectQuery::close()
{
    if (d->result)
        mysql_free_result(d->result);
    d->result = nullptr;
    d->row = nullptr;
    d->lengths = nullptr;
    d->active = false;
}

bool TmySQLDirectQuery::isActive() const
{
    return d->active;
}
