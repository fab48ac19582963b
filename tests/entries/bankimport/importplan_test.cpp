// Importing statements in the shapes Hungarian banks write into a real database: the booked
// entries, cash types by rules, clients matched and created, intact chains, a second import
// booking nothing, a failing row rolling everything back, and the schema step.
#include "admin/dbinstall/dbinstall.h"
#include "admin/dbinstall/schemascripts.h"
#include "entries/bankimport/importplan.h"
#include "sql/zorvaschema.h"

#include <QFile>
#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace sqltest;
using namespace zorva;

namespace {

enum { Fizetes = 1, Elelmiszer = 2, Ajandek = 3, Rezsi = 4 };
enum { Kovacs = 1, Szabo = 2 };

class StatementImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<ZorvaSchema>();
        addBasicMasterData(db());
    }
    TmySQLDatabase &db() { return schema->db(); }
    qint64 count(const QString &sql) { return db().queryInt(sql); }

    // What the import window does with a file: decode, detect, guess the columns, read the
    // rows and prepare them against the database.
    ImportPlan plan(const QByteArray &bytes, const QString &file, int kassza = 2, bool readable = true)
    {
        const CsvText text = decodeStatement(bytes);
        EXPECT_TRUE(text.error.isEmpty()) << text.error.toStdString();
        ImportMapping m;
        m.csv = detectFormat(text.text, text.encoding);
        const QList<QStringList> recs = previewRecords(text.text, m.csv, 50);
        guessColumns(m, m.csv.header ? recs.first() : QStringList(), m.csv.header ? recs.mid(1) : recs);
        if (readable) {
            EXPECT_TRUE(mappingProblem(m).isEmpty()) << mappingProblem(m).toStdString();
        } else {
            m.dateColumn = 0;
            m.amountColumn = 1;
        }
        ImportPlan p;
        p.fileName = file;
        p.kassza = kassza;
        p.defaultIncome = Ajandek;
        p.defaultExpense = Rezsi;
        p.data = readImportRows(text.text, m);
        preparePlan(db(), p, loadCashTypeRules(db()));
        return p;
    }
    QList<QStringList> entries(int kassza)
    {
        return rows(db(), QStringLiteral(
                              "SELECT datum, osszeg, kasszatip, COALESCE(ugyfel, 0), szoveg FROM hazikassza "
                              "WHERE kassza=%1 ORDER BY datum, hazikassza")
                              .arg(kassza));
    }
    std::unique_ptr<ZorvaSchema> schema;
};

QByteArray cp1250(const QString &s)
{
    QStringEncoder e("windows-1250");
    return e.encode(s);
}

// Semicolons, Windows-1250, "1 234,50", a title block before the table, quoted fields with
// the delimiter and a line break inside.
const QString kOtpShape = QStringLiteral(
    "Számlatörténet\r\n"
    "Számlaszám:;11773016-01234567\r\n"
    "\r\n"
    "Könyvelés dátuma;Összeg;Pénznem;Partner neve;Közlemény\r\n"
    "2024.03.01.;-12 345,50;HUF;TESCO ÁRUHÁZ;\"Kártyás vásárlás; Budapest\"\r\n"
    "2024.03.02.;250 000,00;HUF;KOVACS ÖDÖN;Bérleti díj\r\n"
    "2024.03.03.;-1 500,00;HUF;Új Partner Kft;\"Számla\r\n2024/17\"\r\n"
    "2024.03.04.;-990,00;HUF;új partner kft;Második számla\r\n");

}  // namespace

TEST_F(StatementImport, SemicolonWindows1250StatementIsBookedWithRulesAndClients)
{
    db().execute(
        QStringLiteral("INSERT INTO importszabaly (sorrend, minta, kasszatip) VALUES (10, 'tesco', %1), "
                       "(20, 'BERLETI', %2)")
            .arg(Elelmiszer)
            .arg(Fizetes));
    ImportPlan p = plan(cp1250(kOtpShape), QStringLiteral("marcius.csv"));
    ASSERT_EQ(p.data.rows.size(), 4u);
    EXPECT_EQ(p.data.rows[2].text, QStringLiteral("Számla 2024/17"));
    EXPECT_EQ(p.data.rows[2].line, 7);
    EXPECT_EQ(p.matched.value(QStringLiteral("KOVACS ÖDÖN")), Kovacs);
    ASSERT_EQ(p.unmatched.size(), 3);  // TESCO and the two spellings of the new partner
    p.unmatched[QStringLiteral("Új Partner Kft")].kind = PartnerChoice::Create;
    p.unmatched[QStringLiteral("új partner kft")].kind = PartnerChoice::Create;

    const ImportSummary s = bookPlan(db(), p);
    ASSERT_TRUE(s.ok()) << s.failure.toStdString();
    EXPECT_EQ(std::tuple(s.booked, s.duplicates, s.refused, s.clientsCreated), std::tuple(4, 0, 0, 1));
    const int created =
        int(count(QStringLiteral("SELECT ugyfel FROM ugyfel WHERE ugyfel_nev='Új Partner Kft'")));
    EXPECT_EQ(entries(2),
              (QList<QStringList>{{"2024-03-01", "-12345.5", "2", "0", "Kártyás vásárlás; Budapest"},
                                  {"2024-03-02", "250000", "1", "1", "Bérleti díj"},
                                  {"2024-03-03", "-1500", "4", QString::number(created), "Számla 2024/17"},
                                  {"2024-03-04", "-990", "4", QString::number(created), "Második számla"}}));
    EXPECT_TRUE(chainIsIntact(db(), 2));
    EXPECT_EQ(rows(db(), QStringLiteral(
                             "SELECT fajl, sor, COALESCE(azonosito, '-') FROM importforras ORDER BY sor")),
              (QList<QStringList>{{"marcius.csv", "5", "-"},
                                  {"marcius.csv", "6", "-"},
                                  {"marcius.csv", "7", "-"},
                                  {"marcius.csv", "9", "-"}}));

    // The same file again: every row is a duplicate and nothing is booked.
    const ImportPlan again = plan(cp1250(kOtpShape), QStringLiteral("marcius.csv"));
    for (const ImportRow &r : again.data.rows)
        EXPECT_EQ(r.state, ImportRow::Duplicate) << r.line;
    const ImportSummary s2 = bookPlan(db(), again);
    ASSERT_TRUE(s2.ok());
    EXPECT_EQ(std::tuple(s2.booked, s2.duplicates), std::tuple(0, 4));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM hazikassza")), 4);
}

TEST_F(StatementImport, Utf8WithBomAndReferencesSkipsRowsImportedBeforeUnlessTicked)
{
    const QByteArray file =
        QByteArray("\xEF\xBB\xBF") + QStringLiteral(
                                         "Dátum,Tranzakció azonosító,Összeg,Partner,Közlemény\n"
                                         "2024-03-05,TX-1,-1234.50,Szabó Éva,\"ebéd, vacsora\"\n"
                                         "2024-03-05,TX-2,-1234.50,Szabó Éva,\"ebéd, vacsora\"\n"
                                         "2024-03-06,TX-3,10000.00,,visszautalás\n")
                                         .toUtf8();
    // an entry of the same day, amount and text is no duplicate when the rows have ids
    book(db(), QDate(2024, 3, 5), 2, Rezsi, 1234.5, QStringLiteral("ebéd, vacsora"));
    ImportPlan p = plan(file, QStringLiteral("revolut.csv"));
    ASSERT_EQ(p.data.rows.size(), 3u);
    EXPECT_EQ(p.data.rows[0].reference, "TX-1");
    EXPECT_EQ(p.data.rows[0].state, ImportRow::Book);
    ASSERT_TRUE(bookPlan(db(), p).ok());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM hazikassza WHERE kassza=2")), 4);
    EXPECT_EQ(
        count(QStringLiteral("SELECT COUNT(*) FROM hazikassza WHERE kassza=2 AND ugyfel=%1").arg(Szabo)), 2);

    ImportPlan again = plan(file, QStringLiteral("masik-nev.csv"));
    for (const ImportRow &r : again.data.rows)
        EXPECT_EQ(r.state, ImportRow::Duplicate);
    again.data.rows[2].bookAnyway = true;
    const ImportSummary s = bookPlan(db(), again);
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(std::tuple(s.booked, s.duplicates), std::tuple(1, 2));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM hazikassza WHERE kassza=2 AND osszeg=10000")), 2);
    EXPECT_TRUE(chainIsIntact(db(), 2));
}

TEST_F(StatementImport, SeparateCreditAndDebitColumnsGiveSignedAmounts)
{
    const QString file = QStringLiteral(
        "Dátum\tJóváírás\tTerhelés\tKedvezményezett\tKözlemény\n"
        "20240310\t1 000,00\t\tszabo eva\tajándék\n"
        "20240309\t\t-2 500,50\t\tcsekk – 10 €\n"
        "20240311\t\t\t\tnincs összeg\n");
    book(db(), QDate(2024, 3, 15), 1, Fizetes, 100);  // a later entry: the import shifts its balance
    ImportPlan p = plan(file.toUtf8(), QStringLiteral("k&h.txt"), 1);
    ASSERT_EQ(p.data.rows.size(), 3u);
    EXPECT_EQ(p.data.rows[2].state, ImportRow::Refused);
    const ImportSummary s = bookPlan(db(), p);
    ASSERT_TRUE(s.ok()) << s.failure.toStdString();
    EXPECT_EQ(std::tuple(s.booked, s.refused), std::tuple(2, 1));
    EXPECT_EQ(s.refusals, QStringList({"4. sor: nincs összeg a sorban."}));
    EXPECT_EQ(entries(1), (QList<QStringList>{{"2024-03-09", "-2500.5", "4", "0", "csekk - 10 EUR"},
                                              {"2024-03-10", "1000", "3", "2", "ajándék"},
                                              {"2024-03-15", "100", "1", "0", ""}}));
    EXPECT_TRUE(chainIsIntact(db(), 1));
}

TEST_F(StatementImport, AFailingRowRollsBackTheWholeImport)
{
    ImportPlan p = plan(cp1250(kOtpShape), QStringLiteral("marcius.csv"));
    p.unmatched[QStringLiteral("TESCO ÁRUHÁZ")].kind = PartnerChoice::Create;
    // the client chosen for the third row was deleted meanwhile
    p.unmatched[QStringLiteral("Új Partner Kft")] = {PartnerChoice::Existing, 999};
    int calls = 0;
    const ImportSummary s = bookPlan(db(), p, [&calls](int, int) { return ++calls > 0; });
    EXPECT_FALSE(s.ok());
    EXPECT_TRUE(s.failure.contains(QStringLiteral("7. sor nem könyvelhető"))) << s.failure.toStdString();
    EXPECT_TRUE(s.failure.contains(QStringLiteral("999"))) << s.failure.toStdString();
    EXPECT_EQ(s.booked, 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM hazikassza")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM importforras")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ugyfel")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT @@in_transaction")), 0);
    // booking on afterwards works as usual
    EXPECT_GT(book(db(), QDate(2024, 3, 1), 1, Fizetes, 5), 0);
    EXPECT_TRUE(chainIsIntact(db(), 1));
}

TEST_F(StatementImport, BadFilesAreReportedAndALargeFileIsRead)
{
    // inconsistent columns: the rows that do not fit are refused with the reason
    ImportPlan p =
        plan(QByteArray("Datum;Osszeg;Szoveg\n2024.03.01;-5;a\n2024.03.02;-6\n2024.03.03;-7;c;d\n"),
             QStringLiteral("x.csv"));
    ASSERT_EQ(p.data.rows.size(), 3u);
    EXPECT_EQ(p.data.rows[1].state, ImportRow::Refused);
    EXPECT_EQ(p.data.rows[2].state, ImportRow::Refused);
    EXPECT_TRUE(p.data.rows[2].reason.contains(QStringLiteral("4 mező")))
        << p.data.rows[2].reason.toStdString();

    // an unclosed quote stops the file: nothing of it may be booked
    ImportPlan open = plan(QByteArray("Datum;Osszeg;Szoveg\n2024.03.01;-5;\"a\n2024.03.02;-6;b\n"),
                           QStringLiteral("y.csv"), 2, false);
    EXPECT_FALSE(open.data.error.isEmpty());
    const ImportSummary refused = bookPlan(db(), open);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM hazikassza")), 0);

    // 100,000 rows: read and prepared in one go
    QByteArray big = "Datum;Osszeg;Szoveg;Partner\n";
    big.reserve(4'000'000);
    for (int i = 0; i < 100'000; ++i)
        big += QStringLiteral("2024.%1.%2;-%3,50;tétel %4;Partner %5\n")
                   .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                   .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                   .arg(1 + i % 9000)
                   .arg(i)
                   .arg(i % 300)
                   .toUtf8();
    const ImportPlan large = plan(big, QStringLiteral("nagy.csv"));
    EXPECT_EQ(large.data.rows.size(), 100'000u);
    EXPECT_TRUE(large.data.error.isEmpty());
    EXPECT_EQ(large.unmatched.size(), 300);
    EXPECT_EQ(large.data.rows.back().state, ImportRow::Book);
}

TEST_F(StatementImport, AnOldDatabaseGainsTheImportTablesByItsUpgrade)
{
    testsupport::ScratchSchema old;
    QFile f(QStringLiteral(ZORVA_SQL_FIXTURES "/zorva_v1.sql"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    runSqlScript(old.db(), QString::fromUtf8(f.readAll()), QStringLiteral("zorva_v1.sql"));
    const UpgradeResult r = upgradeDatabase(old.db());
    EXPECT_EQ(r.from, 1);
    EXPECT_EQ(r.to, currentSchemaVersion());
    EXPECT_GE(r.to, 3);
    EXPECT_EQ(old.db().queryInt(
                  QStringLiteral("SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = "
                                 "DATABASE() AND TABLE_NAME IN ('importszabaly', 'importforras')")),
              2);
    upgradeDatabase(old.db());  // the step runs again harmlessly
}
