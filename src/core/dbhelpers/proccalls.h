// The statement texts that call the database's procedures.  Numbers are written with
// SqlNumber, dates with SqlDate, texts with SqlText (which also protects backslashes and
// line breaks, so no text can end the literal early).
#pragma once

#include <QDate>
#include <QString>

namespace zorva {

// CALL sp_kassza_ins('2024-03-01',1,5,1500,'text',0);  a null date gives CURDATE().
QString callKasszaIns(const QDate &datum, int kassza, int kasszatip, double osszeg, const QString &szoveg,
                      int ugyfel);
// CALL sp_kassza_ins(CURDATE(),...);
QString callKasszaInsToday(int kassza, int kasszatip, double osszeg, const QString &szoveg, int ugyfel);
// CALL sp_kassza_edit(hid,'2024-03-01',1,5,1500,'text',0);
QString callKasszaEdit(int hid, const QDate &datum, int kassza, int kasszatip, double osszeg,
                       const QString &szoveg, int ugyfel);
// CALL sp_kassza_del(hid);
QString callKasszaDel(int hid);
// CALL sp_csekkfizet(id);
QString callCsekkFizet(int csekkfizet);
// CALL sp_csekkgen('202403');
QString callCsekkGen(const QString &idoszak);
// CALL sp_torleszt(id,1500,'remark');
QString callTorleszt(int tartozik, double osszeg, const QString &megjegyzes);
// CALL sp_megkolcsonad(id,2000.5,'remark');
QString callMegkolcsonad(int tartozik, double osszeg, const QString &megjegyzes);
// The id of the entry the last sp_kassza_ins of the same connection inserted.
QString newEntryIdQuery();

}  // namespace zorva
