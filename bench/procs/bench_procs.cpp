// Times the cash-book procedures in a cash box of 100 000 entries and, in the same run,
// the floor they are measured against:
//   front insert, edit of the first amount, delete of the first entry
//       against  UPDATE hazikassza SET zaro=zaro+0.5 WHERE kassza=... (the same rows);
//   appending a newest entry  against  a single-row INSERT;
//   sp_hazikasszasum (whole box, and one month)  against  SELECT SUM(osszeg) over the same rows;
//   the repeated case: front insert, edit and delete of it, again and again with nothing in
//       between, each one against the floor measured the same way (floors back to back);
//       the worst of them is what counts.
// Each figure is the median of several runs.  The server comes from
// ZORVA_TEST_HOST/PORT/USER/PASSWORD; a scratch database is created and dropped.
//   bench_procs [entries] [--bulk]   (100000 when not given; --bulk builds the box in one
//                                     statement, 40 entries a day of one cash type)
#include "admin/dbinstall/dbinstall.h"
#include "admin/dbinstall/demodata.h"
#include "core/sqltext.h"
#include "db/database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Box = 10;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double timeMs(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

void bench(const char *name, double value, const char *unit)
{
    std::printf("BENCH %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
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

int lastId(TmySQLDatabase &db)
{
    return int(db.queryInt(zorva::newEntryIdQuery()));
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool bulk = args.contains(QStringLiteral("--bulk"));
    int entries = 100000;
    for (const QString &a : args)
        if (!a.startsWith(QLatin1Char('-')))
            entries = a.toInt();
    if (qEnvironmentVariableIntValue("ZORVA_TEST_PORT") == 0 || entries < 1000) {
        std::fprintf(stderr, "Set ZORVA_TEST_HOST/PORT/USER/PASSWORD; entries >= 1000.\n");
        return 2;
    }
    const QString name = QStringLiteral("zb_procs_%1").arg(QCoreApplication::applicationPid());
    try {
        auto server = connectServer(QString());
        zorva::createDatabase(*server, name);
        TmySQLDatabase &db = *server;
        zorva::fillDemoData(db, 0);
        db.execute(
            QStringLiteral("INSERT INTO kassza (kassza, kassza_nev, nyito) VALUES (%1, 'Mérés', 50000)")
                .arg(Box));
        const QDate from(2015, 1, 1), to(2024, 12, 31);
        QElapsedTimer fill;
        fill.start();
        if (bulk)
            db.execute(
                QStringLiteral("INSERT INTO hazikassza (hazikassza, kassza, idoszak, datum, kasszatip, "
                               "nyito, osszeg, zaro, szoveg) "
                               "SELECT seq + 1, %1, '', DATE_ADD(%2, INTERVAL seq DIV 40 DAY), 10, "
                               "50000.0 - 10.0 * seq, -10, 50000.0 - 10.0 * (seq + 1), 'tétel' "
                               "FROM seq_0_to_%3")
                    .arg(Box)
                    .arg(zorva::SqlDate(from))
                    .arg(entries - 1));
        else
            zorva::generateEntries(db, Box, zorva::DemoBoxKind::Cash, entries, from, to);
        bench("procs_fill_entries_per_s", entries / (double(fill.elapsed()) / 1000.0), "1/s");
        db.execute(QStringLiteral("ANALYZE TABLE hazikassza"));
        const QString rowsOfBox = QStringLiteral("kassza = %1").arg(Box);

        const QString floorUp = QStringLiteral("UPDATE hazikassza SET zaro=zaro+0.5 WHERE ") + rowsOfBox;
        const QString floorDown = QStringLiteral("UPDATE hazikassza SET zaro=zaro-0.5 WHERE ") + rowsOfBox;

        // The repeated case first, on the box as it was built: front insert, edit and
        // delete of it, again and again.  Every statement of the stream, procedure or
        // floor, follows another one that changed the whole box, so each meets the same
        // leftovers of the one before (undo to purge, record versions, dirty pages); a floor
        // taken once on the freshly built box would be the cheapest update it ever sees.
        {
            const int cycles = 12;
            std::vector<double> rIns, rEdit, rDel, rFloor;
            const double cold = timeMs([&] { db.execute(floorUp); });
            db.execute(floorDown);
            for (int i = 0; i < cycles; ++i) {
                int hid = 0;
                rFloor.push_back(timeMs([&] { db.execute(floorUp); }));
                rIns.push_back(timeMs([&] {
                    db.execute(
                        zorva::callKasszaIns(from.addDays(-1), Box, 10, 1234, QStringLiteral("elöl"), 0));
                    hid = lastId(db);
                }));
                rFloor.push_back(timeMs([&] { db.execute(floorDown); }));
                rEdit.push_back(timeMs([&] {
                    db.execute(zorva::callKasszaEdit(hid, from.addDays(-1), Box, 10, 1500 + i,
                                                     QStringLiteral("elöl"), 0));
                }));
                rFloor.push_back(timeMs([&] { db.execute(floorUp); }));
                rDel.push_back(timeMs([&] { db.execute(zorva::callKasszaDel(hid)); }));
                rFloor.push_back(timeMs([&] { db.execute(floorDown); }));
            }
            const double f = median(rFloor);
            // Every cycle after the first.
            auto later = [](const std::vector<double> &v) {
                return std::vector<double>(v.begin() + 1, v.end());
            };
            std::printf("# repeated: cold floor %.1f ms, floor in the stream %.1f ms; insert", cold, f);
            for (double v : rIns)
                std::printf(" %.0f", v);
            std::printf("; edit");
            for (double v : rEdit)
                std::printf(" %.0f", v);
            std::printf("; delete");
            for (double v : rDel)
                std::printf(" %.0f", v);
            std::printf(" ms\n");
            bench("procs_repeated_floor_ms", f, "ms");
            bench("procs_repeated_front_insert_vs_floor", median(later(rIns)) / f, "ratio");
            bench("procs_repeated_edit_vs_floor", median(later(rEdit)) / f, "ratio");
            bench("procs_repeated_delete_vs_floor", median(later(rDel)) / f, "ratio");
            // For comparison only: the same inserts against the floor of the untouched box.
            bench("procs_repeated_front_insert_vs_cold_floor", median(later(rIns)) / cold, "ratio");
        }

        const int reps = 7;
        std::vector<double> front, edit, del, floor;
        for (int i = 0; i < reps; ++i) {
            int hid = 0;
            front.push_back(timeMs([&] {
                db.execute(zorva::callKasszaIns(from.addDays(-1), Box, 10, 1234, QStringLiteral("elöl"), 0));
                hid = lastId(db);
            }));
            edit.push_back(timeMs([&] {
                db.execute(zorva::callKasszaEdit(hid, from.addDays(-1), Box, 10, 1500 + i,
                                                 QStringLiteral("elöl"), 0));
            }));
            del.push_back(timeMs([&] { db.execute(zorva::callKasszaDel(hid)); }));
            floor.push_back(timeMs([&] { db.execute(floorUp); }));
            floor.push_back(timeMs([&] { db.execute(floorDown); }));
        }
        const double floorMs = median(floor);
        bench("procs_floor_update_ms", floorMs, "ms");
        bench("procs_front_insert_ms", median(front), "ms");
        bench("procs_first_edit_ms", median(edit), "ms");
        bench("procs_first_delete_ms", median(del), "ms");
        bench("procs_front_insert_vs_floor", median(front) / floorMs, "ratio");
        bench("procs_first_edit_vs_floor", median(edit) / floorMs, "ratio");
        bench("procs_first_delete_vs_floor", median(del) / floorMs, "ratio");

        // Appending against a single-row INSERT, on the program's compressed connection and
        // on a plain one: the compressed protocol makes the INSERT's round trip slow, which
        // would flatter the procedure.  The INSERTs go first, then the bookings at the end of
        // the box one after the other; all are taken away again afterwards.
        auto appendAgainstInsert = [&](TmySQLDatabase &c, const char *suffix) {
            const int small = 60;
            std::vector<double> append, insert;
            for (int i = 0; i < small; ++i)
                insert.push_back(timeMs([&] {
                    c.execute(QStringLiteral(
                                  "INSERT INTO hazikassza (hazikassza, kassza, idoszak, datum, kasszatip, "
                                  "nyito, osszeg, zaro, szoveg) VALUES (%1, %2, '202501', '2025-01-01', "
                                  "10, 0, -990, -990, 'egy sor')")
                                  .arg(10000000 + i)
                                  .arg(Box));
                }));
            c.execute(QStringLiteral("DELETE FROM hazikassza WHERE hazikassza >= 10000000 AND ") + rowsOfBox);
            std::vector<int> appended;
            for (int i = 0; i < small; ++i) {
                append.push_back(timeMs([&] {
                    c.execute(
                        zorva::callKasszaIns(to.addDays(1), Box, 10, 990, QStringLiteral("a végére"), 0));
                }));
                appended.push_back(lastId(c));
            }
            for (int hid : appended)
                c.execute(zorva::callKasszaDel(hid));
            bench(qPrintable(QStringLiteral("procs_append%1_ms").arg(QString::fromLatin1(suffix))),
                  median(append), "ms");
            bench(qPrintable(QStringLiteral("procs_single_insert%1_ms").arg(QString::fromLatin1(suffix))),
                  median(insert), "ms");
            bench(qPrintable(QStringLiteral("procs_append_vs_insert%1").arg(QString::fromLatin1(suffix))),
                  median(append) / median(insert), "ratio");
        };
        appendAgainstInsert(db, "");
        appendAgainstInsert(*connectServer(name, false), "_uncompressed");

        const QString month = db.queryText(
            QStringLiteral(
                "SELECT idoszak FROM hazikassza WHERE %1 GROUP BY idoszak ORDER BY COUNT(*) DESC LIMIT 1")
                .arg(rowsOfBox));
        std::vector<double> sum, plain, sumMonth, plainMonth;
        for (int i = 0; i < 15; ++i) {
            sum.push_back(
                timeMs([&] { db.queryText(QStringLiteral("CALL sp_hazikasszasum(%1, '')").arg(Box)); }));
            plain.push_back(timeMs([&] {
                db.queryText(QStringLiteral("SELECT SUM(osszeg) FROM hazikassza WHERE ") + rowsOfBox);
            }));
            sumMonth.push_back(timeMs([&] {
                db.queryText(QStringLiteral("CALL sp_hazikasszasum(%1, '%2')").arg(Box).arg(month));
            }));
            plainMonth.push_back(timeMs([&] {
                db.queryText(QStringLiteral("SELECT SUM(osszeg) FROM hazikassza WHERE %1 AND idoszak = '%2'")
                                 .arg(rowsOfBox, month));
            }));
        }
        bench("procs_sum_ms", median(sum), "ms");
        bench("procs_plain_sum_ms", median(plain), "ms");
        bench("procs_sum_vs_plain_sum", median(sum) / median(plain), "ratio");
        bench("procs_sum_month_ms", median(sumMonth), "ms");
        bench("procs_plain_sum_month_ms", median(plainMonth), "ms");
        bench("procs_sum_month_vs_plain_sum", median(sumMonth) / median(plainMonth), "ratio");

        const qint64 broken = db.queryInt(
            QStringLiteral(
                "SELECT COUNT(*) FROM (SELECT nyito, LAG(zaro) OVER (ORDER BY datum, hazikassza, hid) e "
                "FROM hazikassza WHERE %1) c WHERE c.e IS NOT NULL AND c.nyito <> c.e")
                .arg(rowsOfBox));
        if (broken != 0)
            std::fprintf(stderr, "the chain broke: %lld links\n", static_cast<long long>(broken));
        db.execute(QStringLiteral("DROP DATABASE `%1`").arg(name));
        return broken == 0 ? 0 : 1;
    } catch (const zorva::DbInstallError &e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
    } catch (const EmySQLDatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
    }
    try {
        connectServer(QString())->execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(name));
    } catch (...) {
    }
    return 1;
}
