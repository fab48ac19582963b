// The cash-book procedures: the balance chain after inserts, edits and deletes, the new
// entry's id, the amounts' signs, texts, and the totals procedure.
#include "zorvaschema.h"
#include "admin/dbinstall/dbinstall.h"
#include "db/storedproc.h"

#include <gtest/gtest.h>

using namespace sqltest;
using namespace zorva;

namespace {

class Entries : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<ZorvaSchema>();
        addBasicMasterData(db());
    }
    TmySQLDatabase &db() { return schema->db(); }
    QList<double> balances(int kassza)
    {
        QList<double> out;
        for (const ChainRow &r : chainOf(db(), kassza))
            out << r.zaro;
        return out;
    }
    std::unique_ptr<ZorvaSchema> schema;
};

const QDate d1(2024, 3, 1), d2(2024, 3, 5), d3(2024, 4, 2);

}  // namespace

TEST_F(Entries, AnEntryBeforeAllOthersMovesEveryLaterBalance)
{
    book(db(), d1, 1, 1, 500);
    book(db(), d2, 1, 2, 200);
    book(db(), d3, 1, 1, 50.25);
    EXPECT_EQ(balances(1), (QList<double>{1500, 1300, 1350.25}));

    const int front = book(db(), QDate(2024, 2, 1), 1, 2, 100);
    const QList<ChainRow> chain = chainOf(db(), 1);
    ASSERT_EQ(chain.size(), 4);
    EXPECT_EQ(chain.first().hid, front);
    EXPECT_EQ(chain.first().nyito, 1000);
    EXPECT_EQ(balances(1), (QList<double>{900, 1400, 1200, 1250.25}));
    EXPECT_TRUE(chainIsIntact(db(), 1));
}

TEST_F(Entries, DeletingTheFirstEntryStartsTheNextAtTheOpeningAmount)
{
    const int first = book(db(), d1, 1, 1, 500);
    book(db(), d2, 1, 2, 200);
    book(db(), d3, 1, 2, 300);
    db().execute(callKasszaDel(first));
    const QList<ChainRow> chain = chainOf(db(), 1);
    ASSERT_EQ(chain.size(), 2);
    EXPECT_EQ(chain.first().nyito, 1000);
    EXPECT_EQ(balances(1), (QList<double>{800, 500}));
    EXPECT_TRUE(chainIsIntact(db(), 1));

    // Deleting what is not there (the id 0 of an empty list, an entry deleted meanwhile)
    // changes nothing and is no error.
    db().execute(callKasszaDel(0));
    db().execute(callKasszaDel(first));
    EXPECT_EQ(chainOf(db(), 1).size(), 2);
}

TEST_F(Entries, EntriesOfOneDayFollowTheOrderOfBookingAndNumbersArePerCashBox)
{
    const int a = book(db(), d2, 1, 1, 10);
    const int b = book(db(), d2, 1, 2, 3);
    const int c = book(db(), d2, 2, 1, 7);
    const int early = book(db(), d1, 1, 1, 1);
    const QList<ChainRow> chain = chainOf(db(), 1);
    ASSERT_EQ(chain.size(), 3);
    EXPECT_EQ(chain[0].hid, early);
    EXPECT_EQ(chain[1].hid, a);
    EXPECT_EQ(chain[2].hid, b);
    EXPECT_EQ(chain[1].sorszam, 1);
    EXPECT_EQ(chain[2].sorszam, 2);
    EXPECT_EQ(chain[0].sorszam, 3);
    EXPECT_EQ(chainOf(db(), 2).first().hid, c);
    EXPECT_EQ(chainOf(db(), 2).first().sorszam, 1);
}

TEST_F(Entries, EditingAmountTypeAndDateKeepsTheChain)
{
    const int a = book(db(), d1, 1, 1, 500);
    const int b = book(db(), d2, 1, 1, 200);
    book(db(), d3, 1, 2, 100);
    const QString recorded =
        db().queryText(QStringLiteral("SELECT rogzitve FROM hazikassza WHERE hid=%1").arg(a));

    db().execute(callKasszaEdit(a, d1, 1, 1, 700, QStringLiteral("több"), 0));
    EXPECT_EQ(balances(1), (QList<double>{1700, 1900, 1800}));

    // An income type changed to an expense type flips the sign.
    db().execute(callKasszaEdit(b, d2, 1, 2, 200, QString(), 0));
    EXPECT_EQ(chainOf(db(), 1)[1].osszeg, -200);
    EXPECT_EQ(balances(1), (QList<double>{1700, 1500, 1400}));

    // A new date moves the entry in the chain; its number stays.
    db().execute(callKasszaEdit(a, QDate(2024, 5, 1), 1, 1, 700, QStringLiteral("később"), 0));
    const QList<ChainRow> chain = chainOf(db(), 1);
    EXPECT_EQ(chain.last().hid, a);
    EXPECT_EQ(chain.last().sorszam, 1);
    EXPECT_EQ(chain.last().idoszak, QStringLiteral("202405"));
    EXPECT_EQ(balances(1), (QList<double>{800, 700, 1400}));
    db().execute(callKasszaEdit(a, QDate(2024, 1, 1), 1, 1, 700, QStringLiteral("korábban"), 0));
    EXPECT_EQ(chainOf(db(), 1).first().hid, a);
    EXPECT_TRUE(chainIsIntact(db(), 1));
    EXPECT_EQ(db().queryText(QStringLiteral("SELECT rogzitve FROM hazikassza WHERE hid=%1").arg(a)),
              recorded);
}

TEST_F(Entries, MovingAnEntryToAnotherCashBoxFixesBothChains)
{
    book(db(), d1, 1, 1, 500);
    const int moving = book(db(), d2, 1, 2, 200);
    book(db(), d3, 1, 1, 100);
    book(db(), d1, 2, 1, 40);
    book(db(), d3, 2, 2, 15);

    db().execute(callKasszaEdit(moving, d2, 2, 2, 250, QStringLiteral("át"), 0));
    EXPECT_EQ(balances(1), (QList<double>{1500, 1600}));
    EXPECT_EQ(balances(2), (QList<double>{40, -210, -225}));
    const QList<ChainRow> bank = chainOf(db(), 2);
    EXPECT_EQ(bank[1].hid, moving);
    EXPECT_EQ(bank[1].sorszam, 3);
    EXPECT_TRUE(chainIsIntact(db(), 1));
    EXPECT_TRUE(chainIsIntact(db(), 2));
}

TEST_F(Entries, LastInsertIdNamesTheEntryOfThisConnection)
{
    auto other = schema->connect();
    db().execute(callKasszaIns(d1, 1, 1, 5, QStringLiteral("enyém"), 0));
    const int theirs = book(*other, d2, 1, 1, 6, QStringLiteral("másé"));
    const int mine = int(db().queryInt(newEntryIdQuery()));
    EXPECT_NE(mine, theirs);
    EXPECT_EQ(db().queryText(QStringLiteral("SELECT szoveg FROM hazikassza WHERE hid=%1").arg(mine)),
              QStringLiteral("enyém"));
    EXPECT_LT(mine, int(db().queryInt(QStringLiteral("SELECT MAX(hid) FROM hazikassza"))));
}

TEST_F(Entries, AmountsTakeTheSignOfTheCashTypeAndFourDecimals)
{
    const int expense = book(db(), d1, 1, 2, -250);
    const int income = book(db(), d1, 1, 1, -40);
    const int zero = book(db(), d1, 1, 2, 0);
    const int fine = book(db(), d1, 1, 1, 0.123456);
    auto osszeg = [&](int hid) {
        return db().queryFloat(QStringLiteral("SELECT osszeg FROM hazikassza WHERE hid=%1").arg(hid));
    };
    EXPECT_EQ(osszeg(expense), -250);
    EXPECT_EQ(osszeg(income), 40);
    EXPECT_EQ(osszeg(zero), 0);
    EXPECT_EQ(
        db().queryText(QStringLiteral("SELECT CONCAT(osszeg, '/', bevetel, '/', kiadas) FROM hazikassza "
                                      "WHERE hid=%1")
                           .arg(zero)),
        QStringLiteral("0/0/0"));
    EXPECT_DOUBLE_EQ(osszeg(fine), 0.1235);
    // Fractions that binary numbers cannot hold keep the chain exact to the last digit.
    for (int i = 0; i < 30; ++i)
        book(db(), d2, 1, i % 2 ? 1 : 2, 0.1 + i * 0.01);
    EXPECT_TRUE(chainIsIntact(db(), 1));
    EXPECT_EQ(db().queryText(QStringLiteral("SELECT zaro FROM hazikassza WHERE kassza=1 "
                                            "ORDER BY datum DESC, hazikassza DESC LIMIT 1")),
              QStringLiteral("790.2735"));
}

TEST_F(Entries, TextsReachTheDatabaseUnchanged)
{
    const QStringList texts = {QStringLiteral("O'Brian"), QStringLiteral("C:\\Users\\\\x\\'"),
                               QStringLiteral("árvíztűrő tükörfúrógép ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP"),
                               QStringLiteral("első sor\r\nmásodik sor"),
                               QStringLiteral("'); DELETE FROM kassza; --")};
    for (const QString &t : texts) {
        const int hid = book(db(), d1, 1, 1, 1, t, 1);
        EXPECT_EQ(db().queryText(QStringLiteral("SELECT szoveg FROM hazikassza WHERE hid=%1").arg(hid)), t);
        db().execute(callKasszaEdit(hid, d1, 1, 1, 1, t + QStringLiteral("!"), 1));
        EXPECT_EQ(db().queryText(QStringLiteral("SELECT szoveg FROM hazikassza WHERE hid=%1").arg(hid)),
                  t + QStringLiteral("!"));
    }
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM kassza")), 2);
    const QString longText(255, QLatin1Char('x'));
    const int hid = book(db(), d1, 1, 1, 1, longText);
    EXPECT_EQ(db().queryText(QStringLiteral("SELECT szoveg FROM hazikassza WHERE hid=%1").arg(hid)),
              longText);
    const QString refused = errorOf([&] { book(db(), d1, 1, 1, 1, longText + QStringLiteral("y")); });
    EXPECT_TRUE(refused.contains(QStringLiteral("legfeljebb 255 karakter"))) << refused.toStdString();
}

TEST_F(Entries, ClientZeroIsNoClientAndUnknownReferencesAreRefused)
{
    const int hid = book(db(), d1, 1, 1, 5, QString(), 0);
    EXPECT_EQ(db().queryText(
                  QStringLiteral("SELECT COALESCE(ugyfel, 'nincs') FROM hazikassza WHERE hid=%1").arg(hid)),
              QStringLiteral("nincs"));
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT ugyfel FROM hazikassza WHERE hid=%1").arg(hid)), 0);
    db().execute(
        QStringLiteral("INSERT INTO hazikassza (hazikassza, kassza, idoszak, datum, kasszatip, ugyfel) "
                       "VALUES (99, 2, '', '2024-01-01', 1, 0)"));

    struct Case {
        int kassza, kasszatip, ugyfel;
        const char *message;
    };
    const Case cases[] = {{7, 1, 0, "Nem létező kassza (azonosító: 7)"},
                          {1, 9, 0, "Nem létező kassza típus (azonosító: 9)"},
                          {1, -1, 0, "Nincs megadva kassza típus"},
                          {1, 1, 77, "Nem létező ügyfél (azonosító: 77)"}};
    const qint64 before = db().queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza"));
    for (const Case &c : cases) {
        const QString e = errorOf([&] { book(db(), d1, c.kassza, c.kasszatip, 1, QString(), c.ugyfel); });
        EXPECT_TRUE(e.contains(QString::fromUtf8(c.message))) << e.toStdString();
        const QString edit = errorOf(
            [&] { db().execute(callKasszaEdit(hid, d1, c.kassza, c.kasszatip, 1, QString(), c.ugyfel)); });
        EXPECT_TRUE(edit.contains(QString::fromUtf8(c.message))) << edit.toStdString();
    }
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza")), before);
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT @@in_transaction")), 0);
    const QString missing = errorOf([&] { db().execute(callKasszaEdit(4242, d1, 1, 1, 1, QString(), 0)); });
    EXPECT_TRUE(missing.contains(QStringLiteral("nem létezik"))) << missing.toStdString();
}

TEST_F(Entries, ChangedOpeningAmountOrCashTypeSignMovesTheChain)
{
    book(db(), d1, 1, 1, 500);
    book(db(), d2, 1, 4, 200);
    book(db(), d3, 1, 1, 100);
    db().execute(QStringLiteral("UPDATE kassza SET nyito = 2500 WHERE kassza = 1"));
    EXPECT_EQ(balances(1), (QList<double>{3000, 2800, 2900}));
    db().execute(QStringLiteral("UPDATE kasszatip SET szorzo = -1 WHERE kasszatip = 1"));
    EXPECT_EQ(balances(1), (QList<double>{2000, 1800, 1700}));
    EXPECT_TRUE(chainIsIntact(db(), 1));
    const QString e = errorOf([&] { db().execute(QStringLiteral("UPDATE kasszatip SET szorzo = 0")); });
    EXPECT_TRUE(e.contains(QStringLiteral("szorzó"))) << e.toStdString();
}

TEST_F(Entries, TotalsGiveOneRowForEveryKindOfPeriod)
{
    book(db(), QDate(2024, 1, 10), 1, 1, 300);
    book(db(), QDate(2024, 3, 1), 1, 1, 500);
    book(db(), QDate(2024, 3, 20), 1, 2, 200);
    book(db(), QDate(2024, 5, 2), 1, 2, 50);
    book(db(), QDate(2024, 3, 2), 2, 1, 999);

    TmySQLStoredProc sp(&db());
    sp.setProcedureName(QStringLiteral("sp_hazikasszasum"));
    sp.addParam(QStringLiteral("pkassza"), TFieldType::ftInteger);
    sp.addParam(QStringLiteral("pidoszak"), TFieldType::ftString, 6);
    auto totals = [&](int kassza, const QString &period) {
        sp.close();
        sp.paramByName(QStringLiteral("pkassza")).setAsInteger(kassza);
        sp.paramByName(QStringLiteral("pidoszak")).setAsString(period);
        sp.open();
        EXPECT_EQ(sp.recordCount(), 1);
        QStringList values;
        for (const char *f : {"kassza", "osszeg", "bevetel", "kiadas", "pnyito", "pzaro"})
            values << sp.fieldByName(QString::fromLatin1(f)).asString();
        return values.join(QLatin1Char(' '));
    };
    EXPECT_EQ(totals(1, QString()), QStringLiteral("1 550 800 -250 1000 1550"));
    EXPECT_EQ(totals(1, QStringLiteral("202403")), QStringLiteral("1 300 500 -200 1300 1600"));
    EXPECT_EQ(totals(1, QStringLiteral("202404")), QStringLiteral("1 0 0 0 1600 1600"));
    EXPECT_EQ(totals(1, QStringLiteral("202312")), QStringLiteral("1 0 0 0 1000 1000"));
    EXPECT_EQ(totals(1, QStringLiteral("202501")), QStringLiteral("1 0 0 0 1550 1550"));
    EXPECT_EQ(totals(1, QStringLiteral("2024")), QStringLiteral("1 0 0 0 1550 1550"));
    EXPECT_EQ(totals(2, QStringLiteral("202403")), QStringLiteral("2 999 999 0 0 999"));
    EXPECT_EQ(totals(3, QString()), QStringLiteral("3 0 0 0 0 0"));
    EXPECT_EQ(totals(1, QStringLiteral("202401")), QStringLiteral("1 300 300 0 1000 1300"));
}
