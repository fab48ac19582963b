// The large databases the benchmarks share: the demo household with as many entries as
// asked for, 10,000 clients, 2,000 bill payments and 5,000 loans with their repayments,
// all written with bulk statements.
#pragma once

#include <QString>

#include <memory>

class TmySQLDatabase;

namespace zorva::bench {

constexpr int ScaleClients = 10000;
constexpr int ScaleBillPayments = 2000;
constexpr int ScaleLoans = 5000;
// Repayments of the one loan paid back day by day.
constexpr int ScaleLongRepayments = 2000;

// Sets `db` up for the server of ZORVA_TEST_HOST/PORT/USER/PASSWORD, on `database` (none
// when empty), compressed like the program's own unless `compress` is false; does not open it.
void configureConnection(TmySQLDatabase &db, const QString &database, bool compress = true);
// A connection set up so, opened.
std::unique_ptr<TmySQLDatabase> connectServer(const QString &database, bool compress = true);

// Creates `name` (dropping one of that name first) and fills it.
void createScaleDatabase(const QString &name, int entries);

// The name of the shared database of `entries` entries when bench/run made it
// (ZORVA_BENCH_DB_100K / ZORVA_BENCH_DB_1M), or empty.
QString sharedScaleDatabase(int entries);

// The shared database of `entries` entries when there is one, otherwise `fallback`
// created and filled now; `created` tells which, so the caller drops only its own.
QString scaleDatabase(int entries, const QString &fallback, bool *created);

// Resident memory of this process, in bytes.
long residentBytes();

}  // namespace zorva::bench
