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
// Pays the unpaid bill payment `csekkfizet` ("CALL sp_csekkfizet(id);") and books its amount
// into `kassza` with the cash type `kasszatip`, dated today, as "Csekk befizetés"; kassza -1
// pays without booking.  Paid and booked go together: a booking that fails takes the
// payment back before the error goes on, and the pair runs again as a whole when it lost a
// deadlock.  Returns the new entry's hid (0 when nothing was booked or the id was lost).
int PayBill(int csekkfizet, int kassza, int kasszatip, int ugyfel, double osszeg);

}  // namespace zorva
