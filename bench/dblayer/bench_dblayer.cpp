// Opens a 100,000-row cash-book table and reads every column of every row, three ways:
// (a) the client library by hand, converting each field to its typed value,
// (b) the program's query dataset, (c) Qt's QMYSQL driver.  Prints times as ratios and the
// resident memory per row of (a) and (b) with the result kept open.
#include "benchtable.h"
#include "db/database.h"
#include "db/query.h"
#include "db/textcodec.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <mysql.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QString kSchema = QStringLiteral("zorva_bench_dblayer");
const QString kSelect = QStringLiteral("SELECT * FROM hazikassza");
constexpr int kRows = 100000;
constexpr int kRepeats = 5;

// What every walk adds up, so that no conversion can be left out by the compiler.
struct Sum {
    qint64 ints = 0;
    double floats = 0;
    qint64 chars = 0;
    qint64 days = 0;
    void add(qint64 v) { ints += v; }
    void add(double v) { floats += v; }
    void add(const QString &s) { chars += s.size(); }
    void add(const QDate &d) { days += d.isValid() ? d.toJulianDay() : 0; }
};

long residentBytes()
{
    FILE *f = std::fopen("/proc/self/statm", "r");
    long size = 0, resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &size, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

// ---- (a) bare client library

inline qint64 toInt(const char *p, unsigned long n)
{
    qint64 v = 0;
    if (p)
        std::from_chars(p, p + n, v);
    return v;
}
inline double toDouble(const char *p, unsigned long n)
{
    double v = 0;
    if (p)
        std::from_chars(p, p + n, v);
    return v;
}
inline QDate toDate(const char *p, unsigned long n)
{
    if (!p || n < 10)
        return QDate();
    auto num = [p](int from, int len) {
        int v = 0;
        for (int i = from; i < from + len; ++i)
            v = v * 10 + (p[i] - '0');
        return v;
    };
    return QDate(num(0, 4), num(5, 2), num(8, 2));
}
inline QString toText(const char *p, unsigned long n)
{
    return p ? TextCodec::fromLatin2(p, qsizetype(n)) : QString();
}

MYSQL *bareConnect(const BenchServer &s)
{
    MYSQL *m = mysql_init(nullptr);
    mysql_optionsv(m, MYSQL_OPT_COMPRESS, nullptr);
    mysql_optionsv(m, MYSQL_SET_CHARSET_NAME, "latin2");
    const QByteArray host = s.host.toUtf8(), user = s.user.toUtf8(), pw = s.password.toUtf8(),
                     db = kSchema.toUtf8();
    if (!mysql_real_connect(m, host, user, pw, db, unsigned(s.port), nullptr, 0)) {
        std::fprintf(stderr, "bare connect: %s\n", mysql_error(m));
        std::exit(1);
    }
    return m;
}

MYSQL_RES *bareFetch(MYSQL *m)
{
    const QByteArray q = kSelect.toUtf8();
    if (mysql_real_query(m, q.constData(), q.size()) != 0) {
        std::fprintf(stderr, "bare query: %s\n", mysql_error(m));
        std::exit(1);
    }
    return mysql_store_result(m);
}

void bareConvert(MYSQL_RES *res, Sum &sum)
{
    mysql_data_seek(res, 0);
    while (MYSQL_ROW row = mysql_fetch_row(res)) {
        const unsigned long *len = mysql_fetch_lengths(res);
        sum.add(toInt(row[0], len[0]));
        sum.add(toInt(row[1], len[1]));
        sum.add(toInt(row[2], len[2]));
        sum.add(toText(row[3], len[3]));
        sum.add(toInt(row[4], len[4]));
        sum.add(toDate(row[5], len[5]));
        sum.add(toInt(row[6], len[6]));
        sum.add(toDouble(row[7], len[7]));
        sum.add(toDouble(row[8], len[8]));
        sum.add(toDouble(row[9], len[9]));
        sum.add(toText(row[10], len[10]));
        sum.add(toDouble(row[11], len[11]));
        sum.add(toDouble(row[12], len[12]));
    }
}

MYSQL_RES *bareWalk(MYSQL *m, Sum &sum)
{
    MYSQL_RES *res = bareFetch(m);
    bareConvert(res, sum);
    return res;
}

// ---- (b) the program's query

void queryOnlyWalk(TmySQLQuery &q, Sum &sum, bool byName);

void queryWalk(TmySQLQuery &q, Sum &sum, bool byName)
{
    q.close();
    q.open();
    queryOnlyWalk(q, sum, byName);
}

void queryOnlyWalk(TmySQLQuery &q, Sum &sum, bool byName)
{
    if (byName) {
        for (q.first(); !q.eof(); q.next()) {
            sum.add(qint64(q.fieldByName(QStringLiteral("hid")).asInteger()));
            sum.add(qint64(q.fieldByName(QStringLiteral("hazikassza")).asInteger()));
            sum.add(qint64(q.fieldByName(QStringLiteral("kassza")).asInteger()));
            sum.add(q.fieldByName(QStringLiteral("idoszak")).asString());
            sum.add(qint64(q.fieldByName(QStringLiteral("ugyfel")).asInteger()));
            sum.add(q.fieldByName(QStringLiteral("datum")).asDate());
            sum.add(qint64(q.fieldByName(QStringLiteral("kasszatip")).asInteger()));
            sum.add(q.fieldByName(QStringLiteral("nyito")).asFloat());
            sum.add(q.fieldByName(QStringLiteral("osszeg")).asFloat());
            sum.add(q.fieldByName(QStringLiteral("zaro")).asFloat());
            sum.add(q.fieldByName(QStringLiteral("szoveg")).asString());
            sum.add(q.fieldByName(QStringLiteral("bevetel")).asFloat());
            sum.add(q.fieldByName(QStringLiteral("kiadas")).asFloat());
        }
        return;
    }
    TField &hid = q.fieldByName(QStringLiteral("hid")),
           &hazikassza = q.fieldByName(QStringLiteral("hazikassza")),
           &kassza = q.fieldByName(QStringLiteral("kassza")),
           &idoszak = q.fieldByName(QStringLiteral("idoszak")),
           &ugyfel = q.fieldByName(QStringLiteral("ugyfel")), &datum = q.fieldByName(QStringLiteral("datum")),
           &kasszatip = q.fieldByName(QStringLiteral("kasszatip")),
           &nyito = q.fieldByName(QStringLiteral("nyito")), &osszeg = q.fieldByName(QStringLiteral("osszeg")),
           &zaro = q.fieldByName(QStringLiteral("zaro")), &szoveg = q.fieldByName(QStringLiteral("szoveg")),
           &bevetel = q.fieldByName(QStringLiteral("bevetel")),
           &kiadas = q.fieldByName(QStringLiteral("kiadas"));
    for (q.first(); !q.eof(); q.next()) {
        sum.add(qint64(hid.asInteger()));
        sum.add(qint64(hazikassza.asInteger()));
        sum.add(qint64(kassza.asInteger()));
        sum.add(idoszak.asString());
        sum.add(qint64(ugyfel.asInteger()));
        sum.add(datum.asDate());
        sum.add(qint64(kasszatip.asInteger()));
        sum.add(nyito.asFloat());
        sum.add(osszeg.asFloat());
        sum.add(zaro.asFloat());
        sum.add(szoveg.asString());
        sum.add(bevetel.asFloat());
        sum.add(kiadas.asFloat());
    }
}

// ---- (c) Qt's driver

void qtWalk(Sum &sum)
{
    QSqlQuery q(QSqlDatabase::database(QStringLiteral("bench")));
    if (!q.exec(kSelect)) {
        std::fprintf(stderr, "QMYSQL: %s\n", qPrintable(q.lastError().text()));
        std::exit(1);
    }
    while (q.next()) {
        sum.add(qint64(q.value(0).toInt()));
        sum.add(qint64(q.value(1).toInt()));
        sum.add(qint64(q.value(2).toInt()));
        sum.add(q.value(3).toString());
        sum.add(qint64(q.value(4).toInt()));
        sum.add(q.value(5).toDate());
        sum.add(qint64(q.value(6).toInt()));
        sum.add(q.value(7).toDouble());
        sum.add(q.value(8).toDouble());
        sum.add(q.value(9).toDouble());
        sum.add(q.value(10).toString());
        sum.add(q.value(11).toDouble());
        sum.add(q.value(12).toDouble());
    }
}

double millis(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Resident growth of one open-and-walk, measured in a child process so that memory the
// other runs freed cannot hide it.
long memoryInChild(const std::function<void()> &prepare, const std::function<void()> &openAndWalk)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        prepare();
        malloc_trim(0);
        const long before = residentBytes();
        openAndWalk();
        const long grown = residentBytes() - before;
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
    QCoreApplication app(argc, argv);
    const BenchServer server = benchServerFromEnvironment();
    try {
        {
            TmySQLDatabase admin;
            configure(admin, server, QString());
            createBenchTable(admin, kSchema, kRows);
        }

        // Memory first, each in a fresh child.
        const long bareBytes = memoryInChild([] {},
                                             [&server] {
                                                 MYSQL *m = bareConnect(server);
                                                 Sum sum;
                                                 MYSQL_RES *res = bareWalk(m, sum);
                                                 (void)res;  // kept open for the measurement
                                             });
        const long queryBytes = memoryInChild([] {},
                                              [&server] {
                                                  static TmySQLDatabase db;
                                                  configure(db, server, kSchema);
                                                  static TmySQLQuery q(&db);
                                                  q.setSQL(kSelect);
                                                  Sum sum;
                                                  queryWalk(q, sum, false);
                                              });

        MYSQL *bare = bareConnect(server);
        TmySQLDatabase db;
        configure(db, server, kSchema);
        TmySQLQuery query(&db);
        query.setSQL(kSelect);
        QSqlDatabase qt = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("bench"));
        qt.setHostName(server.host);
        qt.setPort(server.port);
        qt.setUserName(server.user);
        qt.setPassword(server.password);
        qt.setDatabaseName(kSchema);
        qt.setConnectOptions(QStringLiteral("CLIENT_COMPRESS"));
        if (!qt.open()) {
            std::fprintf(stderr, "QMYSQL open: %s\n", qPrintable(qt.lastError().text()));
            return 1;
        }

        std::vector<double> ta, tb, tbName, tc;
        Sum sa, sb, sbn, sc;
        for (int i = 0; i < kRepeats; ++i) {
            ta.push_back(millis([&] { mysql_free_result(bareWalk(bare, sa)); }));
            tb.push_back(millis([&] { queryWalk(query, sb, false); }));
            tbName.push_back(millis([&] { queryWalk(query, sbn, true); }));
            tc.push_back(millis([&] { qtWalk(sc); }));
        }
        // The walks alone, on results already in memory: the layer's own cost.
        std::vector<double> wa, wb;
        {
            MYSQL_RES *res = bareFetch(bare);
            query.close();
            query.open();
            for (int i = 0; i < kRepeats; ++i) {
                Sum s1, s2;
                wa.push_back(millis([&] { bareConvert(res, s1); }));
                wb.push_back(millis([&] { queryOnlyWalk(query, s2, false); }));
            }
            mysql_free_result(res);
        }
        query.close();
        if (sa.ints != sb.ints || sa.chars != sb.chars || sa.days != sb.days || sa.ints != sbn.ints)
            std::fprintf(stderr, "warning: the walks did not read the same values\n");

        const double a = median(ta), b = median(tb), bn = median(tbName), c = median(tc);
        std::printf(
            "# medians of %d runs over %d rows: bare %.1f ms, query %.1f ms, query by name %.1f ms, "
            "QMYSQL %.1f ms\n",
            kRepeats, kRows, a, b, bn, c);
        std::printf("BENCH dblayer_walk_vs_bare %.3f ratio\n", b / a);
        std::printf("BENCH dblayer_walk_vs_qtsql %.3f ratio\n", b / c);
        std::printf("BENCH dblayer_walk_byname_vs_bare %.3f ratio\n", bn / a);
        std::printf("# walk alone over the fetched rows: bare %.1f ms, query %.1f ms\n", median(wa),
                    median(wb));
        std::printf("BENCH dblayer_walkonly_vs_bare %.3f ratio\n", median(wb) / median(wa));
        std::printf("BENCH dblayer_mem_per_row_bare %ld bytes\n", bareBytes / kRows);
        std::printf("BENCH dblayer_mem_per_row_query %ld bytes\n", queryBytes / kRows);
        std::printf("BENCH dblayer_mem_vs_bare %.3f ratio\n",
                    bareBytes > 0 ? double(queryBytes) / double(bareBytes) : 0.0);

        mysql_close(bare);
        db.execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(kSchema));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_dblayer: %s\n", e.what());
        return 1;
    }
    return 0;
}
