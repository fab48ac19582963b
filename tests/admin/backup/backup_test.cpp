#include "backup.h"
#include "backuppanel.h"

#include "database.h"
#include "query.h"
#include "testserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
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

    // A stand-in tool records its arguments; the command file is gone after the wait.
    testsupport::TempFolder dir;
    const QString tool = dir.file("fake dump");
    {
        QFile f(tool);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$(dirname \"$0\")/args.txt\"\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    ASSERT_TRUE(RunDumpCommand(tool, p, dir.file("ki.sql"), dir.path(), 500));
    EXPECT_FALSE(QFile::exists(DumpCommandFile(dir.path())));
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(dir.file("args.txt")) && t.elapsed() < 5000)
        QThread::msleep(50);
    QThread::msleep(100);
    const QList<QByteArray> args = readBytes(dir.file("args.txt")).split('\n');
    ASSERT_GE(args.size(), 10);
    EXPECT_EQ(args[0], "-c");
    EXPECT_EQ(args[4], "zorva");
    EXPECT_EQ(args[9], ("--result-file=" + dir.file("ki.sql")).toUtf8());

    // An empty path still writes and starts the file, and it is removed.
    EXPECT_TRUE(RunDumpCommand("", p, dir.file("ki2.sql"), dir.path(), 200));
    EXPECT_FALSE(QFile::exists(DumpCommandFile(dir.path())));
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
