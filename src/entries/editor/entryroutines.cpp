#include "entryroutines.h"

#include "mainconnection.h"
#include "proccalls.h"

namespace zorva {

namespace {

int newEntryId()
{
    return int(QueryInt(newEntryIdQuery(), 0));
}

}  // namespace

int InsertEntry(int kassza, int kasszatip, int ugyfel, const QString &szoveg, double osszeg,
                const QDate &datum)
{
    ExecSql(callKasszaIns(datum, kassza, kasszatip, osszeg, szoveg, ugyfel));
    return newEntryId();
}

int InsertEntryToday(int kassza, int kasszatip, int ugyfel, const QString &szoveg, double osszeg)
{
    ExecSql(callKasszaInsToday(kassza, kasszatip, osszeg, szoveg, ugyfel));
    return newEntryId();
}

void UpdateEntry(int hid, int kassza, int kasszatip, const QString &szoveg, double osszeg, int ugyfel,
                 const QDate &datum)
{
    ExecSql(callKasszaEdit(hid, datum, kassza, kasszatip, osszeg, szoveg, ugyfel));
}

}  // namespace zorva
