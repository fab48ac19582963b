// The scrambling of connection profiles kept in the settings file.  It works on the
// Windows-1250 codes of the characters (the settings file's code page); texts whose
// characters all have codes below 255 come back unchanged.
#pragma once

#include <QString>

namespace zorva {

// Three random filler characters, then for each character the one with the next code
// (modulo 256) followed by a filler; fillers are drawn uniformly from the codes 33-87.
QString ScrambleConStr(const QString &text);
// Drops the first three characters and takes every other one of the rest, each with its
// code lowered by one.  An empty text gives an empty text.
QString UnscrambleConStr(const QString &text);

}  // namespace zorva
