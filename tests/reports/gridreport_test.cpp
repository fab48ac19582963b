// The grid printout: columns scaled from the grid, the summary line, read back
// from the PDF.
#include "pdftext.h"
#include "export/memdata.h"
#include "reports/gridreport.h"
#include "reports/reportlayout.h"
#include "reports/reportpaint.h"
#include "support/testserver.h"

#include <gtest/gtest.h>

using namespace zorva;
using namespace zorva::report;

namespace {

std::unique_ptr<TkbmMemTable> bills(int n)
{
    QList<QVariantList> rows;
    for (int i = 1; i <= n; ++i)
        rows.append(
            {i, QStringLiteral("Csekk %1 – villany").arg(i), 1000.0 * i + 0.25, QDate(2024, 1, i % 28 + 1)});
    auto t = exporttest::makeTable({{QStringLiteral("csekkfizet"), TFieldType::ftInteger},
                                    {QStringLiteral("csekk_nev"), TFieldType::ftString, 40},
                                    {QStringLiteral("osszeg"), TFieldType::ftFloat},
                                    {QStringLiteral("hatarido"), TFieldType::ftDate}},
                                   rows);
    t->fieldByName(QStringLiteral("osszeg")).setDisplayFormat(QStringLiteral("### ### ##0"));
    t->fieldByName(QStringLiteral("hatarido")).setDisplayFormat(QStringLiteral("yyyy.mm.dd"));
    return t;
}

ExportColumns billColumns()
{
    return {{QStringLiteral("csekkfizet"), QStringLiteral("Sorszám"), 60, true, Qt::AlignRight},
            {QStringLiteral("csekk_nev"), QStringLiteral("Csekk"), 200, true, Qt::AlignLeft},
            {QStringLiteral("osszeg"), QStringLiteral("Összeg"), 100, true, Qt::AlignRight},
            {QStringLiteral("hatarido"), QStringLiteral("Határidő"), 100, true, Qt::AlignLeft}};
}

GridPrintOptions options(const QString &sumField)
{
    GridPrintOptions o;
    o.portrait = true;
    o.title = QStringLiteral("Csekkek fizetése");
    o.subtitle = QStringLiteral("Ki nem fizetett");
    o.sumField = sumField;
    o.applicationTitle = QStringLiteral("Zorva - otthon");
    return o;
}

QString pdfOf(Report &r, const testsupport::TempFolder &tmp, QStringList *pages = nullptr)
{
    const QString file = tmp.file(QStringLiteral("grid.pdf"));
    QString error;
    EXPECT_TRUE(writePdf(layoutReport(r), file, &error)) << error.toStdString();
    const QStringList all = reporttest::pdfPages(file);
    if (pages)
        *pages = all;
    return all.join(QLatin1Char('\f'));
}

}  // namespace

TEST(GridPrint, ColumnsAreProportionalAndNeverPastTheBand)
{
    ExportColumns cols = {{QStringLiteral("a"), QString(), 100, true, {}},
                          {QStringLiteral("b"), QString(), 100, false, {}},
                          {QStringLiteral("c"), QString(), 200, true, {}}};
    std::vector<PlacedColumn> p = placeGridColumns(cols, 500, 190.0);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_DOUBLE_EQ(p[0].x, 0.0);
    EXPECT_DOUBLE_EQ(p[0].width, 38.0);
    EXPECT_DOUBLE_EQ(p[1].width, 0.0) << "hidden in the grid";
    EXPECT_DOUBLE_EQ(p[2].x, 38.0 + 1.3 + 1.3);
    EXPECT_DOUBLE_EQ(p[2].width, 76.0);

    // 277 x 1/2 = 138.5 rounds to 138 (halves to even); columns filling the grid
    // are cut at the band's right edge instead of running off the paper.
    cols = {{QStringLiteral("a"), QString(), 250, true, {}}, {QStringLiteral("b"), QString(), 250, true, {}}};
    p = placeGridColumns(cols, 500, 277.0);
    EXPECT_DOUBLE_EQ(p[0].width, 138.0);
    EXPECT_DOUBLE_EQ(p[1].x + p[1].width, 277.0);
    EXPECT_DOUBLE_EQ(p[1].width, 277.0 - 139.3);
}

TEST(GridPrint, PdfHasTitlesEveryRowAndTheSummaryLine)
{
    testsupport::TempFolder tmp;
    auto data = bills(3);
    auto r = buildGridReport(*data, billColumns(), 600, options(QStringLiteral("osszeg")));
    const QStringList lines = reporttest::squeezedLines(pdfOf(*r, tmp));
    const auto has = [&lines](const QString &s) {
        return std::any_of(lines.begin(), lines.end(), [&s](const QString &l) { return l.contains(s); });
    };
    for (const QString &s :
         {QStringLiteral("Csekkek fizetése"), QStringLiteral("Ki nem fizetett"),
          QStringLiteral("Sorszám Csekk Összeg Határidő"),
          QStringLiteral("1 Csekk 1 – villany 1 000 2024.01.02"),
          QStringLiteral("3 Csekk 3 – villany 3 000 2024.01.04"), QStringLiteral("Összesen sorok száma: 3"),
          QStringLiteral("Zorva - otthon"), QStringLiteral("qrGridPrint"), QStringLiteral("oldal: 1")})
        EXPECT_TRUE(has(s)) << s.toStdString() << "\n" << lines.join('\n').toStdString();
    EXPECT_TRUE(has(QStringLiteral("6000") + QLocale().decimalPoint() + QStringLiteral("75")))
        << "the sum in the general number format\n"
        << lines.join('\n').toStdString();
}

TEST(GridPrint, SumFieldOutsideTheColumnsKeepsItsDesignPlace)
{
    auto data = bills(2);
    ExportColumns cols = billColumns();
    cols.removeAt(2);  // no "osszeg" column
    auto r = buildGridReport(*data, cols, 600, options(QStringLiteral("osszeg")));
    const ReportLayout layout = layoutReport(*r);
    const QString sum = QStringLiteral("3000") + QLocale().decimalPoint() + QStringLiteral("5");
    const LaidItem *found = nullptr;
    for (const LaidItem &it : layout.pages[0].items) {
        if (it.text == sum)
            found = &it;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_DOUBLE_EQ(found->rect.left(), 10.0 + 83.0);
    EXPECT_DOUBLE_EQ(found->rect.width(), 14.2);
    EXPECT_TRUE(found->font.bold());
}

TEST(GridPrint, EmptyListPrintsHeaderAndZeroRowsWithoutSumNoSummary)
{
    testsupport::TempFolder tmp;
    auto data = bills(0);
    auto r = buildGridReport(*data, billColumns(), 600, options(QStringLiteral("osszeg")));
    QString text = pdfOf(*r, tmp);
    EXPECT_TRUE(text.contains(QStringLiteral("Határidő")));
    EXPECT_TRUE(reporttest::squeezedLines(text).join('\n').contains(QStringLiteral("sorok száma: 0")));
    EXPECT_FALSE(text.contains(QStringLiteral("villany")));

    auto noSum = buildGridReport(*data, billColumns(), 600, options(QString()));
    text = pdfOf(*noSum, tmp);
    EXPECT_FALSE(text.contains(QStringLiteral("sorok száma")));
    EXPECT_TRUE(text.contains(QStringLiteral("Csekkek fizetése")));
}

TEST(GridPrint, LongListsGoOnOverPagesInLandscape)
{
    testsupport::TempFolder tmp;
    auto data = bills(100);
    GridPrintOptions o = options(QString());
    o.portrait = false;
    auto r = buildGridReport(*data, billColumns(), 600, o);
    QStringList pages;
    pdfOf(*r, tmp, &pages);
    // 210 - 20 mm margins - 20.8 header - 13.5 footer leaves 155.7 mm: 36 rows of 4.3 mm.
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Csekk 36 ")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Csekk 37 ")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Csekk 100 ")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("oldal: 3")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Sorszám"))) << "column titles on every page";
}

// Pages to look at: ZORVA_REPORT_PICTURES=folder writes the grid printout there as PDF.
TEST(GridPrint, PicturesOnRequest)
{
    const QString folder = qEnvironmentVariable("ZORVA_REPORT_PICTURES");
    if (folder.isEmpty())
        GTEST_SKIP() << "set ZORVA_REPORT_PICTURES to a folder to get the pages";
    auto data = bills(150);  // three pages: breaks, and the summary on the last one
    GridPrintOptions o = options(QStringLiteral("osszeg"));
    auto r = buildGridReport(*data, billColumns(), 600, o);
    EXPECT_TRUE(writePdf(layoutReport(*r), folder + QStringLiteral("/gridprint.pdf")));
}
