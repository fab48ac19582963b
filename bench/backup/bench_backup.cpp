// Times the script backup of a database of N cash-book entries against mariadb-dump of the
// same database, and the restore of that script against "mariadb < script", in one run.
// The server comes from ZORVA_TEST_HOST/PORT/USER/PASSWORD; scratch databases are created
// and dropped.
//   bench_backup [entries]      (1000000 when not given)
#include "admin/backup/restore.h"
#include "admin/dbinstall/dbinstall.h"
#include "core/dbhelpers/tabledump.h"
#include "db/database.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

void bench(const char *name, double value, const char *unit)
{
    std::printf("BENCH %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

double timeMs(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

std::unique_ptr<TmySQLDatabase> connectServer(const QString &database, bool compress = true)
{
    auto db = std::make_unique<TmySQLDatabase>();
    db->setHost(qEnvironmentVariable("ZORVA_TEST_HOST", QStringLiteral("127.0.0.1")));
    db->setPort(qEnvironmentVariableIntValue("ZORVA_TEST_PORT"));
    db->setUserName(qEnvironmentVariable("ZORVA_TEST_USER", QStringLiteral("root")));
    db->setUserPassword(qEnvironmentVariable("ZORVA_TEST_PASSWORD"));
    db->setDatabaseName(database);
    db->setConnectOptions(compress ? coCompress : 0);
    db->setParams({QStringLiteral("Port=%1").arg(db->port()), QStringLiteral("TIMEOUT=900")});
    db->setConnectionCharacterSet(QStringLiteral("latin2"));
    db->setConnectionCollation(QStringLiteral("latin2_hungarian_ci"));
    db->open();
    return db;
}

int runTool(const QString &tool, const QStringList &args, const QString &input = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MYSQL_PWD"), qEnvironmentVariable("ZORVA_TEST_PASSWORD"));
    p.setProcessEnvironment(env);
    if (!input.isEmpty())
        p.setStandardInputFile(input);
    p.setStandardOutputFile(QProcess::nullDevice());
    const QStringList server = {
        QStringLiteral("--host=") + qEnvironmentVariable("ZORVA_TEST_HOST", "127.0.0.1"),
        QStringLiteral("--port=") + qEnvironmentVariable("ZORVA_TEST_PORT"),
        QStringLiteral("--user=") + qEnvironmentVariable("ZORVA_TEST_USER", "root")};
    p.start(QStandardPaths::findExecutable(tool), server + args);
    p.waitForFinished(-1);
    if (p.exitCode() != 0)
        std::fprintf(stderr, "%s: %s\n", qPrintable(tool), p.readAllStandardError().constData());
    return p.exitCode();
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int entries = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const QString source = QStringLiteral("zorva_bench_backup");
    const QString target = QStringLiteral("zorva_bench_restore");
    auto server = connectServer(QString());
    for (const QString &name : {source, target})
        server->execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(name));
    zorva::createDatabase(*server, source);
    zorva::fillDemoData(*server, entries);
    server->close();

    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("mentes.sql"));
    const QString dump = dir.filePath(QStringLiteral("dump.sql"));
    auto db = connectServer(source);
    const double own = timeMs([&] { zorva::WriteBackupScript(*db, {}, script); });
    const double tool = timeMs([&] {
        runTool(QStringLiteral("mariadb-dump"), {QStringLiteral("-c"), QStringLiteral("-C"),
                                                 QStringLiteral("--result-file=") + dump, source});
    });
    bench("backup_script_ms", own, "ms");
    bench("backup_mariadb_dump_ms", tool, "ms");
    bench("backup_script_vs_dump", own / tool, "ratio");

    // Restore into a fresh database of the same schema, once each way.
    QFile f(script);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    f.close();
    const auto fresh = [&] {
        auto s = connectServer(QString());
        s->execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(target));
        zorva::createDatabase(*s, target);
    };
    fresh();
    // The restore connection does not compress, as the stock client does not.
    auto restored = connectServer(target, false);
    zorva::RestoreResult r;
    const double ownRestore = timeMs([&] { r = zorva::RestoreScript(*restored, bytes); });
    if (!zorva::RestoreMatches(r))
        std::fprintf(stderr, "%s\n", qPrintable(zorva::RestoreResultText(r, target)));
    restored->close();
    fresh();
    const double clientRestore = timeMs([&] {
        runTool(QStringLiteral("mariadb"), {QStringLiteral("--default-character-set=latin2"), target},
                script);
    });
    bench("restore_script_ms", ownRestore, "ms");
    bench("restore_mariadb_client_ms", clientRestore, "ms");
    bench("restore_script_vs_client", ownRestore / clientRestore, "ratio");

    auto s = connectServer(QString());
    for (const QString &name : {source, target})
        s->execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(name));
    return 0;
}
