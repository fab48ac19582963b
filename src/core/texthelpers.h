// Small text helpers used by every window.
#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QVariant>

namespace zorva {

// The n-th field (1-based) of text; every character of `delimiters` ends a field.
// Empty when there are fewer fields.  FieldOf(";", "a;;c", 3) == "c".
QString FieldOf(const QString &delimiters, const QString &text, int n);

// Every `from` replaced by `to`; a NULL value gives an empty text.
QString ReplaceChar(const QString &text, QChar from, QChar to);
QString ReplaceChar(const QVariant &value, QChar from, QChar to);
// Text without any of the characters of `chars`.
QString RemoveChars(const QString &chars, const QString &text);
QString RemoveSpaces(const QString &text);
int CountChar(QChar c, const QString &text);

// The trimmed text reduced to digits, a "-" only as its first character and only
// the first "," or ".".
QString NumericText(const QString &text);

// A number typed by a user: trimmed, reduced to digits, ",", "-" and "."; then
// "," becomes "." when the decimal separator is ".", otherwise "." becomes the
// separator.  `defaultValue` for an empty text or one that is no number
// ("1.234,5" has two separators).  Never fails.
double ParseAmount(const QString &text, double defaultValue,
                   QChar decimalSeparator = QLocale().decimalPoint().at(0));
// NumericText converted to an integer; 0 when empty or not an integer.
qint64 ParseInteger(const QString &text);

// A name usable as a file name: space ! " # % & ' * + / : ? @ \ become "-", every
// character that is no plain ASCII character in Windows-1250 (the bytes 0x81-0xFF,
// and characters the code page has not) becomes "_", then lower-cased.
// "Fix tételek" gives "fix-t_telek".
QString SafeFileName(const QString &text);

// A nullable database value; the default only for NULL.
QString TextOrDefault(const QVariant &value, const QString &defaultValue);
qint64 IntOrDefault(const QVariant &value, qint64 defaultValue);    // not an integer: 0
double FloatOrDefault(const QVariant &value, double defaultValue);  // not a number: 0

template <typename T>
T ChooseValue(bool condition, const T &a, const T &b)
{
    return condition ? a : b;
}
inline QString ChooseValue(bool condition, const char *a, const char *b)
{
    return QString::fromUtf8(condition ? a : b);
}

}  // namespace zorva
