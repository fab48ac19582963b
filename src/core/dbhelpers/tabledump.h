// The backup script: every base table of a database as TRUNCATE and INSERT statements,
// in the connection's 8-bit character set with CR LF line ends.
#pragma once

#include <QString>

#include <functional>

class TDataSet;
class TmySQLDatabase;

namespace zorva {

// Rows per INSERT statement; a larger table is written as several statements with the
// same header line.
constexpr int kRowsPerInsert = 1000;

// The rows of an open dataset of table `tableName` as INSERT IGNORE statements, each line
// ended by CR LF; empty for an empty table.
//   INSERT IGNORE INTO kassza (kassza,kassza_nev) VALUES
//   (1,'Otthon'),
//   (2,'Bank');
// `rows` is told (rows written, row count) after every statement's worth of rows.
QString TableInsertScript(TDataSet &table, const QString &tableName,
                          const std::function<void(qint64 done, qint64 total)> &rows = {});
// The same for a table read afresh through `db`.
QString TableInsertScript(TmySQLDatabase &db, const QString &tableName,
                          const std::function<void(qint64 done, qint64 total)> &rows = {});

// One value as the script writes it (NULL, a string literal, a quoted date or date-time,
// or the number's text with "." as decimal separator).
QString ScriptValue(const TDataSet &ds, int column);

// Writes the script of every base table of db's schema, in the order the server lists
// them, to `fileName`: "SET FOREIGN_KEY_CHECKS=0;", then per table "TRUNCATE name;", its
// insert statements and an empty line, and last "SET FOREIGN_KEY_CHECKS=1;".  `progress`
// is told (tables done, table count) after each table; pending events run between tables.
// The file is replaced only when the whole script was written: an error (thrown on) leaves
// an earlier file as it was.
void DumpTableInserts(TmySQLDatabase &db, const std::function<void(int done, int total)> &progress,
                      const QString &fileName);

// Where a backup script stands: the table being written (its position among the tables,
// 1-based) and its rows written so far.
struct DumpProgress {
    int table = 0;
    int tableCount = 0;
    QString tableName;
    qint64 rowsDone = 0;
    qint64 rowCount = 0;
    bool tableDone = false;
};
// DumpTableInserts with the progress of the rows as well: told before each table, after
// every statement's worth of rows and when the table is done.
void WriteBackupScript(TmySQLDatabase &db, const std::function<void(const DumpProgress &)> &progress,
                       const QString &fileName);

}  // namespace zorva
