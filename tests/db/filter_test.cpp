// Filter expressions on fetched rows: the forms the windows build, and refused ones.
#include "qtprint.h"
#include "db/memtable.h"

#include <gtest/gtest.h>

namespace {

class Filter : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.addFieldDef(QStringLiteral("kassza"), TFieldType::ftInteger);
        t.addFieldDef(QStringLiteral("szorzo"), TFieldType::ftInteger);
        t.addFieldDef(QStringLiteral("fizetve"), TFieldType::ftString, 1);
        t.addFieldDef(QStringLiteral("nev"), TFieldType::ftString, 20);
        t.open();
        const QList<std::tuple<int, int, QString, QString>> rows = {
            {1, 1, "N", "O'Neil"}, {1, -1, "I", "b"}, {2, -1, "N", "c"}, {2, 1, "I", "d"}, {3, -1, "N", "e"}};
        for (const auto &[kassza, szorzo, fizetve, nev] : rows) {
            t.append();
            t.fieldByName(QStringLiteral("kassza")).setAsInteger(kassza);
            t.fieldByName(QStringLiteral("szorzo")).setAsInteger(szorzo);
            t.fieldByName(QStringLiteral("fizetve")).setAsString(fizetve);
            t.fieldByName(QStringLiteral("nev")).setAsString(nev);
            t.post();
        }
    }
    QStringList visible(const QString &expression)
    {
        t.setFilter(expression);
        t.setFiltered(true);
        QStringList out;
        for (t.first(); !t.eof(); t.next())
            out << t.fieldByName(QStringLiteral("nev")).asString();
        return out;
    }
    TkbmMemTable t;
};

}  // namespace

TEST_F(Filter, TheFormsTheWindowsBuild)
{
    EXPECT_EQ(visible(QStringLiteral("fizetve='N'")), QStringList({"O'Neil", "c", "e"}));
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(visible(QStringLiteral("szorzo=-1")), QStringList({"b", "c", "e"}));
    EXPECT_EQ(visible(QStringLiteral("kassza=2")), QStringList({"c", "d"}));
    EXPECT_EQ(visible(QStringLiteral("fizetve='N' and (szorzo=-1)")), QStringList({"c", "e"}));
    EXPECT_EQ(visible(QStringLiteral("(kassza = 1)AND(szorzo = 1)")), QStringList({"O'Neil"}));
    EXPECT_EQ(visible(QStringLiteral("  ( fizetve='I' )  And ( kassza=2 ) and (szorzo=1)")),
              QStringList({"d"}));
    EXPECT_EQ(visible(QStringLiteral("nev='O''Neil'")), QStringList({"O'Neil"}));
    EXPECT_EQ(visible(QStringLiteral("fizetve='n'")), QStringList());  // text compares exactly
    EXPECT_EQ(visible(QStringLiteral("kassza=1 or kassza=3")), QStringList({"O'Neil", "b", "e"}));
    EXPECT_EQ(visible(QStringLiteral("kassza<>1 and not (szorzo=1)")), QStringList({"c", "e"}));
}

TEST_F(Filter, SwitchingOffShowsEveryRowAgainAndRowsWrittenStayVisible)
{
    visible(QStringLiteral("kassza=3"));
    EXPECT_EQ(t.recordCount(), 1);
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 5);
    t.setFiltered(true);
    t.append();
    t.fieldByName(QStringLiteral("kassza")).setAsInteger(9);
    t.post();
    EXPECT_EQ(t.recordCount(), 2);
    t.setFilter(QString());
    EXPECT_EQ(t.recordCount(), 6);
}

TEST_F(Filter, BadExpressionsAreRefusedAndTheOldFilterStays)
{
    visible(QStringLiteral("kassza=2"));
    for (const QString &bad :
         {QStringLiteral("kassza="), QStringLiteral("kassza=2 and"), QStringLiteral("(kassza=2"),
          QStringLiteral("fizetve='N"), QStringLiteral("kassza 2"), QStringLiteral("=2"),
          QStringLiteral("kassza=abc")}) {
        try {
            t.setFilter(bad);
            ADD_FAILURE() << "accepted: " << bad.toStdString();
        } catch (const EmySQLDatabaseError &e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Hibás szűrőfeltétel"))) << e.what();
        }
    }
    EXPECT_EQ(t.filter(), QStringLiteral("kassza=2"));
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_THROW(t.setFilter(QStringLiteral("nincs=1")), EmySQLDatabaseError);
    EXPECT_EQ(t.recordCount(), 2);
}
