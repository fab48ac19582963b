#include "zorvaschema.h"

#include "admin/dbinstall/dbinstall.h"
#include "db/query.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sqltest {

ZorvaSchema::ZorvaSchema()
{
    zorva::installSchema(db());
}

QList<QStringList> rows(TmySQLDatabase &db, const QString &sql)
{
    TmySQLQuery q(&db);
    q.setSQL(sql);
    q.open();
    QList<QStringList> out;
    for (q.first(); !q.eof(); q.next()) {
        QStringList row;
        for (int i = 0; i < q.fieldCount(); ++i) {
            const TField &f = q.fields(i);
            if (f.isNull())
                row << QStringLiteral("NULL");
            else if (f.dataType() == TFieldType::ftDate)
                row << f.asDate().toString(Qt::ISODate);
            else
                row << f.asString();
        }
        out << row;
    }
    q.close();
    return out;
}

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EmySQLDatabaseError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

int book(TmySQLDatabase &db, const QDate &datum, int kassza, int kasszatip, double osszeg,
         const QString &szoveg, int ugyfel)
{
    db.execute(zorva::callKasszaIns(datum, kassza, kasszatip, osszeg, szoveg, ugyfel));
    return int(db.queryInt(zorva::newEntryIdQuery()));
}

QList<ChainRow> chainOf(TmySQLDatabase &db, int kassza)
{
    TmySQLQuery q(&db);
    q.setSQL(QStringLiteral(
                 "SELECT hid, hazikassza, datum, kasszatip, osszeg, nyito, zaro, bevetel, kiadas, idoszak "
                 "FROM hazikassza WHERE kassza = %1 ORDER BY datum, hazikassza, hid")
                 .arg(kassza));
    q.open();
    QList<ChainRow> out;
    for (q.first(); !q.eof(); q.next()) {
        ChainRow r;
        r.hid = q.fields(0).asInteger();
        r.sorszam = q.fields(1).asInteger();
        r.datum = q.fields(2).asDate();
        r.kasszatip = q.fields(3).asInteger();
        r.osszeg = q.fields(4).asFloat();
        r.nyito = q.fields(5).asFloat();
        r.zaro = q.fields(6).asFloat();
        r.bevetel = q.fields(7).asFloat();
        r.kiadas = q.fields(8).asFloat();
        r.idoszak = q.fields(9).asString();
        out << r;
    }
    return out;
}

bool chainIsIntact(TmySQLDatabase &db, int kassza)
{
    double previous = db.queryFloat(QStringLiteral("SELECT nyito FROM kassza WHERE kassza = %1").arg(kassza));
    bool ok = true;
    for (const ChainRow &r : chainOf(db, kassza)) {
        const bool link = r.nyito == previous && std::abs(r.zaro - (r.nyito + r.osszeg)) < 1e-6;
        const bool parts = r.bevetel == (r.osszeg > 0 ? r.osszeg : 0) &&
                           r.kiadas == (r.osszeg < 0 ? r.osszeg : 0) &&
                           r.idoszak == r.datum.toString(QStringLiteral("yyyyMM"));
        EXPECT_TRUE(link) << "box " << kassza << " hid " << r.hid << ": nyito " << r.nyito << " after "
                          << previous << ", osszeg " << r.osszeg << ", zaro " << r.zaro;
        EXPECT_TRUE(parts) << "box " << kassza << " hid " << r.hid << ": bevetel/kiadas/idoszak";
        ok = ok && link && parts;
        previous = r.zaro;
    }
    return ok;
}

void addBasicMasterData(TmySQLDatabase &db)
{
    db.execute(
        QStringLiteral("INSERT INTO kassza (kassza, kassza_nev, nyito) VALUES (1, 'Pénztárca', 1000), "
                       "(2, 'Bank', 0)"));
    db.execute(
        QStringLiteral("INSERT INTO kasszatip (kasszatip, kasszatip_nev, szorzo, szin) VALUES "
                       "(1, 'Fizetés', 1, 13434828), (2, 'Élelmiszer', -1, 13434879), "
                       "(3, 'Ajándék', 1, NULL), (4, 'Rezsi', -1, -16777211)"));
    db.execute(QStringLiteral(
        "INSERT INTO ugyfel (ugyfel, ugyfel_nev) VALUES (1, 'Kovács Ödön'), (2, 'Szabó Éva')"));
}

}  // namespace sqltest
