// Times of the main window's list on a large cash book, each against the bare query
// open of the same statement in the same run:
//   BENCH mainwindow_all_vs_bare <r> ratio      "Összes" until the grid shows its rows
//   BENCH mainwindow_search_vs_bare <r> ratio   one search keystroke
//   BENCH mainwindow_startup_1m <ms> ms         construct, load and show on 1,000,000 entries
// The server comes from ZORVA_TEST_HOST/PORT/USER/PASSWORD.  Pass --no-startup to skip
// the one-million-entry database (it takes a while to fill); --screenshot=FILE saves a
// picture of the window with the demo data instead of measuring.
#include "admin/dbinstall/dbinstall.h"
#include "admin/dbinstall/demodata.h"
#include "app/mainwindow/main.h"
#include "core/globals.h"
#include "core/ui/dbgrid.h"
#include "core/ui/searchbox.h"
#include "db/database.h"
#include "db/query.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>

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

void settle(Tfrm_Main &w)
{
    QCoreApplication::processEvents();
    w.DBGrid1()->viewport()->repaint();
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool startup = !app.arguments().contains(QStringLiteral("--no-startup"));
    const QString schema = QStringLiteral("zorva_bench_mw");
    freshSchema(schema, 100000);

    zorva::Cassa() = 1;
    zorva::beall() = TBeall{};
    Tfrm_Main w;
    configure(w.mySQLDatabase1(), schema);
    w.mySQLDatabase1().open();
    w.setSortField(QStringLiteral("hazikassza"));
    w.setListFilter(Tfrm_Main::lastMonthFilter());
    w.ReloadList();
    w.resize(1000, 700);
    w.showMainWindow();
    settle(w);
    // --screenshot=FILE: the window with the demo data as a user first sees it, then stop.
    for (const QString &arg : app.arguments()) {
        if (arg.startsWith(QStringLiteral("--screenshot="))) {
            QElapsedTimer wait;
            wait.start();
            while (wait.elapsed() < 300)
                QCoreApplication::processEvents();
            w.grab().save(arg.mid(13));
            return 0;
        }
    }

    TmySQLQuery bare(&w.mySQLDatabase1());
    const int reps = 7;
    std::vector<double> all, bareAll, search, bareSearch;
    int rows = 0;
    for (int i = 0; i < reps; ++i) {
        w.actions().aSzur0->trigger();
        settle(w);
        all.push_back(timeMs([&] {
            w.actions().aSzur5->trigger();
            settle(w);
        }));
        rows = w.Qry().recordCount();
        bare.setSQL(w.Qry().sql());
        bareAll.push_back(timeMs([&] {
            bare.open();
            bare.close();
        }));
    }
    for (int i = 0; i < reps; ++i) {
        w.searchBox()->clear();
        settle(w);
        search.push_back(timeMs([&] {
            w.searchBox()->startWith(QStringLiteral("k"));
            settle(w);
        }));
        bare.setSQL(w.Qry().sql());
        bareSearch.push_back(timeMs([&] {
            bare.open();
            bare.close();
        }));
    }
    std::printf("# %d rows listed by \"Összes\"; medians of %d: %.1f ms against %.1f ms bare\n", rows, reps,
                median(all), median(bareAll));
    std::printf("# search \"k\": %d rows, %.1f ms against %.1f ms bare\n", w.Qry().recordCount(), median(search),
                median(bareSearch));
    std::printf("BENCH mainwindow_all_vs_bare %.3f ratio\n", median(all) / median(bareAll));
    std::printf("BENCH mainwindow_search_vs_bare %.3f ratio\n", median(search) / median(bareSearch));
    std::fflush(stdout);
    w.close();
    {
        TmySQLDatabase server;
        configure(server, QString());
        server.open();
        server.execute(QStringLiteral("DROP DATABASE ") + schema);
    }

    if (startup) {
        const QString big = QStringLiteral("zorva_bench_mw1m");
        freshSchema(big, 1000000);
        const double ms = timeMs([&] {
            auto main = std::make_unique<Tfrm_Main>();
            configure(main->mySQLDatabase1(), big);
            main->mySQLDatabase1().open();
            main->setSortField(QStringLiteral("hazikassza"));
            main->setListFilter(Tfrm_Main::lastMonthFilter());
            main->ReloadList();
            main->showMainWindow();
            settle(*main);
            main.release()->deleteLater();
        });
        std::printf("BENCH mainwindow_startup_1m %.0f ms\n", ms);
        TmySQLDatabase server;
        configure(server, QString());
        server.open();
        server.execute(QStringLiteral("DROP DATABASE ") + big);
    }
    return 0;
}
