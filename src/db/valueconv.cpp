#include "valueconv.h"

#include <cmath>

namespace dbconv {

namespace {

void trim(const char *&p, qsizetype &n)
{
    while (n > 0 && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')) {
        ++p;
        --n;
    }
    while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\t' || p[n - 1] == '\r' || p[n - 1] == '\n'))
        --n;
}

inline bool digits(const char *p, int count, int &out)
{
    int v = 0;
    for (int i = 0; i < count; ++i) {
        const unsigned d = static_cast<unsigned char>(p[i]) - '0';
        if (d > 9)
            return false;
        v = v * 10 + int(d);
    }
    out = v;
    return true;
}

}  // namespace

bool parseInt64(const char *p, qsizetype n, qint64 &out)
{
    trim(p, n);
    if (n > 1 && *p == '+' && p[1] != '-') {
        ++p;
        --n;
    }
    if (n == 0)
        return false;
    const auto r = std::from_chars(p, p + n, out);
    return r.ec == std::errc() && r.ptr == p + n;
}

bool parseInt64(QStringView text, qint64 &out)
{
    const QByteArray bytes = text.toLatin1();
    return parseInt64(bytes.constData(), bytes.size(), out);
}

bool parseDouble(const char *p, qsizetype n, double &out)
{
    trim(p, n);
    if (n > 1 && *p == '+' && p[1] != '-') {
        ++p;
        --n;
    }
    if (n == 0)
        return false;
    // from_chars also takes "inf" and "nan", which are not numbers here.
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+'))
            return false;
    }
    double v = 0;
    const auto r = std::from_chars(p, p + n, v);
    if (r.ec != std::errc() || r.ptr != p + n || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

bool parseDouble(QStringView text, double &out)
{
    const QByteArray bytes = text.toLatin1();
    return parseDouble(bytes.constData(), bytes.size(), out);
}

QDate parseDate(const char *p, qsizetype n)
{
    int y, m, d;
    if (n < 10 || !digits(p, 4, y) || p[4] != '-' || !digits(p + 5, 2, m) || p[7] != '-' ||
        !digits(p + 8, 2, d))
        return QDate();
    return QDate(y, m, d);  // 0000-00-00 and impossible dates are invalid = null
}

QTime parseTime(const char *p, qsizetype n)
{
    // Hours may have more than two digits for durations; only times of day are taken.
    int h, mi, s;
    if (n < 8 || !digits(p, 2, h) || p[2] != ':' || !digits(p + 3, 2, mi) || p[5] != ':' ||
        !digits(p + 6, 2, s))
        return QTime();
    int ms = 0;
    if (n > 9 && p[8] == '.') {
        int frac = 0, count = 0;
        for (qsizetype i = 9; i < n && count < 3; ++i, ++count) {
            const unsigned dd = static_cast<unsigned char>(p[i]) - '0';
            if (dd > 9)
                break;
            frac = frac * 10 + int(dd);
        }
        while (count++ < 3)
            frac *= 10;
        ms = frac;
    }
    return QTime(h, mi, s, ms);
}

QDateTime parseDateTime(const char *p, qsizetype n)
{
    const QDate date = parseDate(p, n);
    if (!date.isValid())
        return QDateTime();
    QTime time(0, 0);
    if (n >= 19 && (p[10] == ' ' || p[10] == 'T')) {
        time = parseTime(p + 11, n - 11);
        if (!time.isValid())
            time = QTime(0, 0);
    }
    return QDateTime(date, time);
}

QDate parseDateText(QStringView text)
{
    const QString t = text.trimmed().toString();
    if (t.isEmpty())
        return QDate();
    for (const char *fmt : {"yyyy-MM-dd", "yyyy.MM.dd.", "yyyy.MM.dd", "yyyy. MM. dd.", "yyyy/MM/dd"}) {
        const QDate d = QDate::fromString(t, QString::fromLatin1(fmt));
        if (d.isValid())
            return d;
    }
    // A date-time text: take its date part.
    const QByteArray bytes = t.toLatin1();
    return parseDate(bytes.constData(), bytes.size());
}

QDateTime parseDateTimeText(QStringView text)
{
    const QString t = text.trimmed().toString();
    if (t.isEmpty())
        return QDateTime();
    for (const char *fmt : {"yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd hh:mm", "yyyy.MM.dd. hh:mm:ss",
                            "yyyy.MM.dd hh:mm:ss", "yyyy-MM-ddThh:mm:ss"}) {
        const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(fmt));
        if (dt.isValid())
            return dt;
    }
    const QDate d = parseDateText(t);
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

QByteArray formatDoubleBytes(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QByteArray(buf, r.ptr - buf);
}

QString formatDouble(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, r.ptr - buf);
}

}  // namespace dbconv
