#include "admin/backup/backup.h"
#include "admin/backup/backuppanel.h"

#include "db/database.h"
#include "db/query.h"
#include "support/testserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>

#include <gtest/gtest.h>
#include <zip.h>

using namespace zorva;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs the script statement by statement as a restore would.
void runScript(TmySQLDatabase &db, const QByteArray &bytes)
{
    const QString text = db.decode(bytes.constData(), size_t(bytes.size()));
    QString statement;
    for (const QString &line : text.split(QStringLiteral("\r\n"))) {
        if (line.isEmpty() && statement.isEmpty())
            continue;
        statement += line + QLatin1Char('\n');
        if (line.endsWith(QLatin1Char(';'))) {
            db.execute(statement);
            statement.clear();
        }
    }
    EXPECT_TRUE(statement.trimmed().isEmpty());
}

QStringList rowsOf(TmySQLDatabase &db, const QString &table)
{
    TmySQLQuery q(&db);
    q.setSQL(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table));
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

void fillSource(TmySQLDatabase &db)
{
    db.execute(
        "CREATE TABLE tetel (id INT PRIMARY KEY, szoveg TEXT, datum DATE, ido DATETIME,"
        " osszeg DOUBLE, ora TIME)");
    db.execute(QString::fromUtf8(
        "INSERT INTO tetel VALUES (1,'O''Brien','2010-03-03','2010-03-03 14:05:09',1234.5,'08:30:00'),"
        "(2,'a\\\\b\\r\\nkét sor',NULL,NULL,-0.25,NULL),(3,NULL,'1999-12-31',NULL,NULL,'00:00:01')"));
    db.execute("CREATE TABLE ures (id INT PRIMARY KEY)");
    db.execute("CREATE VIEW v_tetel AS SELECT id, szoveg FROM tetel");
}

struct ZipEntry {
    qint64 count = -1;
    QString name;
    int method = -1;
    QByteArray data;
};

ZipEntry readZip(const QString &path)
{
    ZipEntry result;
    int code = 0;
    const QByteArray p = QFile::encodeName(path);
    zip_t *za = zip_open(p.constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!za)
        return result;
    result.count = zip_get_num_entries(za, 0);
    zip_stat_t st;
    if (result.count > 0 && zip_stat_index(za, 0, 0, &st) == 0) {
        result.name = QString::fromUtf8(st.name);
        result.method = st.comp_method;
        result.data.resize(qsizetype(st.size));
        zip_file_t *zf = zip_fopen_index(za, 0, 0);
        if (zf) {
            zip_fread(zf, result.data.data(), st.size);
            zip_fclose(zf);
        }
    }
    zip_close(za);
    return result;
}

}  // namespace

TEST(Backup, PlainAndZippedScriptsRestoreTheSameRows)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema source;
    fillSource(source.db());
    testsupport::TempFolder dir;

    ASSERT_TRUE(WriteScriptBackup(source.db(), dir.file("sima.sql")));
    const QByteArray plain = readBytes(dir.file("sima.sql"));
    EXPECT_FALSE(plain.contains("v_tetel"));
    EXPECT_TRUE(plain.contains("TRUNCATE ures;\r\n\r\n"));

    ASSERT_TRUE(WriteScriptBackup(source.db(), dir.file("mentes.zip")));
    // Only the archive is left of the zipped backup.
    EXPECT_FALSE(QFile::exists(dir.file("mentes.sql")));
    const ZipEntry entry = readZip(dir.file("mentes.zip"));
    ASSERT_EQ(entry.count, 1);
    EXPECT_EQ(entry.name, QStringLiteral("mentes.sql"));
    EXPECT_EQ(entry.method, ZIP_CM_DEFLATE);
    EXPECT_EQ(entry.data, plain);

    // Into a fresh schema with the same tables and some old rows, which the script replaces.
    testsupport::ScratchSchema target;
    TmySQLDatabase &restored = target.db();
    for (const char *table : {"tetel", "ures"})
        restored.execute(
            QStringLiteral("CREATE TABLE %1 LIKE `%2`.%1").arg(QLatin1String(table), source.name()));
    restored.execute("INSERT INTO tetel (id, szoveg) VALUES (9, 'régi')");
    restored.execute("INSERT INTO ures VALUES (5)");
    runScript(restored, entry.data);
    EXPECT_EQ(rowsOf(restored, "tetel"), rowsOf(source.db(), "tetel"));
    EXPECT_EQ(rowsOf(restored, "tetel").size(), 3);
    EXPECT_TRUE(rowsOf(restored, "ures").isEmpty());
}

TEST(Backup, PackingFailureKeepsTheScript)
{
    testsupport::TempFolder dir;
    QFile f(dir.file("adat.sql"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("TRUNCATE k;\r\n\r\n");
    f.close();
    // An archive name taken by a folder cannot be written.
    ASSERT_TRUE(QDir(dir.path()).mkdir("adat.zip"));
    QString error;
    EXPECT_FALSE(PackScript(dir.file("adat.sql"), dir.file("adat.zip"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFile::exists(dir.file("adat.sql")));
    // A missing script is an error too, not an empty archive.
    EXPECT_FALSE(PackScript(dir.file("nincs.sql"), dir.file("nincs.zip"), error));
    EXPECT_FALSE(QFile::exists(dir.file("nincs.zip")));
}

TEST(Backup, FileNames)
{
    EXPECT_EQ(BackupFileName("zorva", QDateTime(QDate(2010, 3, 3), QTime(14, 5, 9))),
              QStringLiteral("zorva-2010-03-03-14-05-09"));
    EXPECT_EQ(ScriptFileName("/x/mentes.ZIP"), QStringLiteral("/x/mentes.sql"));
    EXPECT_EQ(ScriptFileName("/x/a.b.zip"), QStringLiteral("/x/a.b.sql"));
    EXPECT_EQ(ScriptFileName("/x/mentes.sql"), QStringLiteral("/x/mentes.sql"));
}

TEST(Backup, DumpCommandLineAndFile)
{
    ProfileFields p;
    p.database = "zorva";
    p.host = "localhost";
    p.port = 3306;
    p.user = "root";
    p.password = "titok";
    EXPECT_EQ(DumpCommandLine("/usr/bin/mysqldump", p, "/tmp/a b.sql"),
              QStringLiteral("\"/usr/bin/mysqldump\" -c -C --force --databases zorva --password=titok"
                             " --port=3306 --host=localhost --user=root --result-file=\"/tmp/a b.sql\""));
    EXPECT_EQ(DumpCommandLine("", ProfileFields{}, "x.sql"),
              QStringLiteral("\"\" -c -C --force --databases  --password= --port=0 --host= --user="
                             " --result-file=\"x.sql\""));
}

TEST(Backup, DumpToolRunsAsAChildWithThePasswordOffItsCommandLine)
{
    ProfileFields p;
    p.database = "zorva";
    p.host = "localhost";
    p.port = 3306;
    p.user = "root";
    p.password = "ti tok";
    // A stand-in tool records its arguments, its environment's password and the command
    // file's permissions, reports progress and an error line, and fails.
    testsupport::TempFolder dir;
    const QString tool = dir.file("fake dump");
    {
        QFile f(tool);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > args.txt\n"
            "echo \"$MYSQL_PWD\" > pwd.txt\nstat -c %a Mentes.cmd > perm.txt\n"
            "echo '-- Retrieving table structure for table kassza...' >&2\n"
            "echo 'mariadb-dump: Got error: 1045' >&2\nexit 2\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    QStringList progressLines;
    const DumpRunResult r =
        RunDumpTool(tool, p, dir.file("ki.sql"), dir.path(), [&](const QString &line, qint64) {
            if (!line.isEmpty())
                progressLines << line;
        });
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.errorOutput, "mariadb-dump: Got error: 1045");
    EXPECT_EQ(progressLines, QStringList{"-- Retrieving table structure for table kassza..."});
    EXPECT_FALSE(QFile::exists(DumpCommandFile(dir.path())));
    const QList<QByteArray> args = readBytes(dir.file("args.txt")).split('\n');
    ASSERT_GE(args.size(), 10);
    EXPECT_EQ(args[0], "-c");
    EXPECT_EQ(args[5], "zorva");
    EXPECT_EQ(args[9], ("--result-file=" + dir.file("ki.sql")).toUtf8());
    EXPECT_FALSE(readBytes(dir.file("args.txt")).contains("ti tok"));
    EXPECT_EQ(readBytes(dir.file("pwd.txt")), "ti tok\n");
    EXPECT_EQ(readBytes(dir.file("perm.txt")), "600\n");
    EXPECT_TRUE(DumpResultText(r, tool, dir.file("ki.sql")).contains("kilépési kódja: 2"));

    // A path that names no program is reported, not lost.
    const DumpRunResult missing = RunDumpTool(dir.file("nincs"), p, dir.file("ki2.sql"), dir.path());
    EXPECT_FALSE(missing.started);
    EXPECT_TRUE(DumpResultText(missing, dir.file("nincs"), "").startsWith("A mentőprogram nem indítható"));
    EXPECT_FALSE(RunDumpTool("", p, dir.file("ki3.sql"), dir.path()).started);
    EXPECT_FALSE(QFile::exists(DumpCommandFile(dir.path())));
}

TEST(Backup, RealDumpToolAgainstTheServerAndItsRefusal)
{
    REQUIRE_TEST_SERVER();
    const QString dumpTool = QStandardPaths::findExecutable("mariadb-dump");
    ASSERT_FALSE(dumpTool.isEmpty());
    testsupport::ScratchSchema source;
    source.db().execute("CREATE TABLE kassza (kassza INT PRIMARY KEY, kassza_nev VARCHAR(20))");
    source.db().execute("INSERT INTO kassza VALUES (1,'Otthon'),(2,'Bank')");
    const testsupport::ServerParams s = testsupport::serverParams();
    ProfileFields p;
    p.database = source.name();
    p.host = s.host;
    p.port = s.port;
    p.user = s.user;
    p.password = s.password;
    testsupport::TempFolder dir;
    const DumpRunResult ok = RunDumpTool(dumpTool, p, dir.file("teljes.sql"), dir.path());
    EXPECT_EQ(ok.exitCode, 0) << ok.errorOutput.toStdString();
    const QByteArray dump = readBytes(dir.file("teljes.sql"));
    EXPECT_TRUE(dump.contains("CREATE DATABASE"));
    EXPECT_TRUE(dump.contains("INSERT INTO `kassza` (`kassza`, `kassza_nev`) VALUES"));
    EXPECT_TRUE(
        DumpResultText(ok, dumpTool, dir.file("teljes.sql")).startsWith("A teljes mentés elkészült:"));

    p.password = "rossz jelszó";
    const DumpRunResult refused = RunDumpTool(dumpTool, p, dir.file("rossz.sql"), dir.path());
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.errorOutput.contains("Access denied")) << refused.errorOutput.toStdString();
}

TEST(Backup, PanelFollowsTheWidthAndHides)
{
    QWidget window;
    auto *panel = new TBackupPanel(&window);
    window.show();
    EXPECT_FALSE(panel->isVisible());
    panel->show();
    panel->resize(500, panel->minimumHeight());
    EXPECT_EQ(panel->pathEdit()->width(), 500 - 63);
    EXPECT_EQ(panel->browseButton()->x(), panel->pathEdit()->geometry().right() + 1);
    EXPECT_EQ(panel->runButton()->width(), 500 - 30);
    panel->resize(320, panel->minimumHeight());
    EXPECT_EQ(panel->pathEdit()->width(), 320 - 63);

    int requests = 0;
    QObject::connect(panel, &TBackupPanel::fullBackupRequested, [&] { ++requests; });
    panel->runButton()->click();
    EXPECT_EQ(requests, 1);
    panel->closeButton()->click();
    EXPECT_FALSE(panel->isVisible());
}
