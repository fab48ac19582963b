#include "core/dbhelpers/tabledump.h"
#include "db/database.h"
#include "db/query.h"
#include "support/testserver.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs a script the way a restore does: statement by statement, a statement ending with
// the line that ends in ";".
int runScript(TmySQLDatabase &db, const QByteArray &bytes)
{
    const QString text = db.decode(bytes.constData(), size_t(bytes.size()));
    int statements = 0;
    QString statement;
    for (const QString &line : text.split(QStringLiteral("\r\n"))) {
        if (line.isEmpty() && statement.isEmpty())
            continue;
        statement += line + QLatin1Char('\n');
        if (line.endsWith(QLatin1Char(';'))) {
            db.execute(statement);
            ++statements;
            statement.clear();
        }
    }
    EXPECT_TRUE(statement.trimmed().isEmpty()) << "unterminated: " << statement.toStdString();
    return statements;
}

// Every row of a table as text, in key order; NULL shown as <NULL>.
QStringList rowsOf(TmySQLDatabase &db, const QString &table, const QString &key)
{
    TmySQLQuery q(&db);
    q.setSQL(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, key));
    q.open();
    QStringList rows;
    for (q.first(); !q.eof(); q.next()) {
        QStringList values;
        for (int i = 0; i < q.fieldCount(); ++i)
            values << (q.fields(i).isNull() ? QStringLiteral("<NULL>") : q.fields(i).asString());
        rows << values.join(QLatin1Char('|'));
    }
    q.close();
    return rows;
}

}  // namespace

TEST(BackupScript, SmallSchemaByteExact)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema schema;
    TmySQLDatabase &db = schema.db();
    db.execute(
        "CREATE TABLE kassza (kassza INT NOT NULL PRIMARY KEY, Kassza_Nev VARCHAR(50), nyito DOUBLE, "
        "egyenleg DECIMAL(12,2), datum DATE, ido DATETIME, megj TEXT, t TIME, elso TINYINT)");
    db.execute(QString::fromUtf8(
        "INSERT INTO kassza VALUES (1,'Otthon',1234.5,12.5,'2010-03-03','2010-03-03 14:05:09',"
        "'O''Brien \\\\ x\\r\\ny ő ű Ő Ű','12:30:00',-1),"
        "(2,'Bank',NULL,NULL,NULL,NULL,NULL,NULL,NULL)"));
    db.execute("CREATE TABLE ures (id INT PRIMARY KEY)");
    db.execute("CREATE VIEW v_kassza AS SELECT kassza, Kassza_Nev FROM kassza");

    testsupport::TempFolder dir;
    const QString file = dir.file("mentes.sql");
    std::vector<std::pair<int, int>> steps;
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    DumpTableInserts(
        db, [&](int done, int total) { steps.emplace_back(done, total); }, file);
    QLocale::setDefault(saved);

    const QByteArray expected =
        "SET FOREIGN_KEY_CHECKS=0;\r\n"
        "TRUNCATE kassza;\r\n"
        "INSERT IGNORE INTO kassza (kassza,kassza_nev,nyito,egyenleg,datum,ido,megj,t,elso) VALUES\r\n"
        "(1,'Otthon',1234.5,12.50,'2010-03-03','2010-03-03 14:05:09',"
        "'O''Brien \\\\ x\\r\\ny \xF5 \xFB \xD5 \xDB','12:30:00',-1),\r\n"
        "(2,'Bank',NULL,NULL,NULL,NULL,NULL,NULL,NULL);\r\n"
        "\r\n"
        "TRUNCATE ures;\r\n"
        "\r\n"
        "SET FOREIGN_KEY_CHECKS=1;\r\n";
    EXPECT_EQ(readBytes(file), expected);
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
    EXPECT_EQ(TableInsertScript(db, "ures"), "");
}

TEST(BackupScript, LargeTablesSplitAndRestoreIntoAnotherSchema)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema source;
    TmySQLDatabase &db = source.db();
    // The child sorts before its parent, so the restore needs the foreign key checks off.
    db.execute("CREATE TABLE b_kassza (kassza INT PRIMARY KEY, nev VARCHAR(30)) ENGINE=InnoDB");
    db.execute(
        "CREATE TABLE a_tetel (hid INT AUTO_INCREMENT PRIMARY KEY, kassza INT NOT NULL, "
        "datum DATE, ido DATETIME, osszeg DOUBLE, szoveg TEXT, "
        "FOREIGN KEY (kassza) REFERENCES b_kassza(kassza)) ENGINE=InnoDB");
    db.execute(QString::fromUtf8("INSERT INTO b_kassza VALUES (1,'Otthon'),(2,'Bank ő')"));
    QString insert = "INSERT INTO a_tetel (kassza, datum, ido, osszeg, szoveg) VALUES ";
    const int rows = 2345;
    for (int i = 1; i <= rows; ++i) {
        if (i > 1)
            insert += ',';
        const QString text = i % 7 == 0   ? QStringLiteral("NULL")
                             : i % 5 == 0 ? QString::fromUtf8("'Sor \\'%1\\' \\\\ ő\\r\\nű;'").arg(i)
                                          : QStringLiteral("'t%1'").arg(i);
        insert += QStringLiteral(
                      "(%1, DATE_ADD('2009-01-01', INTERVAL %2 DAY), "
                      "TIMESTAMPADD(SECOND, %3, '2010-03-03 00:00:00'), %4, %5)")
                      .arg(1 + i % 2)
                      .arg(i % 400)
                      .arg(i * 37)
                      .arg(i % 3 == 0 ? QStringLiteral("NULL") : QString::number(i * 1.25 - 1000, 'g', 15))
                      .arg(text);
    }
    db.execute(insert);

    testsupport::TempFolder dir;
    const QString file = dir.file("mentes.sql");
    DumpTableInserts(db, nullptr, file);
    const QByteArray script = readBytes(file);

    // Statements of at most 1,000 rows, each with the same header and ending in ");".
    const QList<QByteArray> lines = script.split('\n');
    const QByteArray header = "INSERT IGNORE INTO a_tetel (hid,kassza,datum,ido,osszeg,szoveg) VALUES\r";
    EXPECT_EQ(lines.count(header), 3);
    int inStatement = -1, maxRows = 0;
    for (const QByteArray &line : lines) {
        if (line == header) {
            inStatement = 0;
        } else if (inStatement >= 0 && line.startsWith('(')) {
            ++inStatement;
            maxRows = std::max(maxRows, inStatement);
            if (line.endsWith(");\r"))
                inStatement = -1;
            else
                EXPECT_TRUE(line.endsWith("),\r"));
        }
    }
    EXPECT_EQ(maxRows, 1000);
    EXPECT_TRUE(script.startsWith("SET FOREIGN_KEY_CHECKS=0;\r\nTRUNCATE a_tetel;\r\n"));
    EXPECT_TRUE(script.endsWith("\r\n\r\nSET FOREIGN_KEY_CHECKS=1;\r\n"));

    // Restore into a schema with the same tables and other rows.
    testsupport::ScratchSchema target;
    TmySQLDatabase &restored = target.db();
    for (const QString &table : {QStringLiteral("b_kassza"), QStringLiteral("a_tetel")}) {
        restored.execute(QStringLiteral("CREATE TABLE %1 LIKE `%2`.%1").arg(table, source.name()));
    }
    restored.execute("ALTER TABLE a_tetel ADD FOREIGN KEY (kassza) REFERENCES b_kassza(kassza)");
    restored.execute("INSERT INTO b_kassza VALUES (9, 'régi')");
    restored.execute("INSERT INTO a_tetel (kassza, szoveg) VALUES (9, 'régi sor')");

    EXPECT_EQ(runScript(restored, script), 8);  // SET, TRUNCATE, 3 INSERTs, TRUNCATE, INSERT, SET
    EXPECT_EQ(restored.queryInt("SELECT COUNT(*) FROM a_tetel", 0), rows);
    EXPECT_EQ(rowsOf(restored, "b_kassza", "kassza"), rowsOf(db, "b_kassza", "kassza"));
    EXPECT_EQ(rowsOf(restored, "a_tetel", "hid"), rowsOf(db, "a_tetel", "hid"));
    EXPECT_EQ(restored.queryInt("SELECT @@foreign_key_checks", -1), 1);
}

TEST(BackupScript, FailureIsAnErrorAndKeepsAnEarlierFile)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema schema;
    schema.db().execute("CREATE TABLE k (id INT PRIMARY KEY)");
    testsupport::TempFolder dir;
    EXPECT_THROW(DumpTableInserts(schema.db(), nullptr, dir.file("nincs/mentes.sql")), std::exception);

    const QString file = dir.file("mentes.sql");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier backup");
    }
    // The second table disappears while the first is written: reading it fails.
    schema.db().execute("CREATE TABLE l (id INT PRIMARY KEY)");
    auto dropNext = [&](int done, int) {
        if (done == 1)
            schema.db().execute("DROP TABLE l");
    };
    EXPECT_THROW(DumpTableInserts(schema.db(), dropNext, file), EmySQLDatabaseError);
    EXPECT_EQ(readBytes(file), "earlier backup");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"mentes.sql"});
}

TEST(BackupScript, BinaryFractionsAndTheDatasetPathAgree)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema schema;
    TmySQLDatabase &db = schema.db();
    db.execute(
        "CREATE TABLE b (id INT PRIMARY KEY, kep BLOB, nyers VARBINARY(8), ido DATETIME(3), e "
        "ENUM('a','b'))");
    db.execute(
        "INSERT INTO b VALUES (1, 0x00FF27, '', '2010-03-03 14:05:09.123', 'b'), (2, NULL, 0x5C, NULL, "
        "NULL)");
    testsupport::TempFolder dir;
    DumpTableInserts(db, nullptr, dir.file("b.sql"));
    const QByteArray expected =
        "SET FOREIGN_KEY_CHECKS=0;\r\n"
        "TRUNCATE b;\r\n"
        "INSERT IGNORE INTO b (id,kep,nyers,ido,e) VALUES\r\n"
        "(1,0x00ff27,'','2010-03-03 14:05:09','b'),\r\n"
        "(2,NULL,0x5c,NULL,NULL);\r\n"
        "\r\n"
        "SET FOREIGN_KEY_CHECKS=1;\r\n";
    EXPECT_EQ(readBytes(dir.file("b.sql")), expected);
    // The rows held as a dataset give the same statements.
    EXPECT_EQ(db.encode(TableInsertScript(db, "b")),
              expected.mid(expected.indexOf("INSERT"),
                           expected.indexOf("\r\n\r\nSET") + 2 - expected.indexOf("INSERT")));
}
