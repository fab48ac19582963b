// A field's value as plain text, the way the delimited export and the
// worksheet's text cells write it.
#pragma once

#include "db/field.h"

#include <QByteArray>
#include <QHash>
#include <QLocale>
#include <QString>

#include <cstring>
#include <limits>
#include <vector>

namespace zorva {

// Not the display format: integers in decimal, numbers in the shortest general
// form with the locale's decimal separator and no grouping, dates in the
// locale's short date format, date-times with " hh:mm:ss" after the date,
// times as hh:mm:ss, text as it is; NULL gives an empty text.
QString plainValueText(const TField &field, const QLocale &locale = QLocale());

// The shortest general form of a number (FormatFloat with an empty format),
// with the locale's decimal separator.
QString generalNumberText(double value, const QLocale &locale = QLocale());

// The same form written fast into `out` (at least 32 bytes) with "." as the
// separator; -1 for the values it leaves to generalNumberText (zero, subnormal
// numbers, NaN, infinities, numbers whose shortest exact form has more than 15 digits).
int generalNumberAscii(double value, char *out);

// Rounds numerator/denominator to the nearest integer, halves to even
// (denominator > 0).  Exact for whole numbers, unlike rounding a double.
qint64 roundRatioHalfEven(qint64 numerator, qint64 denominator);

// Encoded texts of dates for walks over many rows with few distinct days: a table
// indexed by the Julian day modulo its size, so any 44 years of days fit side by side.
class DayTexts {
public:
    // Appends the kept text of `day`; the first time (or after another day took its
    // place) `make()` gives the text, which is kept when it is short.
    template <typename Make>
    void append(QByteArray &out, qint64 day, Make &&make)
    {
        if (m_kept.empty())
            m_kept.resize(kDays);
        Kept &k = m_kept[size_t(day) % kDays];
        if (k.day != day) {
            const QByteArray text = make();
            if (text.size() > qsizetype(sizeof k.text)) {
                out.append(text);
                return;
            }
            k.day = day;
            k.length = quint8(text.size());
            std::memcpy(k.text, text.constData(), size_t(text.size()));
        }
        out.append(k.text, k.length);
    }

private:
    static constexpr size_t kDays = 1 << 14;
    struct Kept {
        qint64 day = std::numeric_limits<qint64>::min();
        quint8 length = 0;
        char text[23];
    };
    std::vector<Kept> m_kept;  // allocated with the first date
};

// plainValueText for many rows: the locale's formats are prepared once, and
// numbers and dates can be appended straight to Windows-1250 output.
class PlainValueFormatter {
public:
    explicit PlainValueFormatter(const QLocale &locale = QLocale());

    QString text(const TField &field) const;
    QString dateText(const QDate &date) const;
    void appendInteger(QByteArray &out, qint64 value) const;
    void appendNumber(QByteArray &out, double value) const;
    // dateText() in Windows-1250; nothing for an invalid date.
    void appendDate(QByteArray &out, const QDate &date) const;

private:
    struct DatePart {
        char kind;  // 'd', 'M', 'y' (field) or 0 (literal)
        int width;  // digits: 1 (no padding), 2 or 4
        QString literal;
    };
    bool compileDateFormat();

    QLocale m_locale;
    QChar m_decimal;
    bool m_asciiDecimal;
    std::vector<DatePart> m_date;            // empty: the locale formats the date itself
    mutable QHash<qint64, QString> m_dates;  // by Julian day; a cash book has few distinct dates
    mutable DayTexts m_encodedDates;
};

}  // namespace zorva
