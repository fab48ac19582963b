// The cash-book reports on the server, rendered to PDF and read back.
#include "reports/cashbook/cashbookreports.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/ui/shell.h"
#include "db/database.h"
#include "export/ui/queryhtml.h"
#include "reports/pdftext.h"
#include "reports/reportlayout.h"
#include "reports/reportpaint.h"
#include "reports/ui/nyomvalaszt.h"
#include "sql/zorvaschema.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QWidget>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

class CashbookReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<sqltest::ZorvaSchema>();
        setMainConnection(&schema->db());
        sqltest::addBasicMasterData(schema->db());
        Cassa() = 1;
        beall().CassaName = QStringLiteral("Pénztárca");
    }
    void TearDown() override
    {
        outputchooser::clearAnswers();
        setMainConnection(nullptr);
    }

    QString text(CashbookReport &rep)
    {
        const QString file = tmp.file(QStringLiteral("r.pdf"));
        QString error;
        EXPECT_TRUE(report::writePdf(report::layoutReport(*rep.report), file, &error)) << error.toStdString();
        return reporttest::squeezedLines(reporttest::pdfPages(file).join(QLatin1Char('\n')))
            .join(QLatin1Char('\n'));
    }

    testsupport::TempFolder tmp;
    std::unique_ptr<sqltest::ZorvaSchema> schema;
};

const QDate d1(2024, 3, 1), d2(2024, 3, 31);

}  // namespace

TEST_F(CashbookReportTest, MovementsOfEveryBoxAndOfOneBoxWithTheirTotals)
{
    TmySQLDatabase &db = schema->db();
    sqltest::book(db, QDate(2024, 3, 2), 1, 1, 5000, QStringLiteral("márciusi fizetés"), 1);
    sqltest::book(db, QDate(2024, 3, 5), 1, 2, -1200, QString(), 2);
    sqltest::book(db, QDate(2024, 3, 6), 2, 3, 700);
    sqltest::book(db, QDate(2024, 4, 1), 1, 1, 99999);  // outside the range

    auto all = buildPeriodMovements(db, 0, -1, d1, d2);
    EXPECT_EQ(all->data->recordCount(), 3);
    QString t = text(*all);
    EXPECT_TRUE(t.contains(QStringLiteral("Változások időszakra"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Összes kassza")));
    EXPECT_TRUE(t.contains(QStringLiteral("2024.03.01 - 2024.03.31")));
    EXPECT_TRUE(t.contains(QStringLiteral("kassza"))) << "the box column shows for every box";
    EXPECT_TRUE(t.contains(QStringLiteral("Bank")));
    EXPECT_TRUE(t.contains(QStringLiteral("márciusi fizetés"))) << "the note prints on its own line";
    EXPECT_TRUE(t.contains(QStringLiteral("Összesen 5 700 1 200")) ||
                t.contains(QStringLiteral("Összesen 5 700 -1 200")))
        << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Egyenleg")));
    EXPECT_FALSE(t.contains(QStringLiteral("99 999")));
    EXPECT_TRUE(t.contains(QStringLiteral("qrOssz")));
    EXPECT_EQ(all->suggestedFile, QStringLiteral("Változások időszakra.csv"));

    // Incomes of every box: only income types, no expense column, no balance line.
    auto incomes = buildPeriodMovements(db, 1, -1, d1, d2);
    EXPECT_EQ(incomes->data->recordCount(), 2);
    t = text(*incomes);
    EXPECT_TRUE(t.contains(QStringLiteral("Bevételek időszakra")));
    EXPECT_FALSE(t.contains(QStringLiteral("kiadás")));
    EXPECT_FALSE(t.contains(QStringLiteral("Egyenleg")));
    EXPECT_FALSE(t.contains(QStringLiteral("Élelmiszer")));
    EXPECT_TRUE(t.contains(QStringLiteral("Összesen 5 700")));

    // Expenses of one box: its name in the header, no box column.
    auto expenses = buildPeriodMovements(db, 2, 1, d1, d2);
    EXPECT_EQ(expenses->data->recordCount(), 1);
    t = text(*expenses);
    EXPECT_TRUE(t.contains(QStringLiteral("Kiadások időszakra")));
    EXPECT_TRUE(t.contains(QStringLiteral("Pénztárca")));
    EXPECT_FALSE(t.contains(QStringLiteral("Bank")));
    EXPECT_FALSE(t.contains(QStringLiteral("bevétel")));
}

TEST_F(CashbookReportTest, BoxWithDecimalsPrintsThemButTotalsStayWhole)
{
    TmySQLDatabase &db = schema->db();
    ExecSql(QStringLiteral("UPDATE kassza SET tizedesjegy=2 WHERE kassza=1;"));
    sqltest::book(db, QDate(2024, 3, 2), 1, 1, 1234.5);
    auto rep = buildPeriodMovements(db, 0, 1, d1, d2);
    const QString t = text(*rep);
    EXPECT_TRUE(t.contains(QStringLiteral("1 234.50"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QRegularExpression(QStringLiteral("Összesen 1 23[45]\\b")))) << t.toStdString();
}

TEST_F(CashbookReportTest, EmptyRangeStillPrintsHeaderTotalsAndFooter)
{
    auto rep = buildPeriodMovements(schema->db(), 0, 1, d1, d2);
    EXPECT_EQ(rep->data->recordCount(), 0);
    const QString t = text(*rep);
    EXPECT_TRUE(t.contains(QStringLiteral("Összesen 0 0")));
    EXPECT_TRUE(t.contains(QStringLiteral("oldal: 1")));
}

TEST_F(CashbookReportTest, EntriesByClientGroupOnTheClientEvenWithTheSameName)
{
    TmySQLDatabase &db = schema->db();
    ExecSql(QStringLiteral("UPDATE ugyfel SET ugyfel_nev='Kovács Ödön' WHERE ugyfel=2;"));
    sqltest::book(db, QDate(2024, 3, 2), 1, 1, 5000, QString(), 1);
    sqltest::book(db, QDate(2024, 3, 3), 1, 2, -300, QString(), 2);
    sqltest::book(db, QDate(2024, 3, 4), 1, 2, -200, QString(), 1);
    sqltest::book(db, QDate(2024, 3, 4), 2, 1, 777, QString(), 1);  // another box

    auto rep = buildEntriesByClient(db, -1, d1, d2);
    EXPECT_EQ(rep->data->recordCount(), 3);
    const QString t = text(*rep);
    EXPECT_EQ(t.count(QStringLiteral("Kovács Ödön")), 2) << t.toStdString();
    EXPECT_EQ(t.count(QRegularExpression(QStringLiteral("^Összesen"), QRegularExpression::MultilineOption)),
              2);
    EXPECT_TRUE(t.contains(QStringLiteral("Mindösszesen 5 000")));
    EXPECT_FALSE(t.contains(QStringLiteral("777")));
    EXPECT_TRUE(t.contains(QStringLiteral("qrUgyfelKassza")));

    auto one = buildEntriesByClient(db, 2, d1, d2);
    EXPECT_EQ(one->data->recordCount(), 1);
}

TEST_F(CashbookReportTest, EntriesByTypeTotalPerType)
{
    TmySQLDatabase &db = schema->db();
    sqltest::book(db, QDate(2024, 3, 2), 1, 2, -300);
    sqltest::book(db, QDate(2024, 3, 3), 1, 2, -200);
    sqltest::book(db, QDate(2024, 3, 4), 1, 1, 900);
    auto rep = buildEntriesByType(db, -1, d1, d2);
    const QString t = text(*rep);
    EXPECT_TRUE(t.contains(QStringLiteral("Tételek típusonként")));
    EXPECT_TRUE(t.contains(QStringLiteral("Élelmiszer")));
    EXPECT_TRUE(t.contains(QStringLiteral("500"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("qrTipusKassza")));
    EXPECT_EQ(buildEntriesByType(db, 1, d1, d2)->data->recordCount(), 1);
}

TEST_F(CashbookReportTest, PeriodSummarySumsEachMonthOfTheBox)
{
    TmySQLDatabase &db = schema->db();
    sqltest::book(db, QDate(2024, 2, 2), 1, 1, 4000);
    sqltest::book(db, QDate(2024, 2, 9), 1, 2, -1000);
    sqltest::book(db, QDate(2024, 3, 1), 1, 2, -500);
    sqltest::book(db, QDate(2024, 3, 1), 2, 1, 8888);  // another box
    auto rep = buildPeriodSummary(db, QStringLiteral("202402"), QStringLiteral("202403"), 1);
    EXPECT_EQ(rep->data->recordCount(), 2);
    const QString t = text(*rep);
    EXPECT_TRUE(t.contains(QStringLiteral("202402 - 202403"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("202402 -1 000 4 000 3 000 4 000 5 000"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Összesen -1 500 4 000 2 500")));
    EXPECT_FALSE(t.contains(QStringLiteral("8 888")));

    auto none = buildPeriodSummary(db, QStringLiteral("201001"), QStringLiteral("201012"), 1);
    EXPECT_TRUE(text(*none).contains(QStringLiteral("Összesen 0 0 0")));
}

TEST_F(CashbookReportTest, CashHistoryOfTheCurrentBoxWithTheCallersTotals)
{
    TmySQLDatabase &db = schema->db();
    sqltest::book(db, QDate(2024, 3, 2), 1, 1, 4000, QStringLiteral("prémium"));
    sqltest::book(db, QDate(2024, 3, 3), 1, 2, -1500);
    sqltest::book(db, QDate(2024, 3, 3), 2, 1, 6543);  // another box
    auto rep =
        buildCashHistory(db, QStringLiteral("1 000"), QStringLiteral("4 000"), QStringLiteral("-1 500"),
                         QStringLiteral("3 500"), QStringLiteral("Szűrő: március"));
    EXPECT_EQ(rep->data->recordCount(), 2);
    EXPECT_TRUE(rep->suggestedFile.isEmpty());
    const QString t = text(*rep);
    EXPECT_TRUE(t.contains(QStringLiteral("Szűrő: március"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("prémium")));
    EXPECT_TRUE(t.contains(QStringLiteral("Összesen 1 000 4 000 -1 500 3 500")));
    EXPECT_TRUE(t.contains(QStringLiteral("Egyenleg (bevétel - kiadás) 2 500")));
    EXPECT_FALSE(t.contains(QStringLiteral("6 543")));
    EXPECT_TRUE(t.contains(QStringLiteral("qrNyomtat")));

    // Only the income and expense cells of the negative entry turn red.
    QStringList red;
    for (const report::LaidPage &p : report::layoutReport(*rep->report).pages)
        for (const report::LaidItem &i : p.items)
            if (i.kind == report::LaidItem::Kind::Text && i.color == QColor(Qt::red))
                red << i.text;
    EXPECT_EQ(red, (QStringList{QStringLiteral("0"), QStringLiteral("-1 500")}));
}

TEST_F(CashbookReportTest, CancelledOutputBuildsNothing)
{
    outputchooser::setNextAnswer(-1);
    outputchooser::setNextAnswer(-1);
    PrintPeriodMovements(0, 1, d1, d2);
    PrintEntriesByClient(-1, d1, d2);
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
}

TEST_F(CashbookReportTest, HtmlChoiceWritesTheReportsPageIntoTheHtmlFolderAndOpensIt)
{
    TmySQLDatabase &db = schema->db();
    DataDir() = tmp.path();
    sqltest::book(db, QDate(2024, 3, 2), 1, 1, 5000, QStringLiteral("a <b> & c"), 1);
    sqltest::book(db, QDate(2024, 3, 5), 2, 2, -1200, QString(), 2);
    queryhtml::setExportTime(QDateTime(QDate(2024, 4, 1), QTime(8, 30, 5)));
    Shell::clearLog();
    outputchooser::setNextAnswer(3);
    PrintPeriodMovements(0, -1, d1, d2);
    queryhtml::setExportTime(QDateTime());

    const QString file = tmp.path() + QStringLiteral("/Html/ossz.htm");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.endsWith("</html>\r\n"));
    QStringDecoder dec("windows-1250");
    const QStringList lines = QString(dec.decode(bytes)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.value(4), QStringLiteral("<title>Változások időszakra</title>"));
    EXPECT_EQ(lines.value(10), QStringLiteral("<p><strong><font face=\"Verdana\" size=\"1\">Összes kassza: "
                                              "2024.03.01 - 2024.03.31</font></strong></p>"));
    EXPECT_EQ(lines.value(15),
              QStringLiteral("    <td width=\"15%\" bgcolor=\"#C0C0C0\"><font face=\"Verdana\" "
                             "size=\"1\"><strong>dátum</strong></font></td>"));
    EXPECT_EQ(lines.value(20),
              QStringLiteral("    <td width=\"16%\" bgcolor=\"#C0C0C0\"><font face=\"Verdana\" "
                             "size=\"1\"><strong><p align=\"right\">kiadás</strong></font></td>"));
    EXPECT_EQ(lines.value(26),
              QStringLiteral("    <td width=\"18%\"><font face=\"Verdana\" size=\"1\">Pénztárca"
                             "</font></td>"));
    EXPECT_EQ(bytes.count("  <tr>"), 3) << "header and two rows";
    EXPECT_FALSE(bytes.contains("sor.</font>")) << "no row count line";
    EXPECT_TRUE(bytes.contains("2024.04.01 08:30:05"));
    ASSERT_EQ(Shell::log().size(), 1);
    EXPECT_TRUE(Shell::log().first().url.toLocalFile().endsWith(QStringLiteral("Html/ossz.htm")));

    // The pages of the other reports: file names and subtitles.
    struct Page {
        std::unique_ptr<CashbookReport> rep;
        const char *file;
        const char *subtitle;
    };
    Page pages[] = {
        {buildEntriesByClient(db, -1, d1, d2), "ugyfkassza.htm", "2024.03.01 - 2024.03.31"},
        {buildEntriesByType(db, -1, d1, d2), "tipuskassza.htm", "2024.03.01 - 2024.03.31"},
        {buildPeriodSummary(db, QStringLiteral("202403"), QStringLiteral("202403"), 1), "idoszak.htm",
         "Pénztárca"},
        {buildCashHistory(db, {}, {}, {}, {}, {}), "nyomtat.htm", "Pénztárca"},
    };
    for (Page &p : pages) {
        SCOPED_TRACE(p.file);
        EXPECT_EQ(p.rep->htmlFile, QString::fromUtf8(p.file));
        EXPECT_EQ(p.rep->htmlSubtitle, QString::fromUtf8(p.subtitle));
        p.rep->data->last();
        ASSERT_TRUE(exportReportHtml(*p.rep));
        EXPECT_EQ(p.rep->data->currentIndex(), 0) << "left on the first row";
        EXPECT_TRUE(QFile::exists(tmp.path() + QStringLiteral("/Html/") + QString::fromUtf8(p.file)));
    }
}
