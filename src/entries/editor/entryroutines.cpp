#include "entryroutines.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/dbhelpers/proccalls.h"
#include "db/database.h"
#include "db/errors.h"

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

int PayBill(int csekkfizet, int kassza, int kasszatip, int ugyfel, double osszeg)
{
    int hid = 0;
    mainConnection().runUnit([&] {
        ExecSql(callCsekkFizet(csekkfizet));
        if (kassza == -1)
            return;
        try {
            hid = InsertEntryToday(kassza, kasszatip, ugyfel, QStringLiteral("Csekk befizetés"), osszeg);
        } catch (const EmySQLDatabaseError &booking) {
            try {
                ExecSql(callCsekkFizet(csekkfizet));
            } catch (const EmySQLDatabaseError &undo) {
                // Paid but not booked: said plainly, and never run again.
                throw EmySQLDatabaseError(
                    QStringLiteral("A csekk kifizetettnek látszik, de a könyvelése nem sikerült, és a "
                                   "kifizetést sem lehetett visszavonni; javítsa kézzel.\r\n") +
                    booking.message() + QStringLiteral("\r\n") + undo.message());
            }
            throw;
        }
    });
    return hid;
}

}  // namespace zorva
