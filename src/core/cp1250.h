// The Windows-1250 code page of the settings file, without losses: every byte has a
// character (the five unassigned bytes map to the control characters of the same code),
// so bytes read from a file are written back unchanged.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace zorva {

QString fromCp1250(const QByteArray &bytes);
QString fromCp1250(const char *data, qsizetype size);
// Characters outside the code page become "?" (one for a character outside the Basic
// Multilingual Plane); *complete tells whether all fitted.
QByteArray toCp1250(QStringView text, bool *complete = nullptr);
// The same appended to `out`, fast enough for long exports; true when all fitted.
bool appendCp1250(QByteArray &out, QStringView text);
// The byte of one character, -1 when the code page has none.
int cp1250Byte(char32_t c);

}  // namespace zorva
