// The writers on a query of the real server: column types as the server
// reports them, Hungarian text through the latin2 connection.
#include "memdata.h"
#include "db/query.h"
#include "export/datatoxls.h"
#include "export/delimitedwriter.h"
#include "export/htmlpage.h"
#include "support/testserver.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

class ExportDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        TmySQLDatabase &db = schema->db();
        db.execute(QStringLiteral(
            "CREATE TABLE hk (hid INT AUTO_INCREMENT PRIMARY KEY, datum DATE, osszeg DOUBLE, egyenleg "
            "DECIMAL(12,2),"
            " szoveg VARCHAR(255), megj TEXT, nagy BIGINT, kicsi SMALLINT) DEFAULT CHARSET=latin2"));
        db.execute(
            QStringLiteral("INSERT INTO hk VALUES (1,'2024-03-05',-1234.5,99.99,'Kovács ő\\\\a',"
                           "'sor1\\r\\nsor2;x',5000000000,-7),(2,NULL,NULL,NULL,NULL,NULL,NULL,NULL)"));
        q = std::make_unique<TmySQLQuery>(&db);
        q->setSQL(QStringLiteral("SELECT * FROM hk ORDER BY hid"));
        q->open();
    }

    std::unique_ptr<testsupport::ScratchSchema> schema;
    std::unique_ptr<TmySQLQuery> q;
};

}  // namespace

TEST_F(ExportDb, DelimitedPlainValuesOfEveryColumnType)
{
    DelimitedOptions o;
    o.fields = q->fieldNames();
    o.locale = QLocale(QLocale::Hungarian, QLocale::Hungary);
    EXPECT_EQ(DelimitedWriter(*q, o).write(),
              exporttest::crlfLines(
                  {QStringLiteral("hid;datum;osszeg;egyenleg;szoveg;megj;nagy;kicsi"),
                   QStringLiteral("1;2024. 03. 05.;-1234,5;99,99;Kovács ő\\\\a;sor1\\nsor2,x;5000000000;-7"),
                   QStringLiteral("2;;;;;;;")}));
}

TEST_F(ExportDb, WorksheetCellKindsFollowTheServersTypes)
{
    TDataToXLS x(q.get());
    x.setLocale(QLocale(QLocale::Hungarian, QLocale::Hungary));
    QList<TxlCellType> kinds;
    x.onBeginExport = [&kinds](TDataExport &e) {
        for (const TxlColumn &c : e.columns())
            kinds << c.cellType;
    };
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    x.saveToDevice(buf);
    EXPECT_EQ(kinds, (QList<TxlCellType>{xlInteger, xlText, xlNumber, xlNumber, xlText, xlText, xlInteger,
                                         xlInteger}));
    const QByteArray file = buf.data();
    // Row 1, column 3: DECIMAL 99.99 as a NUMBER record, right-aligned.
    double v = 99.99;
    QByteArray number("\x03\x00\x0F\x00\x01\x00\x03\x00\x00\x00\x03", 11);
    number.append(reinterpret_cast<const char *>(&v), 8);
    EXPECT_TRUE(file.contains(number));
    // Row 1, column 4: the latin2 text as Windows-1250 bytes.
    EXPECT_TRUE(
        file.contains(QByteArray("\x04\x00\x12\x00\x01\x00\x04\x00\x00\x00\x01\x0AKov\xE1"
                                 "cs \xF5\\a",
                                 22)));
    // Row 2 is all BLANK records.
    EXPECT_TRUE(file.contains(QByteArray("\x01\x00\x07\x00\x02\x00\x07\x00\x00\x00\x03", 11)));
}

TEST_F(ExportDb, HtmlCellsShowTheDisplayFormats)
{
    q->fieldByName(QStringLiteral("osszeg")).setDisplayFormat(QStringLiteral("### ### ##0.00"));
    q->fieldByName(QStringLiteral("hid")).setDisplayFormat(QStringLiteral("0000000"));
    HtmlPageSetup setup;
    setup.title = QStringLiteral("Kassza");
    setup.exportedAt = QDateTime(QDate(2024, 1, 1), QTime(0, 0));
    setup.columns = {{QStringLiteral("hid"), QStringLiteral("Sorszám"), 50, true, Qt::AlignRight},
                    {QStringLiteral("osszeg"), QStringLiteral("Összeg"), 50, true, Qt::AlignRight}};
    setup.sumFields = {QStringLiteral("osszeg")};
    const QByteArray page = HtmlPageWriter(setup).write(*q);
    const QString dp = QLocale().decimalPoint();
    EXPECT_TRUE(page.contains("<p align=\"right\">0000001</font></td>"));
    EXPECT_TRUE(page.contains(
        (QStringLiteral("<p align=\"right\">-1 234") + dp + QStringLiteral("50</font></td>")).toLatin1()));
    EXPECT_TRUE(page.contains(
        (QStringLiteral("<strong><p align=\"right\">-1 234") + dp + QStringLiteral("50</strong>"))
            .toLatin1()))
        << "the NULL amount counts 0 in the sum";
}
