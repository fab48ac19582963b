#include "storedproc.h"

#include "database.h"
#include "rowstore.h"
#include "sqlbuild_p.h"

#include <QPointer>

struct TmySQLStoredProc::Private {
    QPointer<TmySQLDatabase> db;
    QString name;
    std::vector<std::unique_ptr<TParam>> params;  // declared order
};

TmySQLStoredProc::TmySQLStoredProc(TmySQLDatabase *db, QObject *parent)
    : TDataSet(parent), p(std::make_unique<Private>())
{
    p->db = db;
}

TmySQLStoredProc::~TmySQLStoredProc()
{
    closeSilently();
}

TmySQLDatabase *TmySQLStoredProc::database() const
{
    return p->db;
}
void TmySQLStoredProc::setDatabase(TmySQLDatabase *db)
{
    p->db = db;
}
TmySQLDatabase *TmySQLStoredProc::connection() const
{
    return p->db;
}
QString TmySQLStoredProc::procedureName() const
{
    return p->name;
}
void TmySQLStoredProc::setProcedureName(const QString &name)
{
    p->name = name;
}

TParam &TmySQLStoredProc::addParam(const QString &name, TFieldType, int)
{
    p->params.push_back(std::make_unique<TParam>(name));
    return *p->params.back();
}

TParam &TmySQLStoredProc::paramByName(const QString &name)
{
    for (auto &param : p->params)
        if (param->name().compare(name, Qt::CaseInsensitive) == 0)
            return *param;
    throw EmySQLDatabaseError(QStringLiteral("Paraméter nem található: %1").arg(name));
}

void TmySQLStoredProc::clearParams()
{
    p->params.clear();
}

QString TmySQLStoredProc::callText() const
{
    QStringList literals;
    for (const auto &param : p->params)
        literals << param->literal();
    return QStringLiteral("CALL %1(%2)").arg(sqlbuild::identifier(p->name), literals.join(u','));
}

void TmySQLStoredProc::doOpen(RowStore &store)
{
    if (!p->db)
        throw EmySQLDatabaseError(QStringLiteral("Nincs adatbázis-kapcsolat megadva (%1)").arg(p->name));
    if (p->name.trimmed().isEmpty())
        throw EmySQLDatabaseError(
            QStringLiteral("Nincs megadva a tárolt eljárás neve (%1)").arg(objectName()));
    st_mysql_res *res = p->db->openResult(callText());
    if (!res)
        throw EmySQLDatabaseError(
            QStringLiteral("A tárolt eljárás nem adott vissza sorokat: %1").arg(p->name));
    store.adoptResult(res, p->db->codec());
}
