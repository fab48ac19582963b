// Creates a shared benchmark database: bench_scale_fill NAME ENTRIES.  The server comes
// from ZORVA_TEST_HOST/PORT/USER/PASSWORD.  Prints the time it took as a BENCH line.
#include "scaledata.h"
#include "admin/dbinstall/dbinstall.h"
#include "db/database.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3 || qEnvironmentVariableIntValue("ZORVA_TEST_PORT") == 0) {
        std::fprintf(stderr,
                     "usage: bench_scale_fill NAME ENTRIES (with ZORVA_TEST_HOST/PORT/USER/PASSWORD)\n");
        return 2;
    }
    const QString name = QString::fromLocal8Bit(argv[1]);
    const int entries = QString::fromLocal8Bit(argv[2]).toInt();
    try {
        QElapsedTimer t;
        t.start();
        zorva::bench::createScaleDatabase(name, entries);
        std::printf("BENCH fill_%s_s %.1f s\n", argv[1], double(t.elapsed()) / 1000.0);
    } catch (const zorva::DbInstallError &e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    } catch (const EmySQLDatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 0;
}
