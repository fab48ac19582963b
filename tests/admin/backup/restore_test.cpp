// Restoring backup scripts: the program's own restore and the stock client give tables
// identical to the source; a failure says where it stopped; row counts are compared.
#include "admin/backup/backup.h"
#include "admin/backup/restore.h"

#include "admin/dbinstall/dbinstall.h"
#include "sql/zorvaschema.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

// CHECKSUM TABLE of every base table, "name=sum".
QStringList checksums(TmySQLDatabase &db)
{
    QStringList out;
    for (const QString &t : db.tableNames())
        out << t + QLatin1Char('=') +
                   sqltest::rows(db, QStringLiteral("CHECKSUM TABLE `%1`").arg(t)).value(0).value(1);
    return out;
}

TEST(Restore, OwnRestoreAndTheStockClientGiveTheSourceTablesBack)
{
    REQUIRE_TEST_SERVER();
    sqltest::ZorvaSchema source;
    fillDemoData(source.db(), 300);
    source.db().execute(
        QString::fromUtf8("UPDATE ugyfel SET ugyfel_nev='O''Brien; \\\\ \\r\\n ő' WHERE ugyfel=1"));
    testsupport::TempFolder dir;
    ASSERT_TRUE(WriteScriptBackup(source.db(), dir.file("mentes.zip")));
    QString error;
    const QByteArray script = ReadBackupFile(dir.file("mentes.zip"), error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_FALSE(script.isEmpty());
    const QStringList expected = checksums(source.db());

    // Into a database with other rows: the script empties and refills every table.
    sqltest::ZorvaSchema own;
    sqltest::addBasicMasterData(own.db());
    int lastDone = 0, total = 0;
    const RestoreResult r = RestoreScript(own.db(), script, [&](int done, int count) {
        lastDone = done;
        total = count;
    });
    ASSERT_TRUE(r.completed) << r.error.toStdString();
    EXPECT_EQ(lastDone, total);
    EXPECT_EQ(r.statementsRun, r.statementCount);
    EXPECT_TRUE(RestoreMatches(r)) << RestoreResultText(r, own.name()).toStdString();
    EXPECT_TRUE(RestoreResultText(r, own.name()).contains("Minden tábla sorainak száma egyezik"));
    EXPECT_EQ(checksums(own.db()), expected);

    // The stock client reads the same script.
    QFile plain(dir.file("mentes.sql"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write(script);
    plain.close();
    sqltest::ZorvaSchema stock;
    const testsupport::ServerParams s = testsupport::serverParams();
    QProcess client;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MYSQL_PWD", s.password);
    client.setProcessEnvironment(env);
    client.setStandardInputFile(dir.file("mentes.sql"));
    client.start(QStandardPaths::findExecutable("mariadb"),
                 {"--host=" + s.host, "--port=" + QString::number(s.port), "--user=" + s.user,
                  "--default-character-set=latin2", stock.name()});
    ASSERT_TRUE(client.waitForFinished(60000));
    EXPECT_EQ(client.exitCode(), 0) << client.readAllStandardError().toStdString();
    EXPECT_EQ(checksums(stock.db()), expected);
}

TEST(Restore, FailureSaysWhereAndCountsAreCompared)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema schema;
    TmySQLDatabase &db = schema.db();
    db.execute("CREATE TABLE t (id INT PRIMARY KEY, s VARCHAR(10))");
    const QByteArray broken =
        "SET FOREIGN_KEY_CHECKS=0;\r\nTRUNCATE t;\r\nINSERT IGNORE INTO t (id,s) VALUES\r\n"
        "(1,'a;b'),\r\n(2,NULL);\r\n\r\nTRUNCATE nincs;\r\n\r\nSET FOREIGN_KEY_CHECKS=1;\r\n";
    const RestoreResult r = RestoreScript(db, broken);
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.statementsRun, 3);
    EXPECT_EQ(r.failedStatement, 4);
    EXPECT_EQ(r.failedLine, 7);
    EXPECT_EQ(r.failedTable, "nincs");
    EXPECT_EQ(db.queryInt("SELECT COUNT(*) FROM t"), 2);
    const QString text = RestoreResultText(r, "zorva");
    EXPECT_TRUE(text.contains("4. utasításnál (a mentés 7. sora, nincs tábla)")) << text.toStdString();

    // A duplicate key is skipped by INSERT IGNORE: the count check tells.
    const QByteArray twice =
        "TRUNCATE t;\r\nINSERT IGNORE INTO t (id,s) VALUES\r\n(1,'a'),\r\n(1,'b');\r\n\r\n";
    const RestoreResult d = RestoreScript(db, twice);
    EXPECT_TRUE(d.completed);
    EXPECT_FALSE(RestoreMatches(d));
    EXPECT_TRUE(RestoreResultText(d, "zorva").contains("t: a mentésben 2 sor, az adatbázisban 1"));
}

}  // namespace
