// A field's value as plain text, the way the delimited export and the
// worksheet's text cells write it.
#pragma once

#include "field.h"

#include <QLocale>
#include <QString>

namespace zorva {

// Not the display format: integers in decimal, numbers in the shortest general
// form with the locale's decimal separator and no grouping, dates in the
// locale's short date format, date-times with " hh:mm:ss" after the date,
// times as hh:mm:ss, text as it is; NULL gives an empty text.
QString plainValueText(const TField &field, const QLocale &locale = QLocale());

// The shortest general form of a number, with the locale's decimal separator.
QString generalNumberText(double value, const QLocale &locale = QLocale());

// Rounds numerator/denominator to the nearest integer, halves to even
// (denominator > 0).  Exact for whole numbers, unlike rounding a double.
qint64 roundRatioHalfEven(qint64 numerator, qint64 denominator);

}  // namespace zorva
