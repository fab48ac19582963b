// The connection: character set statements, re-connection, one-value reads, errors.
#include "qtprint.h"
#include "db/database.h"
#include "db/directquery.h"
#include "db/query.h"
#include "support/testserver.h"

#include <QLocale>
#include <QSignalSpy>

#include <clocale>
#include <string>

#include <gtest/gtest.h>

namespace {

class Connection : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
    }
    TmySQLDatabase &db() { return schema->db(); }
    std::unique_ptr<testsupport::ScratchSchema> schema;
};

std::unique_ptr<TmySQLDatabase> unopened(const QString &charset, const QString &collation)
{
    const testsupport::ServerParams p = testsupport::serverParams();
    auto db = std::make_unique<TmySQLDatabase>();
    db->setHost(p.host);
    db->setPort(p.port);
    db->setUserName(p.user);
    db->setUserPassword(p.password);
    db->setConnectOptions(coCompress);
    db->setParams({QStringLiteral("TIMEOUT=30")});
    db->setConnectionCharacterSet(charset);
    db->setConnectionCollation(collation);
    return db;
}

QString sessionValue(TmySQLDatabase &db, const char *variable)
{
    return db.queryText(QStringLiteral("SELECT @@%1").arg(QLatin1String(variable)));
}

}  // namespace

TEST_F(Connection, EachFormOfTheCharacterSetStatement)
{
    auto both = unopened(QStringLiteral("latin2"), QStringLiteral("latin2_hungarian_ci"));
    QSignalSpy connected(both.get(), &TmySQLDatabase::afterConnect);
    both->open();
    both->open();  // already open: nothing happens
    EXPECT_EQ(connected.count(), 1);
    EXPECT_EQ(sessionValue(*both, "collation_connection"), QStringLiteral("latin2_hungarian_ci"));
    EXPECT_EQ(sessionValue(*both, "character_set_results"), QStringLiteral("latin2"));

    auto charsetOnly = unopened(QStringLiteral("latin2"), QString());
    EXPECT_EQ(sessionValue(*charsetOnly, "collation_connection"), QStringLiteral("latin2_general_ci"));
    EXPECT_TRUE(charsetOnly->connected());  // opened by the first statement

    auto collationOnly = unopened(QString(), QStringLiteral("latin2_hungarian_ci"));
    EXPECT_EQ(sessionValue(*collationOnly, "collation_connection"), QStringLiteral("latin2_hungarian_ci"));
    EXPECT_NE(sessionValue(*collationOnly, "character_set_results"), QStringLiteral("latin2"));

    auto bad = unopened(QStringLiteral("latin2"), QStringLiteral("no_such_collation"));
    EXPECT_THROW(bad->open(), EmySQLDatabaseError);
    EXPECT_FALSE(bad->connected());
}

TEST_F(Connection, ReconnectsAfterTheServerKillsItWithLatin2StillInForce)
{
    TmySQLDatabase &conn = db();
    conn.execute(QStringLiteral("CREATE TABLE t (s varchar(20)) CHARACTER SET latin2"));
    QSignalSpy reconnected(&conn, &TmySQLDatabase::onReconnect);
    const unsigned long before = conn.threadId();
    auto killer = testsupport::connect();
    killer->execute(QStringLiteral("KILL %1").arg(before));

    // The statement right after the drop already runs on the new session, set up as before.
    EXPECT_EQ(sessionValue(conn, "collation_connection"), QStringLiteral("latin2_hungarian_ci"));
    EXPECT_NE(conn.threadId(), before);
    EXPECT_EQ(reconnected.count(), 1);
    EXPECT_EQ(sessionValue(conn, "character_set_client"), QStringLiteral("latin2"));
    conn.execute(QStringLiteral("INSERT INTO t VALUES ('Árvíztűrő')"));
    EXPECT_EQ(conn.queryText(QStringLiteral("SELECT HEX(s) FROM t")), QStringLiteral("C17276ED7A74FB72F5"));
    EXPECT_EQ(conn.queryText(QStringLiteral("SELECT s FROM t WHERE s = 'ÁRVÍZTŰRŐ'")),
              QStringLiteral("Árvíztűrő"));
    EXPECT_EQ(reconnected.count(), 1);
}

TEST_F(Connection, RefusalsCarryTheServerNumberAndText)
{
    try {
        db().execute(QStringLiteral("SELEC 1"));
        FAIL() << "no error";
    } catch (const EmySQLDatabaseError &e) {
        EXPECT_EQ(e.errorCode(), 1064);
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("MySQL Error Code: (1064)\r\nYou have an error")))
            << e.what();
    }
    // A server text in latin2 arrives intact.
    try {
        db().execute(QStringLiteral("SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Hibás összeg: ő'"));
        FAIL() << "no error";
    } catch (const EmySQLDatabaseError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("MySQL Error Code: (1644)\r\nHibás összeg: ő"));
    }
    // A later statement of a multi-statement text fails the same way, and the connection goes on.
    EXPECT_THROW(db().execute(QStringLiteral("SELECT 1; SELECT * FROM nincs_ilyen")), EmySQLDatabaseError);
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT 2")), 2);
}

TEST_F(Connection, ClientFailuresCarryTheClientText)
{
    auto wrongPassword = unopened(QStringLiteral("latin2"), QString());
    wrongPassword->setUserPassword(QStringLiteral("not the password"));
    try {
        wrongPassword->open();
        FAIL() << "no error";
    } catch (const EmySQLDatabaseError &e) {
        EXPECT_EQ(e.errorCode(), 1045);  // refused by the server
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("MySQL Error Code: (1045)\r\n")));
    }
    auto nobody = unopened(QStringLiteral("latin2"), QString());
    nobody->setPort(1);  // nothing listens there
    try {
        nobody->open();
        FAIL() << "no error";
    } catch (const EmySQLDatabaseError &e) {
        EXPECT_GE(e.errorCode(), 2000);
        EXPECT_LT(e.errorCode(), 3000);
        // Said in Hungarian first, the client library's own text after it.
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Az adatbázis nem érhető el"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("\r\n("))) << e.what();
    }
    EXPECT_FALSE(nobody->connected());
    try {
        db().execute(QStringLiteral("  \n "));
        FAIL() << "no error";
    } catch (const EmySQLDatabaseError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Üres SQL utasítás"));
        EXPECT_EQ(e.errorCode(), 0);
    }
}

TEST_F(Connection, OneValueReadsAndTheirDefaults)
{
    TmySQLDatabase &c = db();
    c.execute(
        QStringLiteral("CREATE TABLE hazikassza (hid int AUTO_INCREMENT PRIMARY KEY, szoveg varchar(20))"));
    EXPECT_EQ(c.queryInt(QStringLiteral("SELECT MAX(hid) FROM hazikassza;"), 5), 0);  // NULL, not the default
    EXPECT_EQ(c.queryInt(QStringLiteral("SELECT hid FROM hazikassza;"), 5), 5);       // no row
    EXPECT_EQ(c.queryText(QStringLiteral("SELECT NULL"), QStringLiteral("x")), QString());
    EXPECT_EQ(c.queryText(QStringLiteral("SELECT szoveg FROM hazikassza"), QStringLiteral("x")),
              QStringLiteral("x"));
    EXPECT_EQ(c.queryInt(QStringLiteral("SELECT 'abc'"), 5), 0);
    EXPECT_EQ(c.queryInt(QStringLiteral("SELECT ' 42 '"), 5), 42);
    EXPECT_EQ(c.queryFloat(QStringLiteral("SELECT NULL"), 3.5), 0.0);
    EXPECT_EQ(c.queryFloat(QStringLiteral("SELECT 1 FROM hazikassza"), 3.5), 3.5);
    EXPECT_EQ(c.queryInt(QStringLiteral("DO 1"), 9), 9);  // no result set at all

    c.execute(QStringLiteral("INSERT INTO hazikassza (szoveg) VALUES ('a'),('b')"));
    EXPECT_EQ(c.affectedRows(), 2u);
    EXPECT_EQ(c.lastInsertId(), 1u);
    EXPECT_EQ(c.queryInt(QStringLiteral("SELECT MAX(hid) FROM hazikassza;"), 5), 2);
}

TEST_F(Connection, NumbersReadWithAPointUnderACommaLocale)
{
    const QLocale saved;
    const std::string oldLocale = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::Hungarian));
    std::setlocale(LC_ALL, "hu_HU.UTF-8");
    EXPECT_DOUBLE_EQ(db().queryFloat(QStringLiteral("SELECT 1234.5")), 1234.5);
    EXPECT_DOUBLE_EQ(db().queryFloat(QStringLiteral("SELECT CAST(-0.125 AS DOUBLE)")), -0.125);
    EXPECT_EQ(db().queryFloat(QStringLiteral("SELECT '1234,5'"), 7), 0.0);  // not a number here

    db().execute(QStringLiteral("CREATE TABLE n (x double, d decimal(10,2))"));
    TmySQLQuery q(&db());
    q.setSQL(QStringLiteral("INSERT INTO n VALUES (:x, :x)"));
    q.paramByName(QStringLiteral("x")).setAsFloat(1234.5);
    q.execSQL();
    q.setSQL(QStringLiteral("SELECT x, d FROM n"));
    q.open();
    EXPECT_DOUBLE_EQ(q.fieldByName(QStringLiteral("x")).asFloat(), 1234.5);
    EXPECT_DOUBLE_EQ(q.fieldByName(QStringLiteral("d")).asFloat(), 1234.5);
    EXPECT_EQ(q.fieldByName(QStringLiteral("d")).asString(), QStringLiteral("1234.50"));
    q.fieldByName(QStringLiteral("x")).setDisplayFormat(QStringLiteral("### ### ##0.00"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("x")).displayText(), QStringLiteral("1 234,50"));
    std::setlocale(LC_ALL, oldLocale.c_str());
    QLocale::setDefault(saved);
}

TEST_F(Connection, TableNamesLeaveViewsOut)
{
    db().execute(QStringLiteral(
        "CREATE TABLE b (x int); CREATE TABLE a (x int); CREATE VIEW vw_a AS SELECT * FROM a"));
    QStringList names = db().tableNames();
    names.sort();
    EXPECT_EQ(names, QStringList({"a", "b"}));
}

TEST_F(Connection, CallOfAProcedureReturningRowsLeavesTheConnectionUsable)
{
    db().execute(QStringLiteral("CREATE PROCEDURE p() BEGIN SELECT 1 AS a; SELECT 2 AS b; END"));
    db().execute(QStringLiteral("CALL p()"));
    EXPECT_EQ(db().queryInt(QStringLiteral("CALL p()")), 1);  // the first result set
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT 3")), 3);
}

TEST_F(Connection, CloseClosesTheDataSetsAndAStatementOpensAgain)
{
    TmySQLQuery q(&db());
    q.setSQL(QStringLiteral("SELECT 1 AS x"));
    q.open();
    db().close();
    EXPECT_FALSE(q.isActive());
    EXPECT_FALSE(db().connected());
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT 4")), 4);
    EXPECT_TRUE(db().connected());
}

TEST_F(Connection, DirectReaderWalksRowsAndReadsNullAsEmptyText)
{
    TmySQLDirectQuery dq(&db());
    dq.setSQL(QStringLiteral("SELECT 'ő', NULL UNION ALL SELECT 'b', 'c' UNION ALL SELECT 'd', 'e'"));
    dq.open();
    ASSERT_FALSE(dq.eof());
    EXPECT_EQ(dq.fieldCount(), 2);
    EXPECT_EQ(dq.fieldValue(0), QStringLiteral("ő"));
    EXPECT_EQ(dq.fieldValue(1), QString());
    EXPECT_EQ(dq.fieldValue(5), QString());
    dq.next();
    EXPECT_EQ(dq.fieldValue(1), QStringLiteral("c"));
    dq.close();  // before the end
    EXPECT_FALSE(dq.isActive());
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT 5")), 5);
}
