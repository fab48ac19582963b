// Bill payments (sp_csekkgen, sp_csekkfizet) and loans (sp_torleszt, sp_megkolcsonad).
#include "zorvaschema.h"
#include "admin/dbinstall/dbinstall.h"

#include <gtest/gtest.h>

using namespace sqltest;
using namespace zorva;

namespace {

class BillsAndDebts : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<ZorvaSchema>();
        addBasicMasterData(db());
        today = QDate::fromString(db().queryText(QStringLiteral("SELECT CURDATE()")), Qt::ISODate);
    }
    TmySQLDatabase &db() { return schema->db(); }
    QString loan(int id)
    {
        return rows(db(),
                    QStringLiteral("SELECT osszeg, torlesztve, marad, megadva, COALESCE(dat_megad, '-') "
                                   "FROM tartozik WHERE tartozik = %1")
                        .arg(id))
            .value(0)
            .join(QLatin1Char(' '));
    }
    double owes(int client)
    {
        return db().queryFloat(QStringLiteral("SELECT tartozik FROM ugyfel WHERE ugyfel = %1").arg(client));
    }
    int newLoan(int client, double amount, bool claim)
    {
        db().execute(
            QStringLiteral("INSERT INTO tartozik (ugyfel, datum, dat_megad_kell, osszeg, torlesztve, marad, "
                           "megadva, tartozas) VALUES (%1, CURDATE(), CURDATE(), %2, 0, %2, 'N', '%3')")
                .arg(client)
                .arg(amount)
                .arg(claim ? QLatin1Char('I') : QLatin1Char('N')));
        return int(db().queryInt(QStringLiteral("SELECT LAST_INSERT_ID()")));
    }
    std::unique_ptr<ZorvaSchema> schema;
    QDate today;
};

}  // namespace

TEST_F(BillsAndDebts, GeneratingAPeriodTwiceCreatesItsPaymentsOnce)
{
    db().execute(
        QStringLiteral("INSERT INTO csekk (csekk, csekk_nev, kellgen, nap_hatid, osszeg, ugyfel) VALUES "
                       "(1, 'Villany', 'I', 31, 9000, 1), (2, 'Gáz', 'I', 15, 12000, 0), "
                       "(3, 'Víz', 'I', NULL, 3000, 2), (4, 'Lemondva', 'N', 5, 100, 1)"));
    db().execute(callCsekkGen(QStringLiteral("202402")));
    db().execute(callCsekkGen(QStringLiteral("202402")));
    db().execute(callCsekkGen(QStringLiteral("202404")));
    const QList<QStringList> r =
        rows(db(), QStringLiteral("SELECT csekk, idoszak, dat_hatid, osszeg, COALESCE(ugyfel, '-'), fizetve, "
                                  "COALESCE(dat_fizetve, '-') FROM csekkfizet ORDER BY idoszak, csekk"));
    ASSERT_EQ(r.size(), 6);
    EXPECT_EQ(r[0].join(QLatin1Char(' ')), QStringLiteral("1 202402 2024-02-29 9000 1 N -"));
    EXPECT_EQ(r[1].join(QLatin1Char(' ')), QStringLiteral("2 202402 2024-02-15 12000 - N -"));
    EXPECT_EQ(r[2].join(QLatin1Char(' ')), QStringLiteral("3 202402 2024-02-01 3000 2 N -"));
    EXPECT_EQ(r[3][2], QStringLiteral("2024-04-30"));

    // A payment made by hand for a period counts as that period's payment.
    db().execute(
        QStringLiteral("INSERT INTO csekkfizet (csekk, idoszak, dat_hatid, osszeg, ugyfel, fizetve) "
                       "VALUES (1, '202405', '2024-05-03', 8000, 1, 'N')"));
    db().execute(callCsekkGen(QStringLiteral("202405")));
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM csekkfizet WHERE idoszak='202405'")), 3);

    for (const char *bad : {"2024", "202413", "202400", "", "abcdef", "2024031"}) {
        const QString e = errorOf([&] { db().execute(callCsekkGen(QString::fromLatin1(bad))); });
        EXPECT_TRUE(e.contains(QStringLiteral("Érvénytelen időszak"))) << bad << ": " << e.toStdString();
    }
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM csekkfizet")), 9);
}

TEST_F(BillsAndDebts, PayingFlipsTheFlagAndTheDate)
{
    db().execute(QStringLiteral(
        "INSERT INTO csekk (csekk, csekk_nev, nap_hatid, osszeg) VALUES (1, 'Villany', 10, 1)"));
    db().execute(callCsekkGen(QStringLiteral("202403")));
    const int id = int(db().queryInt(QStringLiteral("SELECT csekkfizet FROM csekkfizet")));
    auto state = [&] {
        return rows(db(), QStringLiteral("SELECT fizetve, COALESCE(dat_fizetve, '-') FROM csekkfizet"))
            .value(0)
            .join(QLatin1Char(' '));
    };
    db().execute(callCsekkFizet(id));
    EXPECT_EQ(state(), QStringLiteral("I ") + today.toString(Qt::ISODate));
    db().execute(callCsekkFizet(id));
    EXPECT_EQ(state(), QStringLiteral("N -"));
    const QString e = errorOf([&] { db().execute(callCsekkFizet(id + 100)); });
    EXPECT_TRUE(e.contains(QStringLiteral("Nem létező csekk befizetés"))) << e.toStdString();
}

TEST_F(BillsAndDebts, RepaymentsSettleExactlyWhenNothingRemains)
{
    const int claim = newLoan(1, 5000, true);
    const int debt = newLoan(1, 2000, false);
    EXPECT_EQ(owes(1), 3000);

    db().execute(callTorleszt(claim, 1500, QStringLiteral("első részlet")));
    EXPECT_EQ(loan(claim), QStringLiteral("5000 1500 3500 N -"));
    EXPECT_EQ(owes(1), 1500);

    const QString tooMuch = errorOf([&] { db().execute(callTorleszt(claim, 3500.01, QString())); });
    EXPECT_TRUE(tooMuch.contains(QStringLiteral("nem lehet több"))) << tooMuch.toStdString();
    for (double bad : {0.0, -10.0}) {
        const QString e = errorOf([&] { db().execute(callTorleszt(claim, bad, QString())); });
        EXPECT_FALSE(e.isEmpty()) << bad;
    }
    EXPECT_EQ(loan(claim), QStringLiteral("5000 1500 3500 N -"));

    db().execute(callTorleszt(claim, 3500, QString()));
    EXPECT_EQ(loan(claim), QStringLiteral("5000 5000 0 I ") + today.toString(Qt::ISODate));
    EXPECT_EQ(owes(1), -2000);
    const QString settled = errorOf([&] { db().execute(callTorleszt(claim, 1, QString())); });
    EXPECT_TRUE(settled.contains(QStringLiteral("rendezve"))) << settled.toStdString();

    // A further loan reopens the settled record.
    db().execute(callMegkolcsonad(claim, 2000.5, QStringLiteral("még")));
    EXPECT_EQ(loan(claim), QStringLiteral("7000.5 5000 2000.5 N -"));
    EXPECT_DOUBLE_EQ(owes(1), 0.5);

    const QList<QStringList> moves = rows(
        db(), QStringLiteral("SELECT osszeg, megjegyzes, novel, datum, osszesen, ugyfel FROM vw_torleszt "
                             "WHERE tartozik = %1 ORDER BY torleszt")
                  .arg(claim));
    ASSERT_EQ(moves.size(), 3);
    EXPECT_EQ(moves[0].mid(0, 3).join(QLatin1Char('|')), QStringLiteral("1500|első részlet|N"));
    EXPECT_EQ(moves[2].mid(0, 3).join(QLatin1Char('|')), QStringLiteral("2000.5|még|I"));
    EXPECT_EQ(moves[0][3], today.toString(QStringLiteral("yyyy.MM.dd")));
    EXPECT_EQ(moves[0][4], QStringLiteral("2000.5"));  // the outstanding amount, on every row
    EXPECT_EQ(moves[0][5], QStringLiteral("1"));

    // The debt settles the same way, and the client's balance follows.
    db().execute(callTorleszt(debt, 2000, QString()));
    EXPECT_EQ(loan(debt), QStringLiteral("2000 2000 0 I ") + today.toString(Qt::ISODate));
    EXPECT_DOUBLE_EQ(owes(1), 2000.5);
}

TEST_F(BillsAndDebts, RemarksAndUnknownLoansAreCheckedAndNothingIsHalfDone)
{
    const int claim = newLoan(2, 1000, true);
    const QString tricky = QStringLiteral("Ödön's \\ tartozás");
    db().execute(callTorleszt(claim, 100, tricky));
    EXPECT_EQ(db().queryText(QStringLiteral("SELECT megjegyzes FROM torleszt")), tricky);
    const QString tooLong =
        errorOf([&] { db().execute(callTorleszt(claim, 1, QString(51, QLatin1Char('m')))); });
    EXPECT_TRUE(tooLong.contains(QStringLiteral("legfeljebb 50"))) << tooLong.toStdString();
    const QString unknown = errorOf([&] { db().execute(callMegkolcsonad(claim + 9, 100, QString())); });
    EXPECT_TRUE(unknown.contains(QStringLiteral("Nem létező tartozás"))) << unknown.toStdString();
    EXPECT_FALSE(errorOf([&] { db().execute(callMegkolcsonad(claim, -5, QString())); }).isEmpty());
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM torleszt")), 1);
    EXPECT_EQ(loan(claim), QStringLiteral("1000 100 900 N -"));
}

TEST_F(BillsAndDebts, ClientBalanceFollowsDirectChangesOfTheDebtWindow)
{
    const int a = newLoan(1, 5000, true);
    newLoan(1, 1200, false);
    newLoan(2, 300, true);
    EXPECT_EQ(owes(1), 3800);
    EXPECT_EQ(owes(2), 300);
    db().execute(QStringLiteral("UPDATE tartozik SET ugyfel = 2 WHERE tartozik = %1").arg(a));
    EXPECT_EQ(owes(1), -1200);
    EXPECT_EQ(owes(2), 5300);
    db().execute(callTorleszt(a, 100, QString()));
    db().execute(QStringLiteral("DELETE FROM tartozik WHERE tartozik = %1").arg(a));
    EXPECT_EQ(owes(2), 300);
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM torleszt")),
              0);  // movements go with the loan
    // A record written with a remainder that does not fit is put right.
    db().execute(
        QStringLiteral("INSERT INTO tartozik (ugyfel, osszeg, torlesztve, marad, megadva, tartozas) "
                       "VALUES (1, 100, 100, 55, 'N', 'I')"));
    EXPECT_EQ(loan(int(db().queryInt(QStringLiteral("SELECT LAST_INSERT_ID()")))),
              QStringLiteral("100 100 0 I ") + today.toString(Qt::ISODate));
}
