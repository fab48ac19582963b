#include "core/dbhelpers/datasettext.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/sqltext.h"
#include "core/ui/combofill.h"
#include "db/database.h"
#include "db/memtable.h"
#include "db/query.h"
#include "support/testserver.h"

#include <QComboBox>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

class DbHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        setMainConnection(&schema->db());
    }
    void TearDown() override
    {
        setMainConnection(nullptr);
        schema.reset();
    }
    std::unique_ptr<testsupport::ScratchSchema> schema;
};

}  // namespace

TEST(MainConnection, MissingConnectionIsAnError)
{
    setMainConnection(nullptr);
    EXPECT_FALSE(hasMainConnection());
    EXPECT_THROW(ExecSql("SELECT 1"), EmySQLDatabaseError);
}

TEST_F(DbHelpers, SqlTextRoundTripThroughTheServer)
{
    ExecSql("CREATE TABLE t (id INT PRIMARY KEY, s TEXT)");
    const QStringList texts = {
        "O'Brien",
        "back\\slash \\' \\\\n",
        "sor1\r\nsor2\nsor3\r",
        QString::fromUtf8("árvíztűrő tükörfúrógép ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP ő ű Ő Ű"),
        "'; DROP TABLE t; --",
        "%_\"`",
        "",
    };
    for (int i = 0; i < texts.size(); ++i)
        ExecSql(QStringLiteral("INSERT INTO t VALUES (%1, %2)").arg(i).arg(SqlText(texts[i])));
    for (int i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(QueryText(QStringLiteral("SELECT s FROM t WHERE id=%1").arg(i), "<none>"), texts[i]);
        // The literal compares equal on the server, too.
        EXPECT_EQ(
            QueryInt(QStringLiteral("SELECT s=%1 FROM t WHERE id=%2").arg(SqlText(texts[i])).arg(i), -1), 1);
    }
    EXPECT_EQ(QueryInt("SELECT COUNT(*) FROM t", 0), texts.size());
    EXPECT_EQ(QueryText(QStringLiteral("SELECT %1").arg(SqlText(QVariant())), "x"), "");
}

TEST_F(DbHelpers, OneValueReadsAndDefaults)
{
    ExecSql("CREATE TABLE kassza (kassza INT PRIMARY KEY, kassza_nev VARCHAR(50), nyito DOUBLE)");
    ExecSql(QString::fromUtf8("INSERT INTO kassza VALUES (1, 'Pénztárca', 1234.5), (2, NULL, NULL)"));
    EXPECT_EQ(QueryInt("SELECT MAX(kassza) FROM kassza WHERE kassza>5", 99), 0);  // one row holding NULL
    EXPECT_EQ(QueryInt("SELECT kassza FROM kassza WHERE kassza>5", 99), 99);      // no row
    EXPECT_EQ(QueryText("SELECT kassza_nev FROM kassza WHERE kassza=2", "d"), "");
    EXPECT_EQ(QueryText("SELECT kassza_nev FROM kassza WHERE kassza=3", "d"), "d");
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
        EXPECT_DOUBLE_EQ(QueryFloat("SELECT nyito FROM kassza WHERE kassza=1", -1), 1234.5);
        QLocale::setDefault(saved);
    }
    EXPECT_EQ(LookupName(1, "kassza", "?"), QString::fromUtf8("Pénztárca"));
    EXPECT_EQ(LookupName(7, "kassza", "?"), "?");
    EXPECT_THROW(ExecSql("SELECT * FROM nincs_ilyen"), EmySQLDatabaseError);
}

TEST_F(DbHelpers, CopyRowByNameAndRowTexts)
{
    ExecSql("CREATE TABLE hazikassza (hid INT PRIMARY KEY, osszeg DOUBLE, szoveg VARCHAR(40), extra INT)");
    ExecSql(
        QString::fromUtf8("INSERT INTO hazikassza VALUES (7, -1500, 'Kenyér; tej', 1), (8, 20, 'Bér', 2)"));

    TkbmMemTable buffer;
    buffer.addFieldDef("hid", TFieldType::ftInteger);
    buffer.addFieldDef("osszeg", TFieldType::ftFloat);
    buffer.addFieldDef("szoveg", TFieldType::ftString, 40);
    buffer.addFieldDef("csak_itt", TFieldType::ftString, 10);
    buffer.createTable();

    TmySQLQuery qry(&mainConnection());
    qry.setSQL(QStringList{"SELECT * FROM hazikassza", "WHERE hid=7;"});
    CopyRowByName(qry, buffer);
    EXPECT_FALSE(qry.isActive());  // closed again, as it was
    EXPECT_EQ(buffer.state(), TDataSetState::dsBrowse);
    ASSERT_EQ(buffer.recordCount(), 1);
    EXPECT_EQ(buffer.fieldByName("hid").asInteger(), 7);
    EXPECT_DOUBLE_EQ(buffer.fieldByName("osszeg").asFloat(), -1500);
    EXPECT_EQ(buffer.fieldByName("szoveg").asString(), QString::fromUtf8("Kenyér; tej"));
    EXPECT_TRUE(buffer.fieldByName("csak_itt").isNull());

    qry.setSQL("SELECT * FROM hazikassza ORDER BY hid");
    qry.open();
    qry.next();
    CopyRowByName(qry, buffer);
    EXPECT_TRUE(qry.isActive());  // stays open
    EXPECT_EQ(buffer.fieldByName("hid").asInteger(), 8);
    EXPECT_EQ(RecordPosText(qry), "2: 2");
    EXPECT_EQ(RecordPosText(buffer), "2: 2");

    QStringList lines{"kept"};
    DatasetToLines(qry, lines, true, true, true, ";", "extra");
    EXPECT_EQ(lines, QStringList({"kept", "hid;osszeg;szoveg;", QString::fromUtf8("1;7;-1500;Kenyér, tej;"),
                                  QString::fromUtf8("2;8;20;Bér;")}));
    EXPECT_TRUE(qry.eof());
    lines.clear();
    DatasetToLines(qry, lines, false, false, false, "\t", "hid;szoveg");
    EXPECT_EQ(lines, QStringList({"-1500\t1\t", "20\t2\t"}));
}

TEST_F(DbHelpers, FillComboFromQuery)
{
    ExecSql("CREATE TABLE ugyfel (ugyfel INT PRIMARY KEY, ugyfel_nev VARCHAR(40))");
    ExecSql(QString::fromUtf8("INSERT INTO ugyfel VALUES (1, 'Áramszolgáltató'), (2, NULL), (3, 'Őr')"));
    const QString sql = "SELECT ugyfel_nev FROM ugyfel ORDER BY ugyfel";

    QComboBox pick;
    pick.addItem("régi");
    FillComboFromQuery(&pick, sql, "");
    EXPECT_EQ(pick.count(), 3);
    EXPECT_EQ(pick.itemText(0), QString::fromUtf8("Áramszolgáltató"));
    EXPECT_EQ(pick.itemText(1), "");
    EXPECT_EQ(pick.currentIndex(), 0);

    QComboBox free;
    free.setEditable(true);
    FillComboFromQuery(&free, sql, "(mind)");
    EXPECT_EQ(free.count(), 4);
    EXPECT_EQ(free.itemText(0), "(mind)");
    EXPECT_EQ(free.currentText(), "(mind)");

    QComboBox empty;
    FillComboFromQuery(&empty, "SELECT ugyfel_nev FROM ugyfel WHERE 0", "");
    EXPECT_EQ(empty.count(), 0);
    EXPECT_EQ(empty.currentIndex(), -1);
}
