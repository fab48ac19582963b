// References between the tables, the refused deletions and their messages, the single
// rows, the views' columns, and loading a backup with the foreign-key checks off.
#include "zorvaschema.h"
#include "admin/dbinstall/dbinstall.h"
#include "db/database.h"

#include <gtest/gtest.h>

using namespace sqltest;
using namespace zorva;

namespace {

class Integrity : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<ZorvaSchema>();
        addBasicMasterData(db());
    }
    TmySQLDatabase &db() { return schema->db(); }
    QString run(const QString &sql)
    {
        return errorOf([&] { db().execute(sql); });
    }
    std::unique_ptr<ZorvaSchema> schema;
};

}  // namespace

TEST_F(Integrity, DeletingWhatIsInUseIsRefusedSayingWhy)
{
    book(db(), QDate(2024, 1, 5), 1, 2, 100, QString(), 1);
    db().execute(
        QStringLiteral("INSERT INTO fix (kasszatip, osszeg, szoveg, ugyfel) VALUES (2, 10, 'x', 1)"));
    db().execute(QStringLiteral("INSERT INTO csekk (csekk, csekk_nev, ugyfel) VALUES (1, 'Gáz', 1)"));
    db().execute(callCsekkGen(QStringLiteral("202401")));
    db().execute(
        QStringLiteral("INSERT INTO tartozik (ugyfel, osszeg, marad, tartozas) VALUES (1, 5, 5, 'I')"));

    EXPECT_EQ(run(QStringLiteral("DELETE FROM kassza WHERE kassza = 1")).section(QStringLiteral("\r\n"), 1),
              QStringLiteral("A kassza nem törölhető, mert 1 kassza tétel tartozik hozzá."));
    EXPECT_EQ(
        run(QStringLiteral("DELETE FROM kasszatip WHERE kasszatip = 2")).section(QStringLiteral("\r\n"), 1),
        QStringLiteral("A kassza típus nem törölhető, mert használják: 1 kassza tétel, 1 fix tétel."));
    EXPECT_EQ(
        run(QStringLiteral("DELETE FROM ugyfel WHERE ugyfel = 1")).section(QStringLiteral("\r\n"), 1),
        QStringLiteral("Az ügyfél nem törölhető, mert hivatkoznak rá: 1 kassza tétel, 1 fix tétel, 1 csekk, "
                       "1 csekk befizetés, 1 tartozás."));
    EXPECT_TRUE(
        run(QStringLiteral("DELETE FROM csekk WHERE csekk = 1")).contains(QStringLiteral("befizetése van")));
    EXPECT_TRUE(run(QStringLiteral("DELETE FROM beallit")).contains(QStringLiteral("nem törölhető")));
    EXPECT_TRUE(run(QStringLiteral("DELETE FROM tulajdonos")).contains(QStringLiteral("nem törölhető")));
    EXPECT_EQ(db().queryInt(
                  QStringLiteral("SELECT (SELECT COUNT(*) FROM kassza) + (SELECT COUNT(*) FROM kasszatip) "
                                 "+ (SELECT COUNT(*) FROM ugyfel) + (SELECT COUNT(*) FROM csekk) "
                                 "+ (SELECT COUNT(*) FROM beallit) + (SELECT COUNT(*) FROM tulajdonos)")),
              2 + 4 + 2 + 1 + 1 + 1);

    // What nothing uses goes; a deleted cash type empties the setting that named it.
    db().execute(QStringLiteral("UPDATE beallit SET kasszatip_csekk = 3"));
    EXPECT_EQ(run(QStringLiteral("DELETE FROM kasszatip WHERE kasszatip = 3")), QString());
    EXPECT_EQ(db().queryText(QStringLiteral("SELECT COALESCE(kasszatip_csekk, 'üres') FROM beallit")),
              QStringLiteral("üres"));
    EXPECT_EQ(run(QStringLiteral("DELETE FROM ugyfel WHERE ugyfel = 2")), QString());
    EXPECT_EQ(run(QStringLiteral("DELETE FROM kassza WHERE kassza = 2")), QString());
}

TEST_F(Integrity, WrittenRowsMustNameWhatExistsAndZeroMeansNoClient)
{
    EXPECT_TRUE(run(QStringLiteral("INSERT INTO fix (kasszatip, osszeg, ugyfel) VALUES (9, 1, 0)"))
                    .contains(QStringLiteral("Nem létező kassza típus")));
    EXPECT_TRUE(run(QStringLiteral("INSERT INTO fix (osszeg, ugyfel) VALUES (1, 1)"))
                    .contains(QStringLiteral("kassza típust kell választani")));
    EXPECT_TRUE(run(QStringLiteral("INSERT INTO csekk (csekk_nev, ugyfel) VALUES ('x', 55)"))
                    .contains(QStringLiteral("Nem létező ügyfél")));
    EXPECT_TRUE(run(QStringLiteral("INSERT INTO csekkfizet (csekk, osszeg) VALUES (42, 1)"))
                    .contains(QStringLiteral("Nem létező csekk")));
    EXPECT_TRUE(run(QStringLiteral("INSERT INTO tartozik (ugyfel, osszeg, tartozas) VALUES (1, 1, 'X')"))
                    .contains(QStringLiteral("iránya")));
    EXPECT_TRUE(run(QStringLiteral("INSERT INTO kasszatip (kasszatip_nev, szorzo) VALUES ('x', 2)"))
                    .contains(QStringLiteral("szorzó")));
    EXPECT_FALSE(run(QStringLiteral("INSERT INTO hazikassza (hazikassza, kassza, idoszak, datum, kasszatip) "
                                    "VALUES (1, 9, '', '2024-01-01', 1)"))
                     .isEmpty());
    EXPECT_FALSE(run(QStringLiteral("INSERT INTO beallit (beallit_id) VALUES (2)")).isEmpty());

    db().execute(QStringLiteral("INSERT INTO fix (kasszatip, osszeg, ugyfel) VALUES (1, 1, 0)"));
    db().execute(QStringLiteral("INSERT INTO csekk (csekk, csekk_nev, ugyfel) VALUES (5, 'x', 0)"));
    db().execute(QStringLiteral("INSERT INTO csekkfizet (csekk, osszeg, ugyfel) VALUES (5, 1, 0)"));
    db().execute(QStringLiteral("INSERT INTO tartozik (ugyfel, osszeg, tartozas) VALUES (0, 1, 'N')"));
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT (SELECT COUNT(*) FROM fix WHERE ugyfel IS NULL) + "
                                           "(SELECT COUNT(*) FROM csekk WHERE ugyfel IS NULL) + "
                                           "(SELECT COUNT(*) FROM csekkfizet WHERE ugyfel IS NULL) + "
                                           "(SELECT COUNT(*) FROM tartozik WHERE ugyfel IS NULL)")),
              4);
}

TEST_F(Integrity, ViewsOfferTheColumnsTheWindowsRead)
{
    db().execute(
        QStringLiteral("UPDATE ugyfel SET cim_irsz = '1117', cim_varos = 'Budapest', cim_cim = 'Fő u. 1.' "
                       "WHERE ugyfel = 1"));
    db().execute(
        QStringLiteral("UPDATE tulajdonos SET tulajdonos = 'Kovács', irsz = '4024', varos = 'Debrecen', "
                       "cim = 'Piac u. 5.'"));
    db().execute(
        QStringLiteral("INSERT INTO csekk (csekk, csekk_nev, kellgen, ugyfel) VALUES (1, 'a', 'I', 1), "
                       "(2, 'b', 'N', 0)"));
    const QString longLine(120, QLatin1Char('h'));
    const int two = book(db(), QDate(2024, 1, 2), 1, 2, 5, QStringLiteral("első sor\r\nmásodik"), 1);
    const int lng = book(db(), QDate(2024, 1, 3), 1, 1, 5, longLine);
    const int plain = book(db(), QDate(2024, 1, 4), 1, 1, 5, QStringLiteral("egyszerű"));

    const QStringList hazikasszaColumns = {
        QStringLiteral("hid"),          QStringLiteral("hazikassza"),    QStringLiteral("kassza"),
        QStringLiteral("idoszak"),      QStringLiteral("ugyfel"),        QStringLiteral("datum"),
        QStringLiteral("kasszatip"),    QStringLiteral("nyito"),         QStringLiteral("osszeg"),
        QStringLiteral("zaro"),         QStringLiteral("szoveg"),        QStringLiteral("bevetel"),
        QStringLiteral("kiadas"),       QStringLiteral("kasszatip_nev"), QStringLiteral("szorzo"),
        QStringLiteral("szin"),         QStringLiteral("ugyfel_nev"),    QStringLiteral("kassza_nev"),
        QStringLiteral("szoveg_rovid"), QStringLiteral("rogzitve")};
    for (const QString &c : hazikasszaColumns)
        EXPECT_NO_THROW(db().queryText(QStringLiteral("SELECT %1 FROM vw_hazikassza LIMIT 1").arg(c)))
            << c.toStdString();
    auto shortText = [&](int hid) {
        return db().queryText(
            QStringLiteral("SELECT szoveg_rovid FROM vw_hazikassza WHERE hid = %1").arg(hid));
    };
    EXPECT_EQ(shortText(two), QStringLiteral("első sor ..."));
    EXPECT_EQ(shortText(lng), longLine.left(97) + QStringLiteral("..."));
    EXPECT_EQ(shortText(plain), QStringLiteral("egyszerű"));
    EXPECT_EQ(
        rows(db(), QStringLiteral("SELECT kasszatip_nev, szorzo, ugyfel_nev, kassza_nev FROM vw_hazikassza "
                                  "WHERE hid = %1")
                       .arg(two))
            .value(0)
            .join(QLatin1Char('|')),
        QStringLiteral("Élelmiszer|-1|Kovács Ödön|Pénztárca"));

    EXPECT_EQ(rows(db(), QStringLiteral(
                             "SELECT kellgenstr, COALESCE(ugyfel_nev, '-') FROM vw_csekk ORDER BY csekk")),
              (QList<QStringList>{{QStringLiteral("igen"), QStringLiteral("Kovács Ödön")},
                                  {QStringLiteral("nem"), QStringLiteral("-")}}));
    EXPECT_EQ(db().queryText(QStringLiteral("SELECT cimstr FROM vw_ugyfel WHERE ugyfel = 1")),
              QStringLiteral("1117 Budapest, Fő u. 1."));
    EXPECT_EQ(
        rows(db(), QStringLiteral("SELECT tulajdonos, irszvaros, irszvaroscim FROM vw_tulajdonos")).value(0),
        (QStringList{QStringLiteral("Kovács"), QStringLiteral("4024 Debrecen"),
                     QStringLiteral("4024 Debrecen, Piac u. 5.")}));
    for (const QString &v :
         {QStringLiteral("vw_csekkfizet"), QStringLiteral("vw_tartozik"), QStringLiteral("vw_torleszt")})
        EXPECT_NO_THROW(db().queryText(QStringLiteral("SELECT * FROM %1").arg(v))) << v.toStdString();
    EXPECT_NO_THROW(db().queryText(QStringLiteral("SELECT ugyfel_nev, csekk_nev FROM vw_csekkfizet")));
    EXPECT_NO_THROW(
        db().queryText(QStringLiteral("SELECT ugyfel_nev, kassza, kasszatip_ki FROM vw_tartozik")));
}
