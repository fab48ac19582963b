// Booking and changing cash-book entries through the database's procedures, on the
// main connection.  The procedures sign the amount by the cash type and keep the
// balance chain; the amount is passed without sign.  A failing call throws
// EmySQLDatabaseError.
#pragma once

#include <QDate>
#include <QString>

namespace zorva {

// "CALL sp_kassza_ins('yyyy-mm-dd',kassza,kasszatip,osszeg,'szoveg',ugyfel);", then the
// new entry's hid read on the same connection with "SELECT LAST_INSERT_ID();" (other
// users booking at the same moment cannot make it name their entry).  A null date
// books for today.  Returns 0 when the connection was lost and re-made between the call
// and the read: the entry is booked, but its id is no longer known.
int InsertEntry(int kassza, int kasszatip, int ugyfel, const QString &szoveg, double osszeg,
                const QDate &datum);
// The same dated "CURDATE()" by the server.
int InsertEntryToday(int kassza, int kasszatip, int ugyfel, const QString &szoveg, double osszeg);
// "CALL sp_kassza_edit(hid,'yyyy-mm-dd',kassza,kasszatip,osszeg,'szoveg',ugyfel);".
void UpdateEntry(int hid, int kassza, int kasszatip, const QString &szoveg, double osszeg, int ugyfel,
                 const QDate &datum);

}  // namespace zorva
