// Times of the list windows on a large database, each against the bare query of the same
// rows (open and fetch through the data layer) in the same run:
//   BENCH windows_<window>_open_vs_bare <r> ratio     opening until the grid is painted
//   BENCH windows_<window>_key_vs_bare <r> ratio      one search keystroke
//   BENCH windows_<window>_sort_vs_bare <r> ratio     a click on a column title
//   BENCH windows_<window>_filter_vs_bare <r> ratio   the window's filter switched on
// A window of fewer than 1,000 rows gets its times in ms instead (windows_<window>_<what>_ms).
// Windows: the client chooser and the client list (10,000 clients), cash types, fixed
// items, bill payments, loans, repayments of one loan, and the SQL window showing every
// entry.  The server comes from ZORVA_TEST_HOST/PORT/USER/PASSWORD; the database is the
// shared one of bench/run, or one filled here.
//   bench_windows [entries]      (100000 when not given)
// ZORVA_BENCH_ONLY=<window> measures only the windows whose name starts with it.
#include "admin/profiles/adatbazis.h"
#include "admin/sql/sql.h"
#include "bills/payments/csekkfizet.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/ui/dbgrid.h"
#include "core/ui/listwindow.h"
#include "core/ui/searchbox.h"
#include "db/database.h"
#include "db/query.h"
#include "db/table.h"
#include "debts/debts/tartozas.h"
#include "debts/repayments/torleszt.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "masterdata/cashtypes/torzskasszatip.h"
#include "masterdata/fixeditems/torzsfix.h"
#include "scale/scaledata.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace zorva;

namespace {

constexpr int Reps = 5;

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

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Until the widget has been painted: what the event loop has pending, and a paint of its
// own only when that did not paint it (painting it twice would time the grid twice).
void paint(QWidget *w)
{
    PaintCounter counter;
    w->installEventFilter(&counter);
    QCoreApplication::processEvents();
    if (counter.paints == 0)
        w->repaint();
    w->removeEventFilter(&counter);
}

// The bare query: the same statement opened and fetched through the data layer.
double bareMs(const QString &sql)
{
    TmySQLQuery q(&mainConnection());
    q.setSQL(sql);
    return timeMs([&] {
        q.open();
        q.close();
    });
}

double bareTableMs(const TmySQLTable &like)
{
    TmySQLTable t(&mainConnection());
    t.setTableName(like.tableName());
    t.setIndexFieldNames(like.indexFieldNames());
    return timeMs([&] {
        t.open();
        t.close();
    });
}

QString sqlOf(TDataSet *ds)
{
    if (auto *q = qobject_cast<TmySQLQuery *>(ds))
        return q->sqlText();
    return QString();
}

// The profile list's rows live in the settings file: its bare read is reading them there.
bool g_profiles = false;

double bareOf(TDataSet *ds)
{
    if (g_profiles)
        return timeMs([] { (void)readConnectionProfiles(100, IniPath()); });
    if (auto *t = qobject_cast<TmySQLTable *>(ds))
        return bareTableMs(*t);
    return bareMs(sqlOf(ds));
}

// Below this many rows a window's own fixed cost (showing, laying out, painting) is larger
// than its query, so the time is given instead of a ratio.
constexpr int FewRows = 1000;

void report(const QString &window, const char *what, const std::vector<double> &w,
            const std::vector<double> &b, int rows)
{
    if (w.empty() || b.empty())
        return;
    std::printf("# %s %s: %.1f ms against %.1f ms bare\n", qPrintable(window), what, median(w), median(b));
    if (rows < FewRows) {
        std::printf("BENCH windows_%s_%s_ms %.1f ms\n", qPrintable(window), what, median(w));
        return;
    }
    std::printf("BENCH windows_%s_%s_vs_bare %.3f ratio\n", qPrintable(window), what, median(w) / median(b));
    std::fflush(stdout);
}

struct Plan {
    QString name;
    std::function<std::unique_ptr<ListWindow>()> make;
    QString key;           // typed into the search box; empty: no search
    QString sortField;     // title clicked; empty: the window does not sort
    QString filterAction;  // a checkable filter action; empty: none
};

bool skipped(const QString &window)
{
    const QString only = qEnvironmentVariable("ZORVA_BENCH_ONLY");
    return !only.isEmpty() && !window.startsWith(only);
}

// Opens the window as its open operation does, and while it is shown measures a
// keystroke, a title click and the filter, each followed by its bare query.
void measure(const Plan &plan)
{
    if (skipped(plan.name))
        return;
    std::vector<double> open, bareOpen, key, bareKey, sort, bareSort, filter, bareFilter;
    int rows = 0;
    for (int i = 0; i < Reps; ++i) {
        auto w = plan.make();
        w->resize(900, 600);
        QElapsedTimer t;
        QTimer::singleShot(0, w.get(), [&] {
            paint(w->grid()->viewport());
            open.push_back(double(t.nsecsElapsed()) / 1e6);
            TDataSet *ds = w->dataSet();
            rows = ds->recordCount();
            bareOpen.push_back(bareOf(ds));
            if (!plan.key.isEmpty() && w->searchBox()) {
                w->searchBox()->clear();
                paint(w->grid()->viewport());
                key.push_back(timeMs([&] {
                    w->searchBox()->startWith(plan.key);
                    paint(w->grid()->viewport());
                }));
                bareKey.push_back(bareOf(ds));
            }
            if (!plan.sortField.isEmpty()) {
                const int column = w->grid()->columnOfField(plan.sortField);
                sort.push_back(timeMs([&] {
                    emit w->grid()->titleClicked(plan.sortField, column);
                    paint(w->grid()->viewport());
                }));
                bareSort.push_back(bareOf(ds));
            }
            if (!plan.filterAction.isEmpty()) {
                if (QAction *a = w->action(plan.filterAction)) {
                    filter.push_back(timeMs([&] {
                        a->trigger();
                        paint(w->grid()->viewport());
                    }));
                    bareFilter.push_back(bareOf(ds));
                    a->trigger();
                }
            }
            w->reject();
        });
        t.start();
        w->openAndExec(-1);
    }
    std::printf("# %s: %d rows\n", qPrintable(plan.name), rows);
    report(plan.name, "open", open, bareOpen, rows);
    report(plan.name, "key", key, bareKey, rows);
    report(plan.name, "sort", sort, bareSort, rows);
    report(plan.name, "filter", filter, bareFilter, rows);
}

void measureSqlWindow(const QString &name, const QString &sql)
{
    if (skipped(name))
        return;
    std::vector<double> shown, bare;
    int rows = 0;
    for (int i = 0; i < 3; ++i) {
        Tfrm_SQL w;
        w.resize(900, 600);
        w.show();
        paint(&w);
        w.editor()->setText(sql);
        shown.push_back(timeMs([&] {
            w.run();
            paint(w.grid()->viewport());
        }));
        rows = w.grid()->model() ? w.grid()->model()->rowCount() : 0;
        w.close();
        bare.push_back(bareMs(sql));
    }
    std::printf("# %s: %d rows\n", qPrintable(name), rows);
    report(name, "open", shown, bare, rows);
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int entries = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    if (qEnvironmentVariableIntValue("ZORVA_TEST_PORT") == 0) {
        std::fprintf(stderr, "Set ZORVA_TEST_HOST/PORT/USER/PASSWORD.\n");
        return 2;
    }
    const QString suffix = entries >= 1000000 ? QStringLiteral("_1m") : QString();
    try {
        bool created = false;
        const QString schema = bench::scaleDatabase(
            entries, QStringLiteral("zb_windows_%1").arg(QCoreApplication::applicationPid()), &created);
        auto db = bench::connectServer(schema);
        setMainConnection(db.get());
        beall() = TBeall{};
        const int loan = int(db->queryInt(
            QStringLiteral("SELECT tartozik FROM torleszt GROUP BY tartozik ORDER BY COUNT(*) DESC, "
                           "tartozik LIMIT 1")));
        const std::vector<Plan> plans{
            {QStringLiteral("client_chooser") + suffix,
             [] { return std::make_unique<Tfrm_UgyfelValaszt>(true); }, QStringLiteral("Kov"),
             QStringLiteral("telefon"), QString()},
            {QStringLiteral("client_list") + suffix,
             [] { return std::make_unique<Tfrm_UgyfelValaszt>(false); }, QStringLiteral("N"),
             QStringLiteral("cimstr"), QString()},
            {QStringLiteral("cashtypes") + suffix, [] { return std::make_unique<Tfrm_TorzsKasszaTip>(); },
             QStringLiteral("K"), QString(), QString()},
            {QStringLiteral("fixeditems") + suffix, [] { return std::make_unique<Tfrm_Torzsfix>(); },
             QString(), QString(), QString()},
            {QStringLiteral("billpayments") + suffix, [] { return std::make_unique<Tfrm_CsekkFizet>(); },
             QString(), QString(), QStringLiteral("aSzur")},
            {QStringLiteral("loans") + suffix,
             [] { return std::make_unique<Tfrm_Tartozas>(DebtDirection::Claims); }, QStringLiteral("Sz"),
             QStringLiteral("marad"), QStringLiteral("aSzur")},
            {QStringLiteral("repayments") + suffix, [loan] { return std::make_unique<Tfrm_Torleszt>(loan); },
             QString(), QStringLiteral("osszeg"), QString()},
        };
        for (const Plan &p : plans)
            measure(p);

        // The profile list with 100 profiles, in a settings file of its own.
        {
            QTemporaryDir folder;
            IniPath() = folder.filePath(QStringLiteral("Zorva.ini"));
            DataDir() = folder.path();
            QStringList profiles;
            for (int i = 1; i <= 100; ++i)
                profiles << QStringLiteral("zorva_%1;szerver%2.otthon;3306;felhasznalo%1;jelszo;Profil %3")
                                .arg(i)
                                .arg(i % 7)
                                .arg(1000 - i);
            writeConnectionProfiles(profiles, IniPath());
            g_profiles = true;
            measure({QStringLiteral("profiles") + suffix, [] { return std::make_unique<Tfrm_Adatbazis>(); },
                     QStringLiteral("Profil 95"), QStringLiteral("kiszolgalo"), QString()});
            g_profiles = false;
            IniPath().clear();
        }
        measureSqlWindow(QStringLiteral("sqlwindow") + suffix, QStringLiteral("SELECT * FROM hazikassza"));
        setMainConnection(nullptr);
        if (created)
            db->execute(QStringLiteral("DROP DATABASE `%1`").arg(schema));
    } catch (const EmySQLDatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
