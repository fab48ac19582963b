// Times of the chart windows on a large cash book, each against the bare query of the
// same statement in the same run:
//   BENCH charts_incomeexpense_vs_query <r> ratio   "Bevételek, kiadások" until it is painted
//   BENCH charts_browser_vs_query <r> ratio         the cash-flow browser until it is painted
// The server comes from ZORVA_TEST_HOST/PORT/USER/PASSWORD.  --entries=N changes the
// 1,000,000 entries (two years of them); --screenshots=FOLDER saves a picture of every
// chart window on the demo household instead of measuring.
#include "admin/dbinstall/dbinstall.h"
#include "admin/dbinstall/demodata.h"
#include "charts/chartparts.h"
#include "charts/charts.h"
#include "charts/periodbars.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "db/database.h"
#include "db/query.h"

#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void configure(TmySQLDatabase &db, const QString &schema)
{
    db.setHost(qEnvironmentVariable("ZORVA_TEST_HOST", QStringLiteral("127.0.0.1")));
    db.setPort(qEnvironmentVariableIntValue("ZORVA_TEST_PORT"));
    db.setUserName(qEnvironmentVariable("ZORVA_TEST_USER", QStringLiteral("root")));
    db.setUserPassword(qEnvironmentVariable("ZORVA_TEST_PASSWORD"));
    db.setDatabaseName(schema);
    db.setConnectOptions(coCompress);
    db.setConnectionCharacterSet(QStringLiteral("latin2"));
    db.setConnectionCollation(QStringLiteral("latin2_hungarian_ci"));
    db.setParams({QStringLiteral("TIMEOUT=300")});
}

void freshSchema(const QString &name, int entries)
{
    TmySQLDatabase server;
    configure(server, QString());
    server.open();
    server.execute(QStringLiteral("DROP DATABASE IF EXISTS ") + name);
    zorva::createDatabase(server, name);
    zorva::fillDemoData(server, entries);
    server.close();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timeMs(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

// Shows the window and paints it once, as the user first sees it.
void showPainted(zorva::ChartWindow &w)
{
    w.resize(900, 560);
    w.show();
    QCoreApplication::processEvents();
    w.chartView()->viewport()->repaint();
}

double bareMs(TmySQLDatabase &db, const QString &sql)
{
    TmySQLQuery q(&db);
    q.setSQL(sql);
    return timeMs([&] {
        q.open();
        q.close();
    });
}

void screenshots(const QString &folder)
{
    QDir().mkpath(folder);
    const QDate today = QDate::currentDate();
    const QString last = today.toString(QStringLiteral("yyyyMM"));
    const QString first = today.addMonths(-11).toString(QStringLiteral("yyyyMM"));
    const auto save = [&folder](zorva::ChartWindow &w, const QString &name) {
        showPainted(w);
        QElapsedTimer wait;
        wait.start();
        while (wait.elapsed() < 300)
            QCoreApplication::processEvents();
        w.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
        w.close();
    };
    {
        zorva::Tfrm_chBevKiad w(first, last);
        save(w, QStringLiteral("bevkiad"));
    }
    for (int sign : {1, -1}) {
        zorva::Tfrm_chMegoszlas w(first, last, sign);
        save(w, sign == 1 ? QStringLiteral("bevmegoszlas") : QStringLiteral("kiadmegoszlas"));
    }
    {
        zorva::Tfrm_chCsekkMegoszlas w(first, last);
        save(w, QStringLiteral("csekkmegoszlas"));
    }
    {
        zorva::Tfrm_chCsekkIdoszak w(first, last);
        save(w, QStringLiteral("csekkidoszak"));
    }
    {
        zorva::Tfrm_chElemzes w(QDate(today.year(), 1, 1), today);
        save(w, QStringLiteral("elemzes"));
        w.setDirection(zorva::Tfrm_chElemzes::Direction::Egyenleg);
        w.setDateRange(today.addYears(-2), today);
        save(w, QStringLiteral("elemzes_ket_ev"));
    }
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int entries = 1000000;
    QString shots;
    for (const QString &arg : app.arguments()) {
        if (arg.startsWith(QStringLiteral("--entries=")))
            entries = arg.mid(10).toInt();
        if (arg.startsWith(QStringLiteral("--screenshots=")))
            shots = arg.mid(14);
    }
    const QString schema = QStringLiteral("zorva_bench_charts");
    QElapsedTimer fill;
    fill.start();
    freshSchema(schema, shots.isEmpty() ? entries : 0);
    std::printf("# %d entries written in %.1f s\n", shots.isEmpty() ? entries : zorva::DefaultDemoEntries,
                double(fill.elapsed()) / 1000.0);
    TmySQLDatabase db;
    configure(db, schema);
    db.open();
    zorva::setMainConnection(&db);
    zorva::beall() = TBeall{};
    QTemporaryDir settings;
    zorva::IniPath() = settings.filePath(QStringLiteral("Zorva.ini"));

    if (!shots.isEmpty()) {
        screenshots(shots);
    } else {
        const QDate today = QDate::currentDate();
        const QString last = today.toString(QStringLiteral("yyyyMM"));
        const QString first = today.addMonths(-24).toString(QStringLiteral("yyyyMM"));
        const int reps = 5;
        std::vector<double> chart, chartBare, browser, browserBare;
        int months = 0;
        for (int i = 0; i < reps; ++i) {
            QString sql;
            chart.push_back(timeMs([&] {
                zorva::Tfrm_chBevKiad w(first, last);
                showPainted(w);
                months = int(w.periods().size());
                sql = w.findChild<TmySQLQuery *>(QStringLiteral("Qry"))->expandedSql();
            }));
            chartBare.push_back(bareMs(db, sql));
            browser.push_back(timeMs([&] {
                zorva::Tfrm_chElemzes w(today.addYears(-2), today);
                showPainted(w);
                sql = w.statement().join(QLatin1Char('\n'));
            }));
            browserBare.push_back(bareMs(db, sql));
        }
        std::printf(
            "# income/expense over %d months: %.1f ms shown against %.1f ms bare query (medians of %d)\n",
            months, median(chart), median(chartBare), reps);
        std::printf("# browser over two years: %.1f ms shown against %.1f ms bare query\n", median(browser),
                    median(browserBare));
        std::printf("BENCH charts_incomeexpense_vs_query %.3f ratio\n", median(chart) / median(chartBare));
        std::printf("BENCH charts_browser_vs_query %.3f ratio\n", median(browser) / median(browserBare));
    }
    zorva::setMainConnection(nullptr);
    db.execute(QStringLiteral("DROP DATABASE ") + schema);
    db.close();
    return 0;
}
