// The MariaDB server the test script started, and throw-away schemas on it.
#pragma once

#include "db/database.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

struct ServerParams {
    QString host;
    int port = 0;
    QString user;
    QString password;
    QString socket;
};

// Read from ZORVA_TEST_HOST/PORT/USER/PASSWORD/SOCKET; a test that needs the server
// fails (never skips silently) when they are missing.
ServerParams serverParams();
bool serverConfigured();

// A connection to the test server with the program's usual options
// (compression, latin2 / latin2_hungarian_ci, 30 s time-out).
std::unique_ptr<TmySQLDatabase> connect(const QString &schema = QString(), bool latin2 = true);

// A schema of its own for one test: created empty (latin2_hungarian_ci) in the
// constructor, dropped in the destructor.
class ScratchSchema {
public:
    ScratchSchema();
    ~ScratchSchema();
    ScratchSchema(const ScratchSchema &) = delete;
    ScratchSchema &operator=(const ScratchSchema &) = delete;

    const QString &name() const { return m_name; }
    // A new connection to the schema.
    std::unique_ptr<TmySQLDatabase> connect(bool latin2 = true) const;
    // The connection made at construction, open on the schema.
    TmySQLDatabase &db() { return *m_db; }

private:
    QString m_name;
    std::unique_ptr<TmySQLDatabase> m_db;
};

// A temporary folder for settings files and exports; removed at the end.
class TempFolder {
public:
    TempFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

}  // namespace testsupport

// Fails the current test when the server is not configured.
#define REQUIRE_TEST_SERVER()                                                              \
    do {                                                                                   \
        if (!testsupport::serverConfigured())                                              \
            GTEST_FAIL() << "ZORVA_TEST_* is not set: run the tests through scripts/test.sh"; \
    } while (0)
