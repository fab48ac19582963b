#include "tabledump.h"

#include "database.h"
#include "errors.h"
#include "sqltext.h"
#include "table.h"

#include <QCoreApplication>
#include <QSaveFile>

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
        write(QStringLiteral("TRUNCATE ") + name + QLatin1Char(';') + kLineEnd +
              TableInsertScript(db, name, rows) + kLineEnd);
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
