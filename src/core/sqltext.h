// Values written into statement texts, and the escaping of delimited-text cells.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace zorva {

// A MySQL string literal: backslashes doubled, CR as \r, LF as \n, quotes doubled,
// the whole in single quotes.  A NULL value gives two single quotes.
QString SqlText(const QString &value);
QString SqlText(const QVariant &value);
// Keeps a string literal from being taken for a QVariant.
inline QString SqlText(const char *value)
{
    return SqlText(QString::fromUtf8(value));
}

// 'yyyy-mm-dd'; an invalid date gives '0000-00-00'.
QString SqlDate(const QDate &date);
// 'yyyy-mm-dd hh:nn:ss'; an invalid value gives '0000-00-00 00:00:00'.
QString SqlDateTime(const QDateTime &value);

// Shortest general form with up to 15 significant digits, a point as decimal
// separator, no grouping.  NaN and infinities (which MySQL cannot take) give NULL.
QString SqlNumber(double value);

// The integer in decimal; "0" for NULL or a value that is not an integer.
QString SqlIntOrZero(const QVariant &value);

// A cell of a delimited-text export: backslashes doubled, CR written as the two
// characters "\n", LF removed.  NULL gives an empty text.
QString CsvEscape(const QString &value);
QString CsvEscape(const QVariant &value);

}  // namespace zorva
