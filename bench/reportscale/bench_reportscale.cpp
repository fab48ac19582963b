// The cash-book reports on the shared large database, through the report library's own
// entry points, each against the bare query of the same rows (opened and fetched through
// the data layer) in the same run:
//   BENCH reportscale_movements_first_page_<n>_ms, _vs_bare   "Pénzmozgások időszakra" of
//                                                              every cash box, all dates
//   BENCH reportscale_summary_first_page_<n>_ms, _vs_bare     the period summary of the
//                                                              largest box over all periods
// The server comes from ZORVA_TEST_HOST/PORT/USER/PASSWORD; the database is the shared one
// of bench/run, or one filled here.
//   bench_reportscale [entries]      (1000000 when not given)
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "db/database.h"
#include "db/query.h"
#include "reports/cashbook/cashbookreports.h"
#include "reports/reportlayout.h"
#include "scale/scaledata.h"

#include <QApplication>
#include <QElapsedTimer>

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

void measure(const QString &name,
             const std::function<std::unique_ptr<CashbookReport>()> &build)
{
    int rows = 0;
    int pages = 0;
    double bareMs = 0;
    const double first = timeMs([&] {
        auto rep = build();
        rows = rep->data->recordCount();
        pages = report::layoutReport(*rep->report, 1).pageCount();
    });
    {
        // The same query object, with its statement and parameters, opened again.
        auto rep = build();
        bareMs = timeMs([&] {
            rep->data->close();
            rep->data->open();
        });
    }
    std::printf("# %s: %d rows, first page in %.0f ms against %.0f ms bare (%d page laid out)\n",
                qPrintable(name), rows, first, bareMs, pages);
    std::printf("BENCH reportscale_%s_first_page_ms %.0f ms\n", qPrintable(name), first);
    std::printf("BENCH reportscale_%s_first_page_vs_bare %.3f ratio\n", qPrintable(name), first / bareMs);
    std::fflush(stdout);
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
            entries, QStringLiteral("zb_reportscale_%1").arg(QCoreApplication::applicationPid()), &created);
        auto db = bench::connectServer(schema);
        setMainConnection(db.get());
        beall() = TBeall{};
        const int box = int(db->queryInt(
            QStringLiteral("SELECT kassza FROM hazikassza GROUP BY kassza ORDER BY COUNT(*) DESC LIMIT 1")));
        Cassa() = box;
        const QString firstPeriod = db->queryText(QStringLiteral("SELECT MIN(idoszak) FROM hazikassza"));
        const QString lastPeriod = db->queryText(QStringLiteral("SELECT MAX(idoszak) FROM hazikassza"));
        measure(QStringLiteral("movements_") + n,
                [&] { return buildPeriodMovements(*db, 0, -1, QDate(1900, 1, 1), QDate(2100, 12, 31)); });
        measure(QStringLiteral("summary_") + n,
                [&] { return buildPeriodSummary(*db, firstPeriod, lastPeriod, box); });
        setMainConnection(nullptr);
        if (created)
            db->execute(QStringLiteral("DROP DATABASE `%1`").arg(schema));
    } catch (const EmySQLDatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
