// Splitting an SQL script into the statements the server takes one at a time.
#pragma once

#include <QList>
#include <QString>

namespace zorva {

struct SqlStatement {
    QString text;  // without the delimiter, without the comments and blanks before it
    int line = 0;  // 1-based line of the script where the statement begins
};

// The statements of a script in the mariadb client's dialect: a statement ends at the
// current delimiter (";" at first); a line "DELIMITER $$" (any case, any delimiter)
// changes it, so that procedure bodies holding ";" stay one statement.  Delimiters inside
// quotes ('...', "...", `...`, with backslash escapes and doubled quotes) and inside
// comments (-- and # to the end of the line, /* ... */) do not count.  Statements that
// hold nothing but comments and blanks are left out; text after the last delimiter is a
// statement of its own.
QList<SqlStatement> splitSqlScript(const QString &script);

}  // namespace zorva
