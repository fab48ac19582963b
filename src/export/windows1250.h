// Text in the Windows-1250 code page, the character set of every file the
// program writes for other programs (HTML pages, delimited text, worksheets).
#pragma once

#include <QByteArray>
#include <QStringView>

namespace zorva {

// Appends the text in Windows-1250 (the mapping of cp1250.h); a character the
// code page lacks becomes "?".
void appendWindows1250(QByteArray &out, QStringView text);
QByteArray toWindows1250(QStringView text);

}  // namespace zorva
