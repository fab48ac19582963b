// Start-up and memory of the main window on a large cash book:
//   BENCH startup_<n>_ms <ms> ms             construct, connect, load the last month, show
//   BENCH startup_<n>_rss_mb <mb> MB         resident memory once shown
//   BENCH startup_all_<n>_ms <ms> ms         "Összes" on the largest cash box until painted
//   BENCH startup_all_vs_bare <r> ratio      the same against the bare query of its rows
//   BENCH startup_all_rss_mb <mb> MB         resident memory with every entry of the box shown
//   BENCH startup_mem_per_row_window <b> bytes, startup_mem_per_row_bare <b> bytes,
//   BENCH startup_mem_vs_bare <r> ratio      memory per shown row against the bare result set
//                                            of the client library (a child process each)
// The server comes from ZORVA_TEST_HOST/PORT/USER/PASSWORD; the database is the shared one
// of bench/run, or one filled here.
//   bench_startup [entries]      (1000000 when not given)
#include "app/mainwindow/main.h"
#include "core/globals.h"
#include "core/ui/dbgrid.h"
#include "db/database.h"
#include "db/query.h"
#include "scale/scaledata.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>

#include <mysql.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <functional>

using namespace zorva;

namespace {

double timeMs(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

void settle(Tfrm_Main &w)
{
    QCoreApplication::processEvents();
    w.DBGrid1()->viewport()->repaint();
}

double mb(long bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}

// The growth of resident memory of a child process that stores the whole result of
// `sql` with the client library and keeps it.
long bareResultBytes(const QString &schema, const QString &sql)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        MYSQL *m = mysql_init(nullptr);
        mysql_optionsv(m, MYSQL_OPT_COMPRESS, nullptr);
        mysql_optionsv(m, MYSQL_SET_CHARSET_NAME, "latin2");
        const QByteArray host = qEnvironmentVariable("ZORVA_TEST_HOST", QStringLiteral("127.0.0.1")).toUtf8();
        const QByteArray user = qEnvironmentVariable("ZORVA_TEST_USER", QStringLiteral("root")).toUtf8();
        const QByteArray pw = qEnvironmentVariable("ZORVA_TEST_PASSWORD").toUtf8();
        const QByteArray db = schema.toUtf8(), q = sql.toUtf8();
        long grown = -1;
        if (mysql_real_connect(m, host, user, pw, db,
                               unsigned(qEnvironmentVariableIntValue("ZORVA_TEST_PORT")), nullptr, 0)) {
            malloc_trim(0);
            const long before = bench::residentBytes();
            if (mysql_real_query(m, q.constData(), q.size()) == 0 && mysql_store_result(m))
                grown = bench::residentBytes() - before;
        }
        if (write(fds[1], &grown, sizeof grown) != sizeof grown)
            _exit(1);
        _exit(0);
    }
    close(fds[1]);
    long grown = -1;
    if (read(fds[0], &grown, sizeof grown) != sizeof grown)
        grown = -1;
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return grown;
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int entries = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    if (qEnvironmentVariableIntValue("ZORVA_TEST_PORT") == 0) {
        std::fprintf(stderr, "Set ZORVA_TEST_HOST/PORT/USER/PASSWORD.\n");
        return 2;
    }
    const QString n = entries >= 1000000 ? QStringLiteral("%1m").arg(entries / 1000000)
                                         : QStringLiteral("%1k").arg(entries / 1000);
    try {
        bool created = false;
        const QString schema = bench::scaleDatabase(
            entries, QStringLiteral("zb_startup_%1").arg(QCoreApplication::applicationPid()), &created);
        // The largest cash box is the one shown.
        int box = 1;
        {
            box = int(bench::connectServer(schema)->queryInt(QStringLiteral(
                "SELECT kassza FROM hazikassza GROUP BY kassza ORDER BY COUNT(*) DESC LIMIT 1")));
        }
        zorva::Cassa() = box;
        zorva::beall() = TBeall{};
        malloc_trim(0);
        const long rssBefore = bench::residentBytes();
        std::unique_ptr<Tfrm_Main> w;
        const double startMs = timeMs([&] {
            w = std::make_unique<Tfrm_Main>();
            bench::configureConnection(w->mySQLDatabase1(), schema);
            w->mySQLDatabase1().open();
            w->setSortField(QStringLiteral("hazikassza"));
            w->setListFilter(Tfrm_Main::lastMonthFilter());
            w->ReloadList();
            w->resize(1000, 700);
            w->showMainWindow();
            settle(*w);
        });
        const long rssShown = bench::residentBytes();
        std::printf("# start-up on %s: %d rows of the last month in cash box %d\n", qPrintable(n),
                    w->Qry().recordCount(), box);
        std::printf("BENCH startup_%s_ms %.0f ms\n", qPrintable(n), startMs);
        std::printf("BENCH startup_%s_rss_mb %.1f MB\n", qPrintable(n), mb(rssShown));
        std::fflush(stdout);

        malloc_trim(0);
        const long rssLastMonth = bench::residentBytes();
        const double allMs = timeMs([&] {
            w->actions().aSzur5->trigger();
            settle(*w);
        });
        const long rssAll = bench::residentBytes();
        const int rows = w->Qry().recordCount();
        const QString sql = w->Qry().sqlText();
        TmySQLQuery bare(&w->mySQLDatabase1());
        bare.setSQL(sql);
        const double bareMs = timeMs([&] {
            bare.open();
            bare.close();
        });
        const long bareBytes = bareResultBytes(schema, sql);
        const long windowBytes = rssAll - rssLastMonth;
        std::printf(
            "# \"Összes\": %d rows, %.0f ms against %.0f ms bare; memory %.1f MB against %.1f MB bare "
            "(%.1f MB before start-up)\n",
            rows, allMs, bareMs, mb(windowBytes), mb(bareBytes), mb(rssBefore));
        std::printf("BENCH startup_all_%s_ms %.0f ms\n", qPrintable(n), allMs);
        std::printf("BENCH startup_all_vs_bare %.3f ratio\n", allMs / bareMs);
        std::printf("BENCH startup_all_rss_mb %.1f MB\n", mb(rssAll));
        if (rows > 0 && bareBytes > 0) {
            std::printf("BENCH startup_mem_per_row_window %ld bytes\n", windowBytes / rows);
            std::printf("BENCH startup_mem_per_row_bare %ld bytes\n", bareBytes / rows);
            std::printf("BENCH startup_mem_vs_bare %.3f ratio\n", double(windowBytes) / double(bareBytes));
        }
        std::fflush(stdout);
        w->close();
        w.reset();
        if (created) {
            bench::connectServer(QString())->execute(QStringLiteral("DROP DATABASE `%1`").arg(schema));
        }
    } catch (const EmySQLDatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
