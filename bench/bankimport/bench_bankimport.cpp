// Times a statement import: a file of `rows` rows (10 000 when not given) read, checked
// against the cash box (clients, duplicates, rules) and booked in one transaction into a
// box of `entries` entries (100 000), against the floor: the same sp_kassza_ins calls sent
// directly in one transaction (rolled back), measured before and after the import.  The server comes from
// ZORVA_TEST_HOST/PORT/USER/PASSWORD; a scratch database is created and dropped.
//   bench_bankimport [rows] [entries]
#include "admin/dbinstall/dbinstall.h"
#include "core/dbhelpers/proccalls.h"
#include "db/database.h"
#include "db/directquery.h"
#include "entries/bankimport/importplan.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr int Box = 10;

void bench(const char *name, double value, const char *unit)
{
    std::printf("BENCH %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

std::unique_ptr<TmySQLDatabase> connectServer(const QString &database)
{
    auto db = std::make_unique<TmySQLDatabase>();
    db->setHost(qEnvironmentVariable("ZORVA_TEST_HOST", QStringLiteral("127.0.0.1")));
    db->setPort(qEnvironmentVariableIntValue("ZORVA_TEST_PORT"));
    db->setUserName(qEnvironmentVariable("ZORVA_TEST_USER", QStringLiteral("root")));
    db->setUserPassword(qEnvironmentVariable("ZORVA_TEST_PASSWORD"));
    db->setDatabaseName(database);
    db->setConnectOptions(coCompress);
    db->setParams({QStringLiteral("Port=%1").arg(db->port()), QStringLiteral("TIMEOUT=900")});
    db->setConnectionCharacterSet(QStringLiteral("latin2"));
    db->setConnectionCollation(QStringLiteral("latin2_hungarian_ci"));
    db->open();
    return db;
}

struct Row {
    QDate date;
    double amount;
    QString text, partner;
};

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    const int entries = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 100000;
    if (qEnvironmentVariableIntValue("ZORVA_TEST_PORT") == 0 || rows < 100 || entries < 1000) {
        std::fprintf(stderr, "Set ZORVA_TEST_HOST/PORT/USER/PASSWORD; rows >= 100, entries >= 1000.\n");
        return 2;
    }
    const QString name = QStringLiteral("zb_import_%1").arg(QCoreApplication::applicationPid());
    int rc = 0;
    try {
        auto server = connectServer(QString());
        zorva::createDatabase(*server, name);
        TmySQLDatabase &db = *server;
        zorva::fillDemoData(db, 0);
        db.execute(
            QStringLiteral("INSERT INTO kassza (kassza, kassza_nev, nyito) VALUES (%1, 'Mérés', 50000)")
                .arg(Box));
        zorva::generateEntries(db, Box, zorva::DemoBoxKind::Account, entries, QDate(2015, 1, 1),
                               QDate(2024, 12, 31));
        db.execute(QStringLiteral("ANALYZE TABLE hazikassza"));
        const int income =
            int(db.queryInt(QStringLiteral("SELECT MIN(kasszatip) FROM kasszatip WHERE szorzo > 0")));
        const int expense =
            int(db.queryInt(QStringLiteral("SELECT MIN(kasszatip) FROM kasszatip WHERE szorzo < 0")));
        const QString client =
            db.queryText(QStringLiteral("SELECT ugyfel_nev FROM ugyfel ORDER BY ugyfel LIMIT 1"));
        const int clientId = int(db.queryInt(QStringLiteral("SELECT MIN(ugyfel) FROM ugyfel")));
        db.execute(
            QStringLiteral("INSERT INTO importszabaly (sorrend, minta, kasszatip) VALUES (10, 'bolt', %1)")
                .arg(expense));

        // The statement: a year after the box's last entry, a tenth of it income.
        std::vector<Row> data;
        QByteArray csv = "Könyvelés dátuma;Összeg;Partner neve;Közlemény\r\n";
        for (int i = 0; i < rows; ++i) {
            Row r;
            r.date = QDate(2025, 1, 1).addDays(i * 365 / rows);
            r.amount = i % 10 == 0 ? 250000 + i : -(100 + (i * 37) % 90000 + 0.5);
            r.partner = i % 7 == 0 ? client : QString();
            r.text = QStringLiteral("%1 %2")
                         .arg(i % 3 == 0 ? QStringLiteral("bolt") : QStringLiteral("kártya"))
                         .arg(i);
            data.push_back(r);
            csv += QStringLiteral("%1;%2;%3;%4\r\n")
                       .arg(r.date.toString(QStringLiteral("yyyy.MM.dd.")))
                       .arg(QString::number(r.amount, 'f', 2).replace(u'.', u','))
                       .arg(r.partner, r.text)
                       .toUtf8();
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kivonat.csv"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(csv) != csv.size())
            throw std::runtime_error("cannot write the statement");
        f.close();

        // The floor: the bookings alone, in one transaction.
        QElapsedTimer t;
        t.start();
        db.execute(QStringLiteral("START TRANSACTION"));
        for (const Row &r : data)
            db.execute(zorva::callKasszaIns(r.date, Box, r.amount < 0 ? expense : income, std::abs(r.amount),
                                            r.text, r.partner.isEmpty() ? 0 : clientId));
        const double floorMs = double(t.nsecsElapsed()) / 1e6;
        db.execute(QStringLiteral("ROLLBACK"));

        // The import, from the file to the commit.
        t.restart();
        const zorva::CsvText text = zorva::readStatementFile(path);
        zorva::ImportMapping m;
        m.csv = zorva::detectFormat(text.text, text.encoding);
        const QList<QStringList> preview = zorva::previewRecords(text.text, m.csv, 51);
        zorva::guessColumns(m, preview.first(), preview.mid(1));
        zorva::ImportPlan plan;
        plan.fileName = QStringLiteral("kivonat.csv");
        plan.kassza = Box;
        plan.defaultIncome = income;
        plan.defaultExpense = expense;
        plan.data = zorva::readImportRows(text.text, m);
        const double readMs = double(t.nsecsElapsed()) / 1e6;
        zorva::preparePlan(db, plan, zorva::loadCashTypeRules(db));
        const double prepareMs = double(t.nsecsElapsed()) / 1e6 - readMs;
        const zorva::ImportSummary s = zorva::bookPlan(db, plan, [](int, int) { return true; });
        const double importMs = double(t.nsecsElapsed()) / 1e6;
        if (!s.ok() || s.booked != rows) {
            std::fprintf(stderr, "import failed: %s (%d booked)\n", qPrintable(s.failure), s.booked);
            rc = 1;
        }
        // The floor once more, after the import (a year later, so that nothing shifts).
        t.restart();
        db.execute(QStringLiteral("START TRANSACTION"));
        for (const Row &r : data)
            db.execute(zorva::callKasszaIns(r.date.addYears(1), Box, r.amount < 0 ? expense : income,
                                            std::abs(r.amount), r.text, r.partner.isEmpty() ? 0 : clientId));
        const double floorAfterMs = double(t.nsecsElapsed()) / 1e6;
        db.execute(QStringLiteral("ROLLBACK"));
        bench("bankimport_floor_before_ms", floorMs, "ms");
        bench("bankimport_floor_after_ms", floorAfterMs, "ms");
        bench("bankimport_read_ms", readMs, "ms");
        bench("bankimport_prepare_ms", prepareMs, "ms");
        bench("bankimport_total_ms", importMs, "ms");
        bench("bankimport_vs_floor", importMs / ((floorMs + floorAfterMs) / 2), "ratio");
        db.execute(QStringLiteral("DROP DATABASE `%1`").arg(name));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_bankimport: %s\n", e.what());
        try {
            connectServer(QString())->execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(name));
        } catch (...) {
        }
        return 1;
    }
    return rc;
}
