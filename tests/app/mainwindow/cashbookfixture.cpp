#include "cashbookfixture.h"

#include "app/mainwindow/main.h"
#include "db/database.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <stdexcept>

namespace testsupport {

void runScript(TmySQLDatabase &db, const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error(("cannot read " + path).toStdString());
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    QString delimiter = QStringLiteral(";");
    QString statement;
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QStringLiteral("DELIMITER "), Qt::CaseInsensitive)) {
            delimiter = trimmed.mid(10).trimmed();
            continue;
        }
        if (statement.isEmpty() && (trimmed.isEmpty() || trimmed.startsWith(QStringLiteral("--"))))
            continue;
        statement += line + u'\n';
        if (trimmed.endsWith(delimiter)) {
            QString sql = statement.trimmed();
            sql.chop(delimiter.size());
            db.execute(sql);
            statement.clear();
        }
    }
    if (!statement.trimmed().isEmpty())
        db.execute(statement);
}

void loadSchema(TmySQLDatabase &db)
{
    const QString dir = QStringLiteral(ZORVA_SQL_DIR);
    runScript(db, dir + "/schema/tables.sql");
    const QDir steps(dir + "/upgrade");
    for (const QString &step : steps.entryList({QStringLiteral("[0-9][0-9][0-9].sql")}, QDir::Files, QDir::Name))
        runScript(db, steps.filePath(step));
    for (const char *name : {"triggers", "chain", "entries", "views", "bills", "debts"})
        runScript(db, dir + "/routines/" + name + ".sql");
}

void loadCashBookSchema(TmySQLDatabase &db)
{
    loadSchema(db);
    runScript(db, QStringLiteral(ZORVA_SQL_DIR "/demo/household.sql"));
}

int addEntry(TmySQLDatabase &db, const QDate &date, int kassza, int kasszatip, double amount, const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\'', QStringLiteral("''"));
    db.execute(QStringLiteral("CALL sp_kassza_ins('%1',%2,%3,%4,'%5',0);")
                   .arg(date.toString(Qt::ISODate))
                   .arg(kassza)
                   .arg(kasszatip)
                   .arg(amount, 0, 'f', 2)
                   .arg(escaped));
    return int(db.queryInt(QStringLiteral("SELECT LAST_INSERT_ID();")));
}

std::unique_ptr<Tfrm_Main> openMainWindow(ScratchSchema &schema)
{
    auto w = std::make_unique<Tfrm_Main>();
    TmySQLDatabase &src = schema.db();
    TmySQLDatabase &db = w->mySQLDatabase1();
    db.setHost(src.host());
    db.setPort(src.port());
    db.setUserName(src.userName());
    db.setUserPassword(src.userPassword());
    db.setDatabaseName(src.databaseName());
    db.setConnectOptions(src.connectOptions());
    db.setConnectionCharacterSet(src.connectionCharacterSet());
    db.setConnectionCollation(src.connectionCollation());
    db.setParams(src.params());
    db.open();
    w->setSortField(QStringLiteral("hazikassza"));
    w->setListFilter(Tfrm_Main::lastMonthFilter());
    w->ReloadList();
    return w;
}

}  // namespace testsupport
