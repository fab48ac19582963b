// Statements and units that lost a lock are sent again; inside a transaction they are not.
#include "db/database.h"
#include "support/testserver.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace {

// Holds the row of t for `holdMs` on a connection of its own, so that a writer waits for it.
class RowHolder {
public:
    RowHolder(const testsupport::ScratchSchema &schema, int holdMs) : m_db(schema.connect())
    {
        m_db->execute(QStringLiteral("START TRANSACTION"));
        m_db->execute(QStringLiteral("SELECT * FROM t WHERE id = 1 FOR UPDATE"));
        m_thread = std::thread([this, holdMs] {
            std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            m_db->execute(QStringLiteral("COMMIT"));
        });
    }
    ~RowHolder() { m_thread.join(); }

private:
    std::unique_ptr<TmySQLDatabase> m_db;
    std::thread m_thread;
};

}  // namespace

TEST(Retry, ALockWaitTimeOutIsSentAgainOutsideATransactionOnly)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema schema;
    TmySQLDatabase &db = schema.db();
    db.execute(QStringLiteral(
        "CREATE TABLE t (id int PRIMARY KEY, n int) ENGINE=InnoDB; INSERT INTO t VALUES (1, 0)"));
    db.execute(QStringLiteral("SET SESSION innodb_lock_wait_timeout = 1"));
    {
        // The first attempt waits a second in vain, a later one gets the row.
        RowHolder holder(schema, 1500);
        db.execute(QStringLiteral("UPDATE t SET n = n + 1 WHERE id = 1"));
    }
    EXPECT_EQ(db.queryInt(QStringLiteral("SELECT n FROM t")), 1);

    db.execute(QStringLiteral("START TRANSACTION"));
    {
        RowHolder holder(schema, 1500);
        try {
            db.execute(QStringLiteral("UPDATE t SET n = n + 1 WHERE id = 1"));
            FAIL() << "sent again inside a transaction";
        } catch (const EmySQLDatabaseError &e) {
            EXPECT_EQ(e.errorCode(), 1205);
        }
    }
    db.execute(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(db.queryInt(QStringLiteral("SELECT n FROM t")), 1);
}

TEST(Retry, AUnitRunsAgainAsAWholeOnlyAfterALostLock)
{
    REQUIRE_TEST_SERVER();
    auto db = testsupport::connect();
    struct Case {
        const char *what;
        int code;  // what the unit's first run raises
        bool inTransaction;
        int runs;  // how often the unit ran
        bool raises;
    };
    const Case cases[] = {
        {"deadlock", 1213, false, 2, false},
        {"lock wait time-out", 1205, false, 2, false},
        {"another refusal", 1644, false, 1, true},
        {"lost connection", 2013, false, 1, true},
        {"deadlock inside a transaction", 1213, true, 1, true},
    };
    for (const Case &c : cases) {
        if (c.inTransaction)
            db->execute(QStringLiteral("START TRANSACTION"));
        int runs = 0;
        bool raised = false;
        try {
            db->runUnit([&] {
                if (++runs == 1)
                    throw EmySQLDatabaseError(QStringLiteral("x"), c.code);
            });
        } catch (const EmySQLDatabaseError &e) {
            raised = true;
            EXPECT_EQ(e.errorCode(), c.code) << c.what;
        }
        if (c.inTransaction)
            db->execute(QStringLiteral("ROLLBACK"));
        EXPECT_EQ(runs, c.runs) << c.what;
        EXPECT_EQ(raised, c.raises) << c.what;
    }
    // A unit that keeps losing gives up after a few runs.
    int runs = 0;
    EXPECT_THROW(db->runUnit([&] {
        ++runs;
        throw EmySQLDatabaseError(QStringLiteral("x"), 1213);
    }),
                 EmySQLDatabaseError);
    EXPECT_GT(runs, 1);
    EXPECT_LE(runs, 3);
}
