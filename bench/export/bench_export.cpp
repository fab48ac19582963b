// Prints "BENCH <name> <value> <unit>" lines.  The server comes from ZORVA_TEST_*
// (scripts/localdb.sh start DIR PORT PASSWORD); a schema of its own is created and dropped.
#include "db/database.h"
#include "db/query.h"
#include "export/datatoxls.h"
#include "export/delimitedwriter.h"
#include "export/htmlpage.h"
#include "reports/gridreport.h"
#include "reports/reportlayout.h"
#include "reports/reportpaint.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zorva;

namespace {

constexpr int kRuns = 5;

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

volatile double g_sink = 0;

// The floor: every column of every row read in its own type.
void walk(TDataSet &ds)
{
    double acc = 0;
    qsizetype len = 0;
    ds.first();
    while (!ds.eof()) {
        for (int i = 0; i < ds.fieldCount(); ++i) {
            const TField &f = ds.fields(i);
            switch (f.dataType()) {
                case TFieldType::ftFloat:
                case TFieldType::ftBCD:
                    acc += f.asFloat();
                    break;
                case TFieldType::ftDate:
                    acc += f.asDate().day();
                    break;
                case TFieldType::ftString:
                case TFieldType::ftMemo:
                    len += f.asString().size();
                    break;
                default:
                    acc += double(f.asLargeInt());
                    break;
            }
        }
        ds.next();
    }
    g_sink = acc + double(len);
}

// The same walk reading every column as text, the form every export needs.
void walkText(TDataSet &ds)
{
    qsizetype len = 0;
    ds.first();
    while (!ds.eof()) {
        for (int i = 0; i < ds.fieldCount(); ++i)
            len += ds.fields(i).asString().size();
        ds.next();
    }
    g_sink = double(len);
}

// Every column's display text (the grid's text), as the HTML page shows it.
void walkDisplay(TDataSet &ds, const ExportColumns &cols)
{
    std::vector<TField *> fields;
    for (const ExportColumn &c : cols)
        fields.push_back(&ds.fieldByName(c.fieldName));
    qsizetype len = 0;
    ds.first();
    while (!ds.eof()) {
        for (TField *f : fields)
            len += f->displayText().size();
        ds.next();
    }
    g_sink = double(len);
}

std::unique_ptr<TmySQLDatabase> connectServer(const QString &schema)
{
    auto db = std::make_unique<TmySQLDatabase>();
    db->setHost(qEnvironmentVariable("ZORVA_TEST_HOST", QStringLiteral("127.0.0.1")));
    db->setPort(qEnvironmentVariableIntValue("ZORVA_TEST_PORT"));
    db->setUserName(qEnvironmentVariable("ZORVA_TEST_USER", QStringLiteral("root")));
    db->setUserPassword(qEnvironmentVariable("ZORVA_TEST_PASSWORD"));
    db->setDatabaseName(schema);
    db->setConnectOptions(coCompress);
    db->setConnectionCharacterSet(QStringLiteral("latin2"));
    db->setConnectionCollation(QStringLiteral("latin2_hungarian_ci"));
    db->setParams({QStringLiteral("TIMEOUT=30")});
    db->open();
    return db;
}

std::unique_ptr<TmySQLQuery> cashBook(TmySQLDatabase &db, int rows)
{
    auto q = std::make_unique<TmySQLQuery>(&db);
    q->setSQL(QStringLiteral("SELECT * FROM hazikassza ORDER BY hid LIMIT %1").arg(rows));
    q->open();
    for (const char *money : {"nyito", "osszeg", "zaro", "bevetel", "kiadas"})
        q->fieldByName(QString::fromLatin1(money)).setDisplayFormat(QStringLiteral("### ### ##0"));
    return q;
}

ExportColumns gridLikeColumns()
{
    // The main window's list: shares of a 744-pixel-wide grid.
    return {{QStringLiteral("hazikassza"), QStringLiteral("Sorszám"), 49, true, Qt::AlignRight},
            {QStringLiteral("datum"), QStringLiteral("Dátum"), 70, true, Qt::AlignLeft},
            {QStringLiteral("kasszatip"), QStringLiteral("Kassza típus"), 112, true, Qt::AlignRight},
            {QStringLiteral("ugyfel"), QStringLiteral("Ügyfél"), 105, true, Qt::AlignRight},
            {QStringLiteral("nyito"), QStringLiteral("Nyitó"), 70, true, Qt::AlignRight},
            {QStringLiteral("osszeg"), QStringLiteral("Összeg"), 70, true, Qt::AlignRight},
            {QStringLiteral("zaro"), QStringLiteral("Záró"), 70, true, Qt::AlignRight},
            {QStringLiteral("szoveg"), QStringLiteral("Szöveg"), 154, true, Qt::AlignLeft}};
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("ZORVA_TEST_PORT")) {
        std::fprintf(stderr, "set ZORVA_TEST_HOST/PORT/USER/PASSWORD (scripts/localdb.sh start ...)\n");
        return 2;
    }
    const QString schema = QStringLiteral("zorva_bench_export");
    try {
        auto admin = connectServer(QString());
        admin->execute(QStringLiteral("DROP DATABASE IF EXISTS ") + schema);
        admin->execute(QStringLiteral("CREATE DATABASE ") + schema +
                       QStringLiteral(" DEFAULT CHARSET latin2 COLLATE latin2_hungarian_ci"));
        auto db = connectServer(schema);
        db->execute(
            QStringLiteral("CREATE TABLE hazikassza (hid INT AUTO_INCREMENT PRIMARY KEY, hazikassza INT, "
                           "kassza INT, idoszak CHAR(6),"
                           " ugyfel INT, datum DATE, kasszatip INT, nyito DOUBLE, osszeg DOUBLE, zaro "
                           "DOUBLE, szoveg VARCHAR(255),"
                           " bevetel DOUBLE, kiadas DOUBLE)"));
        db->execute(QStringLiteral(
            "INSERT INTO hazikassza "
            "(hazikassza,kassza,idoszak,ugyfel,datum,kasszatip,nyito,osszeg,zaro,szoveg,bevetel,"
            "kiadas) SELECT seq, 1 + seq % 3, DATE_FORMAT(d, '%Y%m'), seq % 200, d, 1 + seq % 40,"
            " seq * 10.0, IF(seq % 3 = 0, 1500.5, -420.25), seq * 10.0 + 7, CONCAT('Bevásárlás és számla ', "
            "seq,"
            " ' – Kovács Ödön üzletében'), IF(seq % 3 = 0, 1500.5, 0), IF(seq % 3 = 0, 0, 420.25)"
            " FROM (SELECT seq, DATE_ADD('2000-01-01', INTERVAL seq % 9000 DAY) AS d FROM seq_1_to_100000) "
            "s"));

        QTemporaryDir out;
        // BENCH_ONLY=delimited|html|xls|print runs one part (for profiling).
        const QString only = qEnvironmentVariable("BENCH_ONLY");
        const auto wanted = [&only](const char *part) {
            return only.isEmpty() || only == QLatin1String(part);
        };
        QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));

        auto big = cashBook(*db, 100000);
        std::vector<double> floor100, text100, delimited, html;
        for (int r = 0; r < kRuns; ++r) {
            floor100.push_back(timeMs([&] { walk(*big); }));
            text100.push_back(timeMs([&] { walkText(*big); }));
            delimited.push_back(!wanted("delimited") ? 0.0 : timeMs([&] {
                DelimitedOptions o;
                o.fields = big->fieldNames();
                QFile f(out.filePath(QStringLiteral("kassza.csv")));
                f.open(QIODevice::WriteOnly);
                DelimitedWriter(*big, o).write(f);
            }));
            if (qEnvironmentVariableIsSet("BENCH_VERBOSE"))
                std::fprintf(stderr, "display texts of the HTML columns: %.1f ms\n",
                             timeMs([&] { walkDisplay(*big, gridLikeColumns()); }));
            html.push_back(!wanted("html") ? 0.0 : timeMs([&] {
                HtmlPageSetup setup;
                setup.title = QStringLiteral("Kassza");
                setup.columns = gridLikeColumns();
                setup.gridWidth = 744;
                setup.exportedAt = QDateTime::currentDateTime();
                QFile f(out.filePath(QStringLiteral("kassza.htm")));
                f.open(QIODevice::WriteOnly);
                HtmlPageWriter(setup).write(*big, f);
            }));
        }
        auto mid = cashBook(*db, 60000);
        std::vector<double> floor60, text60, xls;
        for (int r = 0; r < kRuns; ++r) {
            floor60.push_back(timeMs([&] { walk(*mid); }));
            text60.push_back(timeMs([&] { walkText(*mid); }));
            xls.push_back(!wanted("xls") ? 0.0 : timeMs([&] {
                QFile f(out.filePath(QStringLiteral("kassza.xls")));
                f.open(QIODevice::WriteOnly);
                TDataToXLS x(mid.get());
                x.saveToDevice(f);
            }));
        }
        auto small = cashBook(*db, 10000);
        std::vector<double> printMs;
        int pages = 0;
        for (int r = 0; r < 3; ++r) {
            printMs.push_back(!wanted("print") ? 1.0 : timeMs([&] {
                report::GridPrintOptions o;
                o.portrait = false;
                o.title = QStringLiteral("Kassza");
                o.subtitle = QStringLiteral("Kassza: Pénztárca");
                o.applicationTitle = QStringLiteral("Zorva");
                auto rep = report::buildGridReport(*small, gridLikeColumns(), 744, o);
                const report::ReportLayout layout = report::layoutReport(*rep);
                pages = layout.pageCount();
                report::writePdf(layout, out.filePath(QStringLiteral("kassza.pdf")));
            }));
        }

        std::printf("BENCH export_walk_100k %.1f ms\n", median(floor100));
        std::printf("BENCH export_walk_text_100k %.1f ms\n", median(text100));
        std::printf("BENCH export_delimited_100k %.1f ms\n", median(delimited));
        std::printf("BENCH export_html_100k %.1f ms\n", median(html));
        std::printf("BENCH export_walk_60k %.1f ms\n", median(floor60));
        std::printf("BENCH export_walk_text_60k %.1f ms\n", median(text60));
        std::printf("BENCH export_xls_60k %.1f ms\n", median(xls));
        std::printf("BENCH export_delimited_vs_walk %.3f ratio\n", median(delimited) / median(floor100));
        std::printf("BENCH export_html_vs_walk %.3f ratio\n", median(html) / median(floor100));
        std::printf("BENCH export_xls_vs_walk %.3f ratio\n", median(xls) / median(floor60));
        std::printf("BENCH export_delimited_vs_text_walk %.3f ratio\n", median(delimited) / median(text100));
        std::printf("BENCH export_html_vs_text_walk %.3f ratio\n", median(html) / median(text100));
        std::printf("BENCH export_xls_vs_text_walk %.3f ratio\n", median(xls) / median(text60));
        std::printf("BENCH export_gridprint_pages %d pages\n", pages);
        std::printf("BENCH export_gridprint_pdf %.1f pages/s\n", pages / (median(printMs) / 1000.0));
        big.reset();
        mid.reset();
        small.reset();
        db.reset();
        admin->execute(QStringLiteral("DROP DATABASE IF EXISTS ") + schema);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_export: %s\n", e.what());
        return 1;
    }
    return 0;
}
