// The benchmark's own schema with a cash-book-shaped table.
#pragma once

#include <QString>

class TmySQLDatabase;

struct BenchServer {
    QString host;
    int port = 3306;
    QString user;
    QString password;
};

BenchServer benchServerFromEnvironment();
// Connection with the program's options (compression, latin2, 30 s time-out), schema optional.
void configure(TmySQLDatabase &db, const BenchServer &server, const QString &schema);
// Creates (again) the schema with `rows` rows in table hazikassza.
void createBenchTable(TmySQLDatabase &db, const QString &schema, int rows);
