// Splitting the text of the free SQL window into the statements it runs one by one.
#pragma once

#include <QString>
#include <QStringList>

namespace zorva {

struct ScriptParts {
    QStringList statements;  // each ending with its ";"
    QString rest;            // the text after the last ";" (not run)
};

// A statement ends at a ";" outside quoted texts ('...', "...", `...`, with doubled quotes
// and backslash escapes inside '...' and "...") and outside comments ("-- " and "#" to the
// end of the line, "/* ... */").
ScriptParts SplitScript(const QString &text);

// True when a statement holds nothing but blanks, comments and its ";".
bool IsEmptyStatement(const QString &statement);

}  // namespace zorva
