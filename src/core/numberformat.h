// Display formats of amounts and the program's date formats.
#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <vector>

namespace zorva {

// Formats a number by a display format such as "### ### ##0", "### ### ##0.00",
// "0000000" or "#,##0.00":
//   '#'  an optional digit, '0' a digit always shown;
//   '.'  the decimal separator (the first one; `decimalSeparator` is written);
//   ','  anywhere in the integer part: digits are grouped by three with `groupSeparator`;
//   "…" or '…' a literal text; any other character is copied: before the first and
//   after the last digit place always, between digit places only once a digit was written.
// Up to three sections "positive;negative;zero" may be given; a negative value
// formatted by the first section gets a leading "-".  Rounding is half away from
// zero on the value's 15 significant digits.  An empty format gives the shortest
// general form.  Without separators the default locale's are used.
QString FormatFloat(const QString &format, double value);
QString FormatFloat(const QString &format, double value, QChar decimalSeparator, QChar groupSeparator);

// A display format of FormatFloat taken apart once, for formatting many values
// by it.  FormatFloat keeps the prepared form of the formats it meets.
class PreparedNumberFormat {
public:
    explicit PreparedNumberFormat(const QString &format);

    QString format(double value, QChar decimalSeparator, QChar groupSeparator) const;
    // Appends what format() returns.
    void appendTo(QString &out, double value, QChar decimalSeparator, QChar groupSeparator) const;

    // The prepared form kept for this format text on the calling thread; it stays valid
    // as long as the thread runs.  Null once the thread keeps too many formats.
    static const PreparedNumberFormat *cached(const QString &format);

    struct Digits;

private:
    // One part of a section: a digit place or a literal text (chars[offset, offset+length)).
    struct Item {
        bool place;
        int offset;
        int length;
    };
    struct Section {
        std::vector<Item> intItems;   // before the decimal point
        std::vector<Item> fracItems;  // after it
        QString chars;                // the literal texts
        bool hasPoint = false;
        bool grouping = false;
        int intPlaces = 0;
        int minInt = 0;  // integer digits always shown
        int fracPlaces = 0;
        int minFrac = 0;  // fraction digits always shown
    };
    static Section prepareSection(const QString &text);
    static void writeSection(const Section &s, const Digits &digits, QChar decimalSeparator,
                             QChar groupSeparator, QString &out);

    bool m_general = false;  // empty format: the shortest general form
    Section m_positive;
    Section m_negative;
    Section m_zero;
    bool m_hasNegative = false;
    bool m_hasZero = false;
};

// Format of amounts in lists: "### ### ##0" and, when the current cash box has
// decimals, "." and that many "0".
QString MoneyFormat();
QString MoneyFormat(int decimals);

// The program's date formats: yyyy, yy, mm/m (month, or minutes right after an hour),
// dd/d, hh/h, nn/n (minutes), ss/s, zzz (milliseconds), "…"/'…' literal;
// every other character is copied.  Example: "yyyy-mm-dd hh:nn:ss".
QString FormatDateTime(const QString &format, const QDateTime &value);
QString FormatDateTime(const QString &format, const QDate &value);

}  // namespace zorva
