#include "tabledump.h"

#include "core/sqltext.h"
#include "db/database.h"
#include "db/errors.h"
#include "db/table.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <mysql.h>

#include <algorithm>
#include <vector>

#include <stdexcept>

namespace zorva {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

bool looksNumeric(const QString &text)
{
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

[[noreturn]] void fileError(const char *what, const QString &fileName, const QString &reason)
{
    throw std::runtime_error(
        (QString::fromUtf8(what) + fileName + QStringLiteral(" (") + reason + QLatin1Char(')'))
            .toStdString());
}

}  // namespace

QString ScriptValue(const TDataSet &ds, int column)
{
    const TField &f = ds.fields(column);
    if (f.isNull())
        return QStringLiteral("NULL");
    switch (f.dataType()) {
        case TFieldType::ftString:
        case TFieldType::ftMemo:
            return SqlText(f.asString());
        case TFieldType::ftTime:
            // The server's own text: a time column may hold more than 24 hours or a sign.
            return SqlText(QString::fromLatin1(f.asBytes()));
        case TFieldType::ftDate:
            return SqlDate(f.asDate());
        case TFieldType::ftDateTime:
            return SqlDateTime(f.asDateTime());
        case TFieldType::ftBlob: {
            // Binary data as a hexadecimal literal, so that any byte survives the script.
            const QByteArray bytes = f.asBytes();
            return bytes.isEmpty() ? QStringLiteral("''")
                                   : QStringLiteral("0x") + QString::fromLatin1(bytes.toHex());
        }
        case TFieldType::ftUnknown: {
            QString text = f.asString();
            return looksNumeric(text) ? text : SqlText(text);
        }
        default: {
            QString text = f.asString();
            text.replace(QLatin1Char(','), QLatin1Char('.'));
            return text;
        }
    }
}

QString TableInsertScript(TDataSet &table, const QString &tableName,
                          const std::function<void(qint64 done, qint64 total)> &rows)
{
    if (!table.isActive())
        table.open();
    if (table.isEmpty())
        return QString();

    QStringList names;
    std::vector<int> columns;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const TField &f = table.fields(i);
        if (f.isCalculated() || f.isLookup())
            continue;
        names << f.fieldName().toLower();
        columns.push_back(i);
    }
    const QString header = QStringLiteral("INSERT IGNORE INTO ") + tableName + QStringLiteral(" (") +
                           names.join(QLatin1Char(',')) + QStringLiteral(") VALUES") + kLineEnd;

    QString out;
    const int total = table.recordCount();
    int row = 0;
    table.disableControls();
    try {
        for (table.first(); !table.eof(); table.next()) {
            if (row % kRowsPerInsert == 0)
                out += header;
            out += QLatin1Char('(');
            for (size_t c = 0; c < columns.size(); ++c) {
                if (c > 0)
                    out += QLatin1Char(',');
                out += ScriptValue(table, columns[c]);
            }
            ++row;
            const bool lastOfStatement = row % kRowsPerInsert == 0 || row == total;
            out += lastOfStatement ? QStringLiteral(");") : QStringLiteral("),");
            out += kLineEnd;
            if (lastOfStatement && rows)
                rows(row, total);
        }
    } catch (...) {
        table.enableControls();
        throw;
    }
    table.enableControls();
    return out;
}

QString TableInsertScript(TmySQLDatabase &db, const QString &tableName,
                          const std::function<void(qint64 done, qint64 total)> &rows)
{
    TmySQLTable table(&db);
    table.setTableName(tableName);
    table.open();
    const QString script = TableInsertScript(table, tableName, rows);
    table.close();
    return script;
}

namespace {

enum class Kind { Number, Text, Date, DateTime, Blob };

// The script of one table read row by row from the server, its bytes written as they come:
// the same text TableInsertScript gives, without holding the table in memory.  False (and
// nothing written) when the table has a column kind only the dataset path handles.
bool streamTable(TmySQLDatabase &db, const QString &tableName,
                 const std::function<void(const QByteArray &)> &write,
                 const std::function<void(qint64 done, qint64 total)> &rows)
{
    MYSQL *h = db.handle();
    const QByteArray sql = db.encode(QStringLiteral("SELECT * FROM `") + tableName + QLatin1Char('`'));
    const auto fail = [&] { throw db.lastError(); };
    if (mysql_real_query(h, sql.constData(), static_cast<unsigned long>(sql.size())) != 0)
        fail();
    MYSQL_RES *res = mysql_use_result(h);
    if (!res)
        fail();
    struct Free {
        MYSQL_RES *r;
        ~Free() { mysql_free_result(r); }
    } freeResult{res};
    const unsigned n = mysql_num_fields(res);
    const MYSQL_FIELD *fields = mysql_fetch_fields(res);
    std::vector<Kind> kinds(n);
    QStringList names;
    for (unsigned i = 0; i < n; ++i) {
        const MYSQL_FIELD &f = fields[i];
        switch (f.type) {
            case MYSQL_TYPE_BIT:
            case MYSQL_TYPE_GEOMETRY:
                return false;
            case MYSQL_TYPE_TINY:
            case MYSQL_TYPE_SHORT:
            case MYSQL_TYPE_YEAR:
            case MYSQL_TYPE_LONG:
            case MYSQL_TYPE_INT24:
            case MYSQL_TYPE_LONGLONG:
            case MYSQL_TYPE_FLOAT:
            case MYSQL_TYPE_DOUBLE:
            case MYSQL_TYPE_DECIMAL:
            case MYSQL_TYPE_NEWDECIMAL:
                kinds[i] = Kind::Number;
                break;
            case MYSQL_TYPE_DATE:
            case MYSQL_TYPE_NEWDATE:
                kinds[i] = Kind::Date;
                break;
            case MYSQL_TYPE_DATETIME:
            case MYSQL_TYPE_TIMESTAMP:
                kinds[i] = Kind::DateTime;
                break;
            case MYSQL_TYPE_TIME:
            case MYSQL_TYPE_NULL:
                kinds[i] = Kind::Text;
                break;
            default:
                kinds[i] = f.charsetnr == 63 ? Kind::Blob : Kind::Text;
                break;
        }
        names << db.decode(f.name, f.name_length).toLower();
    }
    const QByteArray header =
        db.encode(QStringLiteral("INSERT IGNORE INTO ") + tableName + QStringLiteral(" (") +
                  names.join(QLatin1Char(',')) + QStringLiteral(") VALUES\r\n"));
    static const char hex[] = "0123456789abcdef";
    QByteArray out;
    out.reserve(1 << 20);
    qint64 row = 0;
    for (MYSQL_ROW r = mysql_fetch_row(res); r;) {
        const unsigned long *len = mysql_fetch_lengths(res);
        if (row % kRowsPerInsert == 0)
            out += header;
        out += '(';
        for (unsigned c = 0; c < n; ++c) {
            if (c > 0)
                out += ',';
            const char *v = r[c];
            if (!v) {
                out += "NULL";
                continue;
            }
            const unsigned long l = len[c];
            switch (kinds[c]) {
                case Kind::Number:
                    for (unsigned long k = 0; k < l; ++k)
                        out += v[k] == ',' ? '.' : v[k];
                    break;
                case Kind::Date:
                case Kind::DateTime:
                    // Fractions of a second are left out, as the dataset path writes them.
                    out += '\'';
                    out.append(v, qsizetype(std::min<unsigned long>(l, kinds[c] == Kind::Date ? 10 : 19)));
                    out += '\'';
                    break;
                case Kind::Blob:
                    if (l == 0) {
                        out += "''";
                        break;
                    }
                    out += "0x";
                    for (unsigned long k = 0; k < l; ++k) {
                        out += hex[(uchar(v[k]) >> 4) & 0xF];
                        out += hex[uchar(v[k]) & 0xF];
                    }
                    break;
                case Kind::Text:
                    out += '\'';
                    for (unsigned long k = 0; k < l; ++k) {
                        switch (v[k]) {
                            case '\\':
                                out += "\\\\";
                                break;
                            case '\r':
                                out += "\\r";
                                break;
                            case '\n':
                                out += "\\n";
                                break;
                            case '\'':
                                out += "''";
                                break;
                            default:
                                out += v[k];
                        }
                    }
                    out += '\'';
                    break;
            }
        }
        ++row;
        r = mysql_fetch_row(res);
        const bool lastOfStatement = row % kRowsPerInsert == 0 || !r;
        out += lastOfStatement ? ");\r\n" : "),\r\n";
        if (lastOfStatement) {
            write(out);
            out.clear();
            if (rows)
                rows(row, 0);
        }
    }
    if (mysql_errno(h) != 0)
        fail();
    return true;
}

}  // namespace

void DumpTableInserts(TmySQLDatabase &db, const std::function<void(int done, int total)> &progress,
                      const QString &fileName)
{
    std::function<void(const DumpProgress &)> tables;
    if (progress)
        tables = [&progress](const DumpProgress &p) {
            if (p.tableDone)
                progress(p.table, p.tableCount);
        };
    WriteBackupScript(db, tables, fileName);
}

void WriteBackupScript(TmySQLDatabase &db, const std::function<void(const DumpProgress &)> &progress,
                       const QString &fileName)
{
    db.open();
    const QStringList tables = db.tableNames();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        fileError("A mentés fájlja nem hozható létre: ", fileName, file.errorString());
    auto write = [&](const QString &text) {
        const QByteArray bytes = db.encode(text);
        if (file.write(bytes) != bytes.size())
            fileError("A mentés fájlja nem írható: ", fileName, file.errorString());
    };

    write(QStringLiteral("SET FOREIGN_KEY_CHECKS=0;") + kLineEnd);
    DumpProgress state;
    state.tableCount = int(tables.size());
    for (const QString &name : tables) {
        ++state.table;
        state.tableName = name;
        state.rowsDone = state.rowCount = 0;
        state.tableDone = false;
        if (progress)
            progress(state);
        const auto rows = [&](qint64 done, qint64 total) {
            state.rowsDone = done;
            state.rowCount = total;
            if (progress)
                progress(state);
            QCoreApplication::processEvents();
        };
        write(QStringLiteral("TRUNCATE ") + name + QLatin1Char(';') + kLineEnd);
        const auto writeBytes = [&](const QByteArray &bytes) {
            if (file.write(bytes) != bytes.size())
                fileError("A mentés fájlja nem írható: ", fileName, file.errorString());
        };
        if (!streamTable(db, name, writeBytes, rows))
            write(TableInsertScript(db, name, rows));
        write(kLineEnd);
        state.tableDone = true;
        if (progress)
            progress(state);
        QCoreApplication::processEvents();
    }
    write(QStringLiteral("SET FOREIGN_KEY_CHECKS=1;") + kLineEnd);
    if (!file.commit())
        fileError("A mentés fájlja nem írható: ", fileName, file.errorString());
}

}  // namespace zorva
