#include "proccalls.h"

#include "core/sqltext.h"

namespace zorva {

namespace {

QString entryArguments(int kassza, int kasszatip, double osszeg, const QString &szoveg, int ugyfel)
{
    return QString::number(kassza) + QLatin1Char(',') + QString::number(kasszatip) + QLatin1Char(',') +
           SqlNumber(osszeg) + QLatin1Char(',') + SqlText(szoveg) + QLatin1Char(',') +
           QString::number(ugyfel);
}

QString dateOrToday(const QDate &datum)
{
    return datum.isNull() ? QStringLiteral("CURDATE()") : SqlDate(datum);
}

}  // namespace

QString callKasszaIns(const QDate &datum, int kassza, int kasszatip, double osszeg, const QString &szoveg,
                      int ugyfel)
{
    return QStringLiteral("CALL sp_kassza_ins(") + dateOrToday(datum) + QLatin1Char(',') +
           entryArguments(kassza, kasszatip, osszeg, szoveg, ugyfel) + QStringLiteral(");");
}

QString callKasszaInsToday(int kassza, int kasszatip, double osszeg, const QString &szoveg, int ugyfel)
{
    return callKasszaIns(QDate(), kassza, kasszatip, osszeg, szoveg, ugyfel);
}

QString callKasszaEdit(int hid, const QDate &datum, int kassza, int kasszatip, double osszeg,
                       const QString &szoveg, int ugyfel)
{
    return QStringLiteral("CALL sp_kassza_edit(") + QString::number(hid) + QLatin1Char(',') +
           dateOrToday(datum) + QLatin1Char(',') + entryArguments(kassza, kasszatip, osszeg, szoveg, ugyfel) +
           QStringLiteral(");");
}

QString callKasszaDel(int hid)
{
    return QStringLiteral("CALL sp_kassza_del(%1);").arg(hid);
}

QString callCsekkFizet(int csekkfizet)
{
    return QStringLiteral("CALL sp_csekkfizet(%1);").arg(csekkfizet);
}

QString callCsekkGen(const QString &idoszak)
{
    return QStringLiteral("CALL sp_csekkgen(") + SqlText(idoszak) + QStringLiteral(");");
}

QString callTorleszt(int tartozik, double osszeg, const QString &megjegyzes)
{
    return QStringLiteral("CALL sp_torleszt(") + QString::number(tartozik) + QLatin1Char(',') +
           SqlNumber(osszeg) + QLatin1Char(',') + SqlText(megjegyzes) + QStringLiteral(");");
}

QString callMegkolcsonad(int tartozik, double osszeg, const QString &megjegyzes)
{
    return QStringLiteral("CALL sp_megkolcsonad(") + QString::number(tartozik) + QLatin1Char(',') +
           SqlNumber(osszeg) + QLatin1Char(',') + SqlText(megjegyzes) + QStringLiteral(");");
}

QString newEntryIdQuery()
{
    return QStringLiteral("SELECT LAST_INSERT_ID();");
}

}  // namespace zorva
