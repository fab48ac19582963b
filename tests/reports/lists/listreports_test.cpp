// The client and bill-type lists on the server, printed on the chosen printer and read back.
#include "reports/lists/listreports.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "db/database.h"
#include "reports/pdftext.h"
#include "reports/ui/nyomvalaszt.h"
#include "reports/ui/printers.h"
#include "sql/zorvaschema.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace zorva;

namespace {

class ListReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<sqltest::ZorvaSchema>();
        setMainConnection(&schema->db());
        beall() = TBeall{};
        printerseam::setPrinters({QStringLiteral("Iroda"), QStringLiteral("Nappali")},
                                 QStringLiteral("Iroda"));
        printerseam::setOutputFolder(tmp.path());
    }
    void TearDown() override
    {
        outputchooser::clearAnswers();
        printerseam::reset();
        setMainConnection(nullptr);
    }

    // What went to `printer`, squeezed; empty when nothing did.
    QString printedOn(const QString &printer)
    {
        const QString pdf = tmp.file(printer + QStringLiteral(".pdf"));
        if (!QFile::exists(pdf))
            return QString();
        const QString t = reporttest::squeezedLines(reporttest::pdfPages(pdf).join(u'\n')).join(u'\n');
        // ZORVA_REPORT_PICTURES=folder keeps every printed report there to look at.
        static int kept = 0;
        if (const QString keep = qEnvironmentVariable("ZORVA_REPORT_PICTURES"); !keep.isEmpty())
            QFile::copy(pdf,
                        QStringLiteral("%1/%2-%3.pdf")
                            .arg(keep, QString::fromLatin1(
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                            .arg(++kept));
        QFile::remove(pdf);
        return t;
    }

    testsupport::TempFolder tmp;
    std::unique_ptr<sqltest::ZorvaSchema> schema;
};

}  // namespace

TEST_F(ListReportTest, ClientListSkipsClientZeroAndTotalsWhatIsOwed)
{
    TmySQLDatabase &db = schema->db();
    // Without clients: the header, no rows, a total of 0.
    outputchooser::setNextAnswer(1, QStringLiteral("Iroda"));
    PrintClientList();
    QString t = printedOn(QStringLiteral("Iroda"));
    EXPECT_TRUE(t.contains(QStringLiteral("Ügyfelek, tartozások"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("összesen 0")));
    EXPECT_TRUE(t.contains(QStringLiteral("qrUgyfelek")));

    db.execute(
        QStringLiteral("INSERT INTO ugyfel (ugyfel, ugyfel_nev, telefon, tartozik) VALUES "
                       "(1, 'Kovács Ödön', '06-1-111', 1500), (2, 'Ábel Anna', '', 2250.5), "
                       "(99, 'Senki sem', '', 0)"));
    db.execute(QStringLiteral("UPDATE ugyfel SET ugyfel=0 WHERE ugyfel=99"));  // the placeholder client
    db.execute(
        QStringLiteral("UPDATE tulajdonos SET tulajdonos='Minta Mária', irsz='1117', varos='Budapest', "
                       "cim='Fő utca 1.', telefon='06-30-222'"));
    outputchooser::setNextAnswer(1, QStringLiteral("Iroda"));
    PrintClientList();
    t = printedOn(QStringLiteral("Iroda"));
    EXPECT_FALSE(t.contains(QStringLiteral("Senki sem")));
    EXPECT_LT(t.indexOf(QStringLiteral("Ábel Anna")), t.indexOf(QStringLiteral("Kovács Ödön")));
    EXPECT_TRUE(t.contains(QStringLiteral("összesen 3 751"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Minta Mária")));
    EXPECT_TRUE(t.contains(QStringLiteral("1117 Budapest, Fő utca 1.")));
}

TEST_F(ListReportTest, TheChosenPrinterIsTheOneUsedAndCancelPrintsNothing)
{
    outputchooser::setNextAnswer(1, QStringLiteral("Nappali"));
    PrintBillTypeList();
    EXPECT_TRUE(printedOn(QStringLiteral("Iroda")).isEmpty());
    EXPECT_TRUE(printedOn(QStringLiteral("Nappali")).contains(QStringLiteral("Csekkek")));

    // A name that is not an installed printer falls back to the default one.
    outputchooser::setNextAnswer(1, QStringLiteral("Nincs ilyen"));
    PrintClientList();
    EXPECT_FALSE(printedOn(QStringLiteral("Iroda")).isEmpty());

    outputchooser::setNextAnswer(-1);
    PrintBillTypeList();
    EXPECT_TRUE(printedOn(QStringLiteral("Iroda")).isEmpty());

    auto rep = buildClientList(schema->db());
    EXPECT_TRUE(rep->report->printerName.isEmpty());
}

TEST_F(ListReportTest, BillTypeAmountsTakeTheFormatSetting)
{
    TmySQLDatabase &db = schema->db();
    db.execute(QStringLiteral("INSERT INTO ugyfel (ugyfel, ugyfel_nev) VALUES (3, 'Vízművek')"));
    db.execute(
        QStringLiteral("INSERT INTO csekk (csekk, csekk_nev, kellgen, nap_hatid, osszeg, ugyfel) VALUES "
                       "(1, 'Víz', 'I', 15, 12345.5, 3), (2, 'Áram', 'N', 8, 900, 0)"));
    beall().Format = QStringLiteral("### ### ##0.00");
    outputchooser::setNextAnswer(1, QStringLiteral("Iroda"));
    PrintBillTypeList();
    const QString t = printedOn(QStringLiteral("Iroda"));
    EXPECT_TRUE(t.contains(QStringLiteral("Víz Vízművek igen 15 12 345.50"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Áram nem 8 900.00")));
    EXPECT_LT(t.indexOf(QStringLiteral("Áram")), t.indexOf(QStringLiteral("Víz")));
    EXPECT_TRUE(t.contains(QStringLiteral("qrCsekk")));
}
