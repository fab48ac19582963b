// Queries and stored procedures against the server: literals, types, refresh, locate,
// filters, failures.
#include "qtprint.h"
#include "db/database.h"
#include "db/query.h"
#include "db/storedproc.h"
#include "db/table.h"
#include "db/textcodec.h"
#include "support/testserver.h"

#include <gtest/gtest.h>

namespace {

class Query : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
    }
    TmySQLDatabase &db() { return schema->db(); }
    std::unique_ptr<testsupport::ScratchSchema> schema;
};

const QStringList kAwkwardTexts = {
    QStringLiteral("O'Brien"),
    QStringLiteral("back\\slash"),
    QStringLiteral("ends with \\"),
    QStringLiteral("\\'"),
    QStringLiteral("line1\r\nline2"),
    QStringLiteral("\n"),
    QStringLiteral("\r"),
    QStringLiteral("ő ű Ő Ű"),
    QStringLiteral("'; DROP TABLE s; --"),
    QStringLiteral("\"double\" `bt`"),
    QStringLiteral("tab\there %_ :p"),
    QString(""),
    QStringLiteral("ÁRVÍZTŰRŐ tükörfúrógép"),
};

}  // namespace

TEST_F(Query, AnyTextRoundTripsByteExactThroughParametersAndTableWrites)
{
    db().execute(QStringLiteral("CREATE TABLE s (id int PRIMARY KEY, v varchar(255)) CHARACTER SET latin2"));
    TmySQLQuery ins(&db());
    ins.setSQL(QStringLiteral("INSERT INTO s VALUES (:id, :v)"));
    TmySQLTable tbl(&db());
    tbl.setTableName(QStringLiteral("s"));
    tbl.open();
    for (int i = 0; i < kAwkwardTexts.size(); ++i) {
        ins.paramByName(QStringLiteral("id")).setAsInteger(i);
        ins.paramByName(QStringLiteral("v")).setAsString(kAwkwardTexts[i]);
        ins.execSQL();
        tbl.append();
        tbl.fieldByName(QStringLiteral("id")).setAsInteger(1000 + i);
        tbl.fieldByName(QStringLiteral("v")).setAsString(kAwkwardTexts[i]);
        tbl.post();
    }
    TmySQLQuery sel(&db());
    sel.setSQL(QStringLiteral("SELECT id, v, HEX(v) AS h FROM s WHERE BINARY v = :v ORDER BY id"));
    for (int i = 0; i < kAwkwardTexts.size(); ++i) {
        sel.close();
        sel.paramByName(QStringLiteral("v")).setAsString(kAwkwardTexts[i]);
        sel.open();
        const QString expectedHex =
            QString::fromLatin1(TextCodec::toLatin2(kAwkwardTexts[i]).toHex().toUpper());
        // Both copies, and only they, match the text the parameter carried.
        ASSERT_EQ(sel.recordCount(), 2) << kAwkwardTexts[i].toStdString();
        for (sel.first(); !sel.eof(); sel.next()) {
            EXPECT_EQ(sel.fieldByName(QStringLiteral("id")).asInteger() % 1000, i);
            EXPECT_EQ(sel.fieldByName(QStringLiteral("v")).asString(), kAwkwardTexts[i]);
            EXPECT_EQ(sel.fieldByName(QStringLiteral("h")).asString(), expectedHex);
        }
    }
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM s")), 2 * kAwkwardTexts.size());
}

TEST_F(Query, ColumnTypesAndValues)
{
    db().execute(
        QStringLiteral("CREATE TABLE k (hid int AUTO_INCREMENT PRIMARY KEY, n smallint, b bigint, x double, "
                       "d decimal(12,2), "
                       "dt date, ts datetime, tm time, s varchar(25), c char(1), m text, bl blob)"));
    db().execute(
        QStringLiteral("INSERT INTO k VALUES (NULL, -3, 9000000000, 0.1, 12.34, '0000-00-00', "
                       "'2009-03-01 08:09:10', '12:30:00', 'Kovács', 'I', 'hosszú', X'00FF')"));
    db().execute(QStringLiteral("INSERT INTO k (hid) VALUES (NULL)"));
    TmySQLQuery q(&db());
    q.setSQL(QStringLiteral("SELECT * FROM k ORDER BY hid"));
    q.open();
    const QList<TFieldType> types = {TFieldType::ftAutoInc,  TFieldType::ftSmallint, TFieldType::ftLargeint,
                                     TFieldType::ftFloat,    TFieldType::ftBCD,      TFieldType::ftDate,
                                     TFieldType::ftDateTime, TFieldType::ftTime,     TFieldType::ftString,
                                     TFieldType::ftString,   TFieldType::ftMemo,     TFieldType::ftBlob};
    ASSERT_EQ(q.fieldCount(), types.size());
    for (int i = 0; i < types.size(); ++i)
        EXPECT_EQ(q.fields(i).dataType(), types[i]) << q.fields(i).fieldName().toStdString();
    EXPECT_EQ(q.fieldByName(QStringLiteral("s")).size(), 25);
    EXPECT_TRUE(q.fieldByName(QStringLiteral("hid")).isPrimaryKey());

    EXPECT_EQ(q.fieldByName(QStringLiteral("n")).asInteger(), -3);
    EXPECT_EQ(q.fieldByName(QStringLiteral("b")).asLargeInt(), 9000000000LL);
    EXPECT_EQ(q.fieldByName(QStringLiteral("x")).asFloat(), 0.1);
    EXPECT_EQ(q.fieldByName(QStringLiteral("d")).value(), QVariant(12.34));
    // The zero date is a value, read as a null date.
    EXPECT_FALSE(q.fieldByName(QStringLiteral("dt")).isNull());
    EXPECT_TRUE(q.fieldByName(QStringLiteral("dt")).asDate().isNull());
    EXPECT_EQ(q.fieldByName(QStringLiteral("ts")).asDateTime(),
              QDateTime(QDate(2009, 3, 1), QTime(8, 9, 10)));
    EXPECT_EQ(q.fieldByName(QStringLiteral("tm")).value(), QVariant(QTime(12, 30)));
    EXPECT_TRUE(q.fieldByName(QStringLiteral("c")).asBoolean());
    EXPECT_EQ(q.fieldByName(QStringLiteral("m")).asString(), QStringLiteral("hosszú"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("bl")).asBytes(), QByteArray("\x00\xFF", 2));
    q.next();
    for (int i = 1; i < q.fieldCount(); ++i) {
        EXPECT_TRUE(q.fields(i).isNull());
        EXPECT_EQ(q.fields(i).asString(), QString());
        EXPECT_EQ(q.fields(i).asInteger(), 0);
    }
}

TEST_F(Query, ReadOnlyAndAFailedOpenLeavesItClosed)
{
    TmySQLQuery q(&db());
    q.setSQL(QStringLiteral("SELEC 1"));
    EXPECT_THROW(q.open(), EmySQLDatabaseError);
    EXPECT_FALSE(q.isActive());
    q.setSQL(QStringLiteral("DO 1"));
    EXPECT_THROW(q.open(), EmySQLDatabaseError);
    EXPECT_FALSE(q.isActive());
    q.setSQL(QStringLiteral("SELECT 1 AS a"));
    q.open();
    EXPECT_THROW(q.edit(), EmySQLDatabaseError);
    EXPECT_THROW(q.append(), EmySQLDatabaseError);
    EXPECT_THROW(q.deleteRecord(), EmySQLDatabaseError);
    EXPECT_EQ(q.state(), TDataSetState::dsBrowse);
    TmySQLQuery noConnection;
    noConnection.setSQL(QStringLiteral("SELECT 1"));
    EXPECT_THROW(noConnection.open(), EmySQLDatabaseError);
}

TEST_F(Query, RefreshKeepsTheRecordNumberOrGoesToTheLastRow)
{
    db().execute(QStringLiteral("CREATE TABLE r (id int PRIMARY KEY)"));
    db().execute(QStringLiteral("INSERT INTO r VALUES (1),(2),(3),(4),(5)"));
    TmySQLQuery q(&db());
    q.setSQL(QStringLiteral("SELECT id FROM r ORDER BY id"));
    q.open();
    q.setRecNo(3);
    db().execute(QStringLiteral("INSERT INTO r VALUES (0)"));
    q.refresh();
    EXPECT_EQ(q.recordCount(), 6);
    EXPECT_EQ(q.recNo(), 3);
    EXPECT_EQ(q.fieldByName(QStringLiteral("id")).asInteger(), 2);
    q.last();
    db().execute(QStringLiteral("DELETE FROM r WHERE id >= 3"));
    q.refresh();
    EXPECT_EQ(q.recordCount(), 3);
    EXPECT_EQ(q.recNo(), 3);
    EXPECT_EQ(q.fieldByName(QStringLiteral("id")).asInteger(), 2);
    db().execute(QStringLiteral("DELETE FROM r"));
    q.refresh();
    EXPECT_TRUE(q.isEmpty());
    EXPECT_TRUE(q.eof());
    // A refresh that fails keeps the rows it had.
    db().execute(QStringLiteral("INSERT INTO r VALUES (7)"));
    q.refresh();
    db().execute(QStringLiteral("DROP TABLE r"));
    EXPECT_THROW(q.refresh(), EmySQLDatabaseError);
    EXPECT_TRUE(q.isActive());
    EXPECT_EQ(q.fieldByName(QStringLiteral("id")).asInteger(), 7);
}

TEST_F(Query, LocateAndFilterWorkOnTheFetchedRows)
{
    db().execute(QStringLiteral("CREATE TABLE u (ugyfel int, ugyfel_nev varchar(50), fizetve char(1))"));
    db().execute(QStringLiteral("INSERT INTO u VALUES (1,'Nagy','I'),(2,'Kovács','N'),(3,'Kiss','N')"));
    TmySQLQuery q(&db());
    q.setSQL(QStringLiteral("SELECT * FROM u ORDER BY ugyfel"));
    q.open();
    EXPECT_TRUE(
        q.locate(QStringLiteral("ugyfel_nev"), QStringLiteral("kov"), loCaseInsensitive | loPartialKey));
    EXPECT_EQ(q.fieldByName(QStringLiteral("ugyfel")).asInteger(), 2);
    EXPECT_TRUE(q.locate(QStringLiteral("UGYFEL"), 3));
    EXPECT_EQ(q.recNo(), 3);

    db().execute(QStringLiteral("DELETE FROM u"));  // the server is not asked again
    q.setFilter(QStringLiteral("fizetve='N'"));
    q.setFiltered(true);
    EXPECT_EQ(q.recordCount(), 2);
    q.setFiltered(false);
    EXPECT_EQ(q.recordCount(), 3);
}

TEST_F(Query, BookmarksAndCalculatedColumnsOnAQuery)
{
    db().execute(QStringLiteral("CREATE TABLE h (hid int, bevetel double, kiadas double)"));
    db().execute(QStringLiteral("INSERT INTO h VALUES (1, 100, 0), (2, 0, -40.5), (3, 10, -1)"));
    TmySQLQuery q(&db());
    q.setSQL(QStringLiteral("SELECT * FROM h ORDER BY hid"));
    q.addCalculatedField(QStringLiteral("egyenleg"), TFieldType::ftFloat);
    q.onCalcFields = [](TDataSet &ds) {
        ds.fieldByName(QStringLiteral("egyenleg"))
            .setAsFloat(ds.fieldByName(QStringLiteral("bevetel")).asFloat() +
                        ds.fieldByName(QStringLiteral("kiadas")).asFloat());
    };
    q.open();
    double total = 0;
    q.setRecNo(2);
    const TBookmark mark = q.bookmark();
    q.disableControls();
    for (q.first(); !q.eof(); q.next())
        total += q.fieldByName(QStringLiteral("egyenleg")).asFloat();
    q.gotoBookmark(mark);
    q.enableControls();
    EXPECT_DOUBLE_EQ(total, 68.5);
    EXPECT_EQ(q.fieldByName(QStringLiteral("hid")).asInteger(), 2);
    EXPECT_EQ(q.fieldNames().last(), QStringLiteral("egyenleg"));
    q.refresh();  // rows read again: old marks no longer point anywhere
    EXPECT_FALSE(q.bookmarkValid(mark));
    EXPECT_THROW(q.addCalculatedField(QStringLiteral("x"), TFieldType::ftFloat), EmySQLDatabaseError);
}

TEST_F(Query, StoredProcedureOpensItsFirstResultSet)
{
    db().execute(QStringLiteral(
        "CREATE PROCEDURE sp_sum(IN pkassza int, IN pidoszak char(6)) BEGIN "
        "SELECT pkassza * 10 AS pnyito, pidoszak AS idoszak, 1.5 AS bevetel; SELECT 'second' AS x; END"));
    TmySQLStoredProc sp(&db());
    sp.setProcedureName(QStringLiteral("sp_sum"));
    sp.addParam(QStringLiteral("pkassza"), TFieldType::ftInteger);
    sp.addParam(QStringLiteral("pidoszak"), TFieldType::ftString, 6);
    sp.paramByName(QStringLiteral("pkassza")).setAsInteger(1);
    sp.paramByName(QStringLiteral("PIDOSZAK")).setAsString(QStringLiteral("201001"));
    EXPECT_EQ(sp.callText(), QStringLiteral("CALL `sp_sum`(1,'201001')"));
    sp.open();
    EXPECT_EQ(sp.recordCount(), 1);
    EXPECT_EQ(sp.fieldByName(QStringLiteral("pnyito")).asInteger(), 10);
    EXPECT_EQ(sp.fieldByName(QStringLiteral("idoszak")).asString(), QStringLiteral("201001"));
    EXPECT_DOUBLE_EQ(sp.fieldByName(QStringLiteral("bevetel")).asFloat(), 1.5);
    sp.close();
    EXPECT_EQ(db().queryText(QStringLiteral("SELECT 'still usable'")), QStringLiteral("still usable"));
    sp.paramByName(QStringLiteral("pidoszak")).clear();
    EXPECT_EQ(sp.callText(), QStringLiteral("CALL `sp_sum`(1,NULL)"));
    EXPECT_THROW(sp.paramByName(QStringLiteral("nincs")), EmySQLDatabaseError);
    sp.setProcedureName(QStringLiteral("no_such_procedure"));
    EXPECT_THROW(sp.open(), EmySQLDatabaseError);
    EXPECT_FALSE(sp.isActive());
}
