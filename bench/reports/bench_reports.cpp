// "Pénzmozgások időszakra (összes)" over 100,000 entries, against the floor of opening
// the same query and reading every printed field of every row in the same run:
//   BENCH report_first_page_100k <ms> ms     build and open the report, open its preview
//                                            and paint the first page on the screen
//   BENCH report_pdf_100k <ms> ms            the whole report written as PDF
//   BENCH report_pdf_vs_walk <r> ratio       the whole PDF against the floor
//   BENCH report_walk_100k <ms> ms           the floor itself
// The server comes from ZORVA_TEST_HOST/PORT/USER/PASSWORD.
#include "admin/dbinstall/dbinstall.h"
#include "admin/dbinstall/demodata.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "db/database.h"
#include "db/query.h"
#include "reports/cashbook/cashbookreports.h"
#include "reports/reportlayout.h"
#include "reports/reportpaint.h"
#include "reports/ui/reportpreview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <cstdio>
#include <ctime>

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

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Processor time of this program in ms: on a busy machine the wall clock also
// counts the waits for a processor.
double cpuMs()
{
    return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString schema = QStringLiteral("zorva_bench_rep");
    {
        TmySQLDatabase server;
        configure(server, QString());
        server.open();
        server.execute(QStringLiteral("DROP DATABASE IF EXISTS ") + schema);
        zorva::createDatabase(server, schema);
        zorva::fillDemoData(server, 100000);
        server.close();
    }
    TmySQLDatabase db;
    configure(db, schema);
    db.open();
    zorva::setMainConnection(&db);
    zorva::Cassa() = 1;
    const QDate from(1900, 1, 1), to(2100, 12, 31);

    // Floor: the report's query opened and every printed field of every row read.
    QElapsedTimer t;
    t.start();
    double cpu = cpuMs();
    int rows = 0;
    {
        auto rep = zorva::buildPeriodMovements(db, 0, -1, from, to);
        TmySQLQuery &q = *rep->data;
        const char *fields[] = {"datum",   "kasszatip_nev", "ugyfel_nev", "kassza_nev",
                                "bevetel", "kiadas",        "szoveg"};
        qsizetype chars = 0;
        for (q.first(); !q.eof(); q.next()) {
            for (const char *f : fields)
                chars += q.fieldByName(QString::fromLatin1(f)).displayText().size();
            ++rows;
        }
        if (chars < 0)
            return 1;
    }
    const double walk = ms(t);
    const double walkCpu = cpuMs() - cpu;

    t.restart();
    double firstPage = 0;
    {
        auto rep = zorva::buildPeriodMovements(db, 0, -1, from, to);
        zorva::ReportPreviewDialog preview(*rep->report);
        preview.show();
        QApplication::processEvents();
        const QImage shown = preview.grab().toImage();
        firstPage = ms(t);
        if (preview.pageCount() < 1 || shown.isNull())
            return 1;
    }

    t.restart();
    cpu = cpuMs();
    int pages = 0;
    {
        auto rep = zorva::buildPeriodMovements(db, 0, -1, from, to);
        const double opened = ms(t);
        const zorva::report::ReportLayout layout = zorva::report::layoutReport(*rep->report);
        pages = layout.pageCount();
        const double laid = ms(t);
        std::printf("# open %.0f ms, layout %.0f ms\n", opened, laid - opened);
        QString error;
        if (!zorva::report::writePdf(layout, QDir::temp().filePath(QStringLiteral("bench_report.pdf")),
                                     &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    const double pdf = ms(t);
    const double pdfCpu = cpuMs() - cpu;
    if (qEnvironmentVariableIsEmpty("ZORVA_BENCH_KEEP"))
        QFile::remove(QDir::temp().filePath(QStringLiteral("bench_report.pdf")));

    std::printf("# %d rows, %d pages\n", rows, pages);
    std::printf("BENCH report_walk_100k %.0f ms\n", walk);
    std::printf("BENCH report_first_page_100k %.0f ms\n", firstPage);
    std::printf("BENCH report_pdf_100k %.0f ms\n", pdf);
    std::printf("BENCH report_pdf_vs_walk %.2f ratio\n", pdf / walk);
    std::printf("# processor time: walk %.0f ms, PDF %.0f ms (%.2fx)\n", walkCpu, pdfCpu, pdfCpu / walkCpu);
    zorva::setMainConnection(nullptr);
    db.close();
    {
        TmySQLDatabase server;
        configure(server, QString());
        server.open();
        server.execute(QStringLiteral("DROP DATABASE IF EXISTS ") + schema);
    }
    return 0;
}
