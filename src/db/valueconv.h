// Conversions between the server's text form of a value and the program's types.
// Numbers always use "." whatever the locale.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <charconv>

namespace dbconv {

// Whole text must be an integer (surrounding blanks and a leading "+" allowed).
bool parseInt64(const char *p, qsizetype n, qint64 &out);
bool parseInt64(QStringView text, qint64 &out);
// Whole text must be a number with "." as decimal separator.
bool parseDouble(const char *p, qsizetype n, double &out);
bool parseDouble(QStringView text, double &out);

// "yyyy-mm-dd" (anything after the date is ignored); "0000-00-00" and impossible dates
// give a null date.
QDate parseDate(const char *p, qsizetype n);
// "yyyy-mm-dd hh:mm:ss[.ffffff]"; a zero date gives a null value.
QDateTime parseDateTime(const char *p, qsizetype n);
// "[-]hh:mm:ss[.ffffff]"; hours past 23 are not a time of day and give a null time.
QTime parseTime(const char *p, qsizetype n);
// A date typed or stored as text: "yyyy-mm-dd", "yyyy.mm.dd" or "yyyy.mm.dd.".
QDate parseDateText(QStringView text);
QDateTime parseDateTimeText(QStringView text);

// Shortest text that reads back as the same double ("1234.5", "1e+20").
QString formatDouble(double v);
QByteArray formatDoubleBytes(double v);

// The program's text forms of dates.
inline QString dateText(const QDate &d)
{
    return d.isValid() ? d.toString(u"yyyy.MM.dd.") : QString();
}
inline QString dateTimeText(const QDateTime &dt)
{
    return dt.isValid() ? dt.toString(u"yyyy.MM.dd. hh:mm:ss") : QString();
}
inline QString timeText(const QTime &t)
{
    return t.isValid() ? t.toString(u"hh:mm:ss") : QString();
}

// Fast path for the common case: a plain run of digits with an optional sign.
inline bool parseInt64Fast(const char *p, qsizetype n, qint64 &out)
{
    const auto r = std::from_chars(p, p + n, out);
    if (r.ec == std::errc() && r.ptr == p + n)
        return true;
    return parseInt64(p, n, out);
}

inline bool parseDoubleFast(const char *p, qsizetype n, double &out)
{
    const auto r = std::from_chars(p, p + n, out);
    if (r.ec == std::errc() && r.ptr == p + n)
        return true;
    return parseDouble(p, n, out);
}

}  // namespace dbconv
