// Editable tables: rows written back by primary key (or by all their values without one),
// auto-increment keys, failures that keep the row, moves that post.
#include "qtprint.h"
#include "db/database.h"
#include "db/table.h"
#include "support/testserver.h"

#include <gtest/gtest.h>

namespace {

class Table : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        db().execute(QStringLiteral(
            "CREATE TABLE kassza (kassza int NOT NULL AUTO_INCREMENT PRIMARY KEY, kassza_nev varchar(25) NOT "
            "NULL, "
            "nyito double NOT NULL DEFAULT 0, tizedesjegy int NOT NULL DEFAULT 0, aktiv char(1) DEFAULT 'I', "
            "UNIQUE KEY (kassza_nev))"));
        db().execute(QStringLiteral("CREATE TABLE naplo (kassza int)"));
        db().execute(
            QStringLiteral("CREATE TRIGGER kassza_upd AFTER UPDATE ON kassza FOR EACH ROW INSERT INTO naplo "
                           "VALUES (NEW.kassza)"));
        db().execute(
            QStringLiteral("INSERT INTO kassza (kassza_nev, nyito) VALUES ('Pénztárca', 10), ('Bank', 20), "
                           "('Persely', 30)"));
        tbl = std::make_unique<TmySQLTable>(&db());
        tbl->setTableName(QStringLiteral("kassza"));
        tbl->open();
    }
    TmySQLDatabase &db() { return schema->db(); }
    TField &f(const char *name) { return tbl->fieldByName(QString::fromLatin1(name)); }
    QString onServer(const QString &sql) { return db().queryText(sql); }

    std::unique_ptr<testsupport::ScratchSchema> schema;
    std::unique_ptr<TmySQLTable> tbl;
};

}  // namespace

TEST_F(Table, NewRowShowsItsKeyAndTheServersDefaultsRightAfterPosting)
{
    tbl->append();
    f("kassza_nev").setAsString(QStringLiteral("Megtakarítás"));
    tbl->post();
    EXPECT_EQ(f("kassza").asInteger(), 4);
    EXPECT_EQ(f("kassza").asInteger(), db().queryInt(QStringLiteral("SELECT MAX(kassza) FROM kassza")));
    EXPECT_EQ(f("aktiv").asString(), QStringLiteral("I"));
    EXPECT_DOUBLE_EQ(f("nyito").asFloat(), 0.0);
    EXPECT_EQ(tbl->recordCount(), 4);
    EXPECT_EQ(onServer(QStringLiteral("SELECT kassza_nev FROM kassza WHERE kassza=4")),
              QStringLiteral("Megtakarítás"));
}

TEST_F(Table, EditWritesOnlyTheChangedColumnsOfThatRow)
{
    ASSERT_TRUE(tbl->locate(QStringLiteral("kassza_nev"), QStringLiteral("Bank")));
    // Someone else changes the opening amount meanwhile; our edit of the name must keep it.
    testsupport::connect(schema->name())
        ->execute(QStringLiteral("UPDATE kassza SET nyito = 99 WHERE kassza = 2"));
    tbl->edit();
    f("kassza_nev").setAsString(QStringLiteral("Bankszámla"));
    tbl->post();
    EXPECT_EQ(onServer(QStringLiteral("SELECT CONCAT(kassza_nev,'/',nyito) FROM kassza WHERE kassza=2")),
              QStringLiteral("Bankszámla/99"));
    EXPECT_DOUBLE_EQ(f("nyito").asFloat(), 99.0);  // read back after writing
    EXPECT_EQ(onServer(QStringLiteral("SELECT GROUP_CONCAT(kassza_nev ORDER BY kassza) FROM kassza")),
              QStringLiteral("Pénztárca,Bankszámla,Persely"));

    // A post without a change sends nothing.
    db().execute(QStringLiteral("DELETE FROM naplo"));
    tbl->edit();
    f("kassza_nev").setAsString(QStringLiteral("Bankszámla"));
    tbl->post();
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM naplo")), 0);
}

TEST_F(Table, TheKeyReadBeforeTheEditIdentifiesTheRow)
{
    tbl->first();
    tbl->edit();
    f("kassza").setAsInteger(50);
    f("kassza_nev").setAsString(QStringLiteral("Új név"));
    tbl->post();
    EXPECT_EQ(onServer(QStringLiteral("SELECT kassza_nev FROM kassza WHERE kassza=50")),
              QStringLiteral("Új név"));
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM kassza WHERE kassza=1"), -1), 0);
    // Edited again: now the new key is the one on the server.
    tbl->edit();
    f("tizedesjegy").setAsInteger(2);
    tbl->post();
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT tizedesjegy FROM kassza WHERE kassza=50")), 2);
}

TEST_F(Table, DeleteRemovesTheRowByKeyAndStandsOnTheNext)
{
    tbl->setRecNo(2);
    tbl->deleteRecord();
    EXPECT_EQ(f("kassza_nev").asString(), QStringLiteral("Persely"));
    EXPECT_EQ(onServer(QStringLiteral("SELECT GROUP_CONCAT(kassza ORDER BY kassza) FROM kassza")),
              QStringLiteral("1,3"));
    tbl->deleteRecord();
    EXPECT_EQ(f("kassza_nev").asString(), QStringLiteral("Pénztárca"));
    EXPECT_EQ(tbl->recNo(), 1);
}

TEST_F(Table, AFailedPostKeepsTheRowInInsertOrEditState)
{
    tbl->append();
    f("nyito").setAsFloat(5);
    try {
        tbl->post();  // kassza_nev has no default
        FAIL() << "no error";
    } catch (const EmySQLDatabaseError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("MySQL Error Code: (1364)"))) << e.what();
    }
    EXPECT_EQ(tbl->state(), TDataSetState::dsInsert);
    EXPECT_DOUBLE_EQ(f("nyito").asFloat(), 5.0);
    f("kassza_nev").setAsString(QStringLiteral("Zseb"));
    tbl->post();
    EXPECT_EQ(tbl->state(), TDataSetState::dsBrowse);
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM kassza")), 4);

    tbl->first();
    tbl->edit();
    f("kassza_nev").setAsString(QStringLiteral("Bank"));  // taken
    EXPECT_THROW(tbl->post(), EmySQLDatabaseError);
    EXPECT_EQ(tbl->state(), TDataSetState::dsEdit);
    EXPECT_THROW(tbl->next(), EmySQLDatabaseError);  // a move posts, and fails the same way
    EXPECT_EQ(tbl->recNo(), 1);
    tbl->cancel();
    EXPECT_EQ(f("kassza_nev").asString(), QStringLiteral("Pénztárca"));
}

TEST_F(Table, MovingTheCursorPostsChangesAndDropsUntouchedNewRows)
{
    tbl->first();
    tbl->edit();
    f("tizedesjegy").setAsInteger(2);
    tbl->next();
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT tizedesjegy FROM kassza WHERE kassza=1")), 2);
    tbl->insert();
    tbl->refresh();  // nothing given: dropped, nothing sent
    EXPECT_EQ(tbl->recordCount(), 3);
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM kassza")), 3);
}

TEST_F(Table, IndexFieldNamesOrderTheRows)
{
    tbl->close();
    tbl->setIndexFieldNames(QStringLiteral("kassza_nev"));
    tbl->open();
    QStringList names;
    for (tbl->first(); !tbl->eof(); tbl->next())
        names << f("kassza_nev").asString();
    EXPECT_EQ(names, QStringList({"Bank", "Pénztárca", "Persely"}));
    tbl->close();
    tbl->setTableName(QString());
    EXPECT_THROW(tbl->open(), EmySQLDatabaseError);
    tbl->setTableName(QStringLiteral("nincs_ilyen"));
    EXPECT_THROW(tbl->open(), EmySQLDatabaseError);
    EXPECT_FALSE(tbl->isActive());
}

TEST_F(Table, WithoutAPrimaryKeyExactlyOneMatchingRowIsTouched)
{
    db().execute(QStringLiteral("CREATE TABLE nokey (a int, b varchar(10), x double)"));
    db().execute(QStringLiteral("INSERT INTO nokey VALUES (1, NULL, 0.1), (1, NULL, 0.1), (2, 'ő', 1e-7)"));
    TmySQLTable t(&db());
    t.setTableName(QStringLiteral("nokey"));
    t.open();
    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("b")).setAsString(QStringLiteral("egy"));
    t.post();
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM nokey WHERE b = 'egy'")), 1);
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM nokey WHERE b IS NULL")), 1);
    t.last();
    t.edit();
    t.fieldByName(QStringLiteral("a")).setAsInteger(3);
    t.post();  // found by its text and its tiny double
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT a FROM nokey WHERE b = 'ő'")), 3);
    // The edited row is now the program's own copy; it is still found on the server.
    t.deleteRecord();
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM nokey")), 2);
    t.first();
    t.deleteRecord();
    EXPECT_EQ(db().queryText(QStringLiteral("SELECT IFNULL(b,'null') FROM nokey")), QStringLiteral("null"));
}
