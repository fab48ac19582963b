// Scratch schemas holding the Zorva database, and small readers for the tests.
#pragma once

#include "db/database.h"
#include "support/testserver.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <functional>

namespace sqltest {

// A scratch schema with the newest Zorva schema installed.
class ZorvaSchema : public testsupport::ScratchSchema {
public:
    ZorvaSchema();
};

// Every row of a statement, each value as text (NULL as "NULL").
QList<QStringList> rows(TmySQLDatabase &db, const QString &sql);

// The server's message of what `action` throws, empty when it succeeds.
QString errorOf(const std::function<void()> &action);

// Books an entry through sp_kassza_ins and returns LAST_INSERT_ID() of the connection.
int book(TmySQLDatabase &db, const QDate &datum, int kassza, int kasszatip, double osszeg,
         const QString &szoveg = QString(), int ugyfel = 0);

struct ChainRow {
    int hid = 0;
    int sorszam = 0;
    QDate datum;
    int kasszatip = 0;
    double osszeg = 0;
    double nyito = 0;
    double zaro = 0;
    double bevetel = 0;
    double kiadas = 0;
    QString idoszak;
};
// The entries of a cash box in chain order (datum, hazikassza, hid).
QList<ChainRow> chainOf(TmySQLDatabase &db, int kassza);

// Checks the stored chain of a box against its own amounts: the first nyito is the
// box's opening amount, each nyito the zaro before it, zaro = nyito + osszeg, and the
// derived columns.  Adds a failure per broken link and returns whether all held.
bool chainIsIntact(TmySQLDatabase &db, int kassza);

// Two cash boxes (1 "Pénztárca" opening 1000, 2 "Bank" opening 0), cash types 1 income
// "Fizetés", 2 expense "Élelmiszer", 3 income "Ajándék", 4 expense "Rezsi", and clients
// 1 "Kovács Ödön", 2 "Szabó Éva".
void addBasicMasterData(TmySQLDatabase &db);

}  // namespace sqltest
