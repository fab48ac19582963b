// Laying bands out on pages: page breaks, groups and their totals, growing
// bands, the standard frame, and the PDF read back.
#include "pdftext.h"
#include "export/memdata.h"
#include "reports/pdfdeflate.h"
#include "reports/reportframe.h"
#include "reports/reportlayout.h"
#include "reports/reportpaint.h"
#include "support/testserver.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <zlib.h>

using namespace zorva::report;

namespace {

const QFont kBody = reportFont(QStringLiteral("Tahoma"), 8);

// The texts of a page in the order they were laid out, with their top edge (mm).
struct Text {
    QString text;
    double top;
    double left;
};

std::vector<Text> texts(const LaidPage &page)
{
    std::vector<Text> out;
    for (const LaidItem &it : page.items) {
        if (it.kind == LaidItem::Kind::Text)
            out.push_back({it.text, it.rect.top(), it.rect.left()});
    }
    return out;
}

QStringList textList(const LaidPage &page)
{
    QStringList out;
    for (const Text &t : texts(page))
        out << t.text;
    return out;
}

const Text *find(const std::vector<Text> &ts, const QString &text)
{
    for (const Text &t : ts) {
        if (t.text == text)
            return &t;
    }
    return nullptr;
}

std::unique_ptr<TkbmMemTable> entries(int n)
{
    QList<QVariantList> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({i, QStringLiteral("sor %1").arg(i), double(i)});
    return exporttest::makeTable({{QStringLiteral("id"), TFieldType::ftInteger},
                                  {QStringLiteral("nev"), TFieldType::ftString, 40},
                                  {QStringLiteral("osszeg"), TFieldType::ftFloat}},
                                 rows);
}

// Page header 20 mm, detail 10 mm, summary 8 mm, standard footer 13.5 mm.
void simpleReport(Report &r, TDataSet *data)
{
    r.title = QStringLiteral("Próba");
    r.identifier = QStringLiteral("qrProba");
    r.data = data;
    r.printedAt = QDateTime(QDate(2024, 3, 5), QTime(8, 9, 10));
    r.pageHeader.height = 20;
    addTitleBox(r.pageHeader, r.title, 77.1, 16.2);
    r.detail.height = 10;
    r.detail.addField(QRectF(0, 0, 40, 5), QStringLiteral("nev"), kBody);
    r.summary.height = 8;
    const int total = r.addSum(QStringLiteral("osszeg"));
    r.summary.addValue(
        QRectF(0, 0, 60, 5),
        [total](const PrintContext &c) {
            return QStringLiteral("Összesen %1 / %2").arg(c.recordCount).arg(c.sum(total));
        },
        kBody);
    setStandardPageFooter(r, QStringLiteral("Zorva"));
}

}  // namespace

TEST(ReportLayout, BandsBreakIntoPagesWithHeaderAndFooterOnEach)
{
    auto data = entries(30);
    data->setRecNo(5);
    Report r;
    simpleReport(r, data.get());
    const ReportLayout layout = layoutReport(r);

    // Body from 30 mm to 297 - 10 - 13.5 = 273.5 mm: 24 rows of 10 mm on the first page.
    ASSERT_EQ(layout.pageCount(), 2);
    const QStringList p1 = textList(layout.pages[0]);
    const QStringList p2 = textList(layout.pages[1]);
    EXPECT_EQ(p1.count(QStringLiteral("Próba")), 2) << "title in the header and in the footer";
    EXPECT_TRUE(p1.contains(QStringLiteral("sor 24")));
    EXPECT_FALSE(p1.contains(QStringLiteral("sor 25")));
    EXPECT_TRUE(p2.contains(QStringLiteral("sor 25")));
    EXPECT_TRUE(p2.contains(QStringLiteral("sor 30")));
    EXPECT_TRUE(p1.contains(QStringLiteral("oldal: 1")));
    EXPECT_TRUE(p2.contains(QStringLiteral("oldal: 2")));
    EXPECT_TRUE(p2.contains(QStringLiteral("2024.03.05 08:09:10")));
    EXPECT_TRUE(p2.contains(QStringLiteral("qrProba")));
    EXPECT_TRUE(p2.contains(QStringLiteral("Összesen 30 / 465")));
    EXPECT_FALSE(p1.contains(QStringLiteral("Összesen 30 / 465")));

    const auto t2 = texts(layout.pages[1]);
    EXPECT_DOUBLE_EQ(find(t2, QStringLiteral("sor 25"))->top, 30.0) << "first row right under the header";
    EXPECT_DOUBLE_EQ(find(t2, QStringLiteral("Összesen 30 / 465"))->top, 90.0);
    EXPECT_DOUBLE_EQ(find(t2, QStringLiteral("oldal: 2"))->top, 297.0 - 10.0 - 13.5 + 6.6)
        << "footer at the page end";
    EXPECT_DOUBLE_EQ(find(t2, QStringLiteral("sor 25"))->left, 10.0) << "10 mm margin";

    EXPECT_EQ(data->recNo(), 5) << "the current row is restored";
    EXPECT_FALSE(data->controlsDisabled());
}

TEST(ReportLayout, GroupsPrintHeadersAndFootersWithTotalsThatRestart)
{
    auto data = exporttest::makeTable({{QStringLiteral("ugyfel"), TFieldType::ftInteger},
                                       {QStringLiteral("nev"), TFieldType::ftString, 20},
                                       {QStringLiteral("osszeg"), TFieldType::ftFloat}},
                                      {{1, QStringLiteral("Anna"), 10.0},
                                       {1, QStringLiteral("Anna"), 5.0},
                                       {2, QStringLiteral("Anna"), 7.0},
                                       {3, QStringLiteral("Béla"), 1.0},
                                       {3, QStringLiteral("Béla"), 2.0}});
    Report r;
    r.data = data.get();
    ReportGroup &g = r.addGroup(QStringLiteral("ugyfel"));
    g.header.height = 6;
    g.header.addField(QRectF(0, 0, 40, 5), QStringLiteral("nev"), kBody);
    const int groupSum = r.addSum(QStringLiteral("osszeg"), 0);
    const int grandSum = r.addSum(QStringLiteral("osszeg"));
    g.footer.height = 6;
    g.footer.addValue(
        QRectF(0, 0, 60, 5),
        [groupSum](const PrintContext &c) { return QStringLiteral("Összesen %1").arg(c.sum(groupSum)); },
        kBody);
    r.detail.height = 5;
    r.detail.addValue(
        QRectF(0, 0, 40, 5),
        [](const PrintContext &c) {
            return QStringLiteral("- %1").arg(c.data->fieldByName("osszeg").asFloat());
        },
        kBody);
    r.summary.height = 6;
    r.summary.addValue(
        QRectF(0, 0, 60, 5),
        [grandSum](const PrintContext &c) { return QStringLiteral("Mindösszesen %1").arg(c.sum(grandSum)); },
        kBody);
    const ReportLayout layout = layoutReport(r);
    ASSERT_EQ(layout.pageCount(), 1);
    EXPECT_EQ(textList(layout.pages[0]),
              (QStringList{"Anna", "- 10", "- 5", "Összesen 15", "Anna", "- 7", "Összesen 7", "Béla", "- 1",
                           "- 2", "Összesen 3", "Mindösszesen 25"}))
        << "two clients of the same name form two groups";
}

TEST(ReportLayout, AGroupMayStartOnANewPage)
{
    auto data = exporttest::makeTable(
        {{QStringLiteral("g"), TFieldType::ftInteger}, {QStringLiteral("nev"), TFieldType::ftString, 9}},
        {{1, QStringLiteral("a")}, {1, QStringLiteral("b")}, {2, QStringLiteral("c")}});
    Report r;
    r.data = data.get();
    ReportGroup &g = r.addGroup(QStringLiteral("g"));
    g.header.height = 5;
    g.header.newPageBefore = true;
    g.header.addField(QRectF(0, 0, 20, 5), QStringLiteral("g"), kBody);
    r.detail.height = 5;
    r.detail.addField(QRectF(0, 0, 20, 5), QStringLiteral("nev"), kBody);
    const ReportLayout layout = layoutReport(r);
    ASSERT_EQ(layout.pageCount(), 2) << "the first group does not leave an empty first page";
    EXPECT_EQ(textList(layout.pages[0]), (QStringList{"1", "a", "b"}));
    EXPECT_EQ(textList(layout.pages[1]), (QStringList{"2", "c"}));
}

TEST(ReportLayout, BandsGrowWithWrappedTextAndMayShrinkBeforePrinting)
{
    const QString longNote = QStringLiteral("hosszú megjegyzés ").repeated(40);
    auto data = exporttest::makeTable({{QStringLiteral("id"), TFieldType::ftInteger},
                                       {QStringLiteral("szoveg"), TFieldType::ftString, 1000}},
                                      {{1, longNote}, {2, QString()}, {3, QStringLiteral("rövid")}});
    Report r;
    r.data = data.get();
    r.detail.height = 11.9;
    r.detail.addField(QRectF(0, 0, 20, 4), QStringLiteral("id"), kBody);
    ReportElement &note = r.detail.addField(QRectF(13.2, 4.0, 163.0, 4.0), QStringLiteral("szoveg"), kBody);
    note.wordWrap = true;
    note.grows = true;
    r.detail.beforePrint = [](ReportBand &b, const PrintContext &c) {
        const bool empty = c.data->fieldByName(QStringLiteral("szoveg")).asString().isEmpty();
        b.height = empty ? 6.6 : 11.9;
    };
    const auto t = texts(layoutReport(r).pages[0]);
    const double row2 = find(t, QStringLiteral("2"))->top;
    const double row3 = find(t, QStringLiteral("3"))->top;
    const double needed = wrappedTextHeight(longNote, kBody, 163.0);
    EXPECT_GT(needed, 3 * 4.0) << "the note wraps into several lines";
    EXPECT_NEAR(row2 - 10.0, 11.9 + needed - 4.0, 1e-6) << "the first row grew by its note";
    EXPECT_NEAR(row3 - row2, 6.6, 1e-6) << "a row without a note is one line high";
}

TEST(ReportLayout, EmptyDataStillPrintsAndOversizedBandsDoNotLoop)
{
    auto empty = entries(0);
    Report r;
    simpleReport(r, empty.get());
    ReportLayout layout = layoutReport(r);
    ASSERT_EQ(layout.pageCount(), 1);
    EXPECT_TRUE(textList(layout.pages[0]).contains(QStringLiteral("Összesen 0 / 0")));
    EXPECT_TRUE(textList(layout.pages[0]).contains(QStringLiteral("oldal: 1")));

    auto data = entries(3);
    Report big;
    simpleReport(big, data.get());
    big.detail.height = 400;  // taller than any page
    layout = layoutReport(big);
    EXPECT_EQ(layout.pageCount(), 4) << "one oversized row per page, then the summary";
}

TEST(ReportLayout, PdfHoldsTheTextsAndOnePagePerLaidPage)
{
    testsupport::TempFolder tmp;
    auto data = exporttest::makeTable({{QStringLiteral("id"), TFieldType::ftInteger},
                                       {QStringLiteral("nev"), TFieldType::ftString, 40},
                                       {QStringLiteral("osszeg"), TFieldType::ftFloat}},
                                      {{1, QStringLiteral("Őrző Űrhajós"), 1.0}});
    QList<QVariantList> rows;
    Report r;
    simpleReport(r, data.get());
    r.landscape = true;
    OwnerInfo owner{QStringLiteral("Kiss Péter"), QStringLiteral("1111 Budapest, Fő utca 1."),
                    QStringLiteral("06-1-234-5678")};
    addOwnerBlock(r.pageHeader, r.bandWidth(), owner, QStringLiteral("Tahoma"));
    const ReportLayout layout = layoutReport(r);
    EXPECT_EQ(layout.pageLayout.orientation(), QPageLayout::Landscape);
    const QString file = tmp.file(QStringLiteral("proba.pdf"));
    QString error;
    ASSERT_TRUE(writePdf(layout, file, &error)) << error.toStdString();
    const QStringList pages = reporttest::pdfPages(file);
    ASSERT_EQ(pages.size(), 1);
    for (const QString &s : {QStringLiteral("Próba"), QStringLiteral("Őrző Űrhajós"),
                             QStringLiteral("Kiss Péter"), QStringLiteral("1111 Budapest, Fő utca 1."),
                             QStringLiteral("oldal: 1"), QStringLiteral("Összesen 1 / 1")})
        EXPECT_TRUE(pages[0].contains(s)) << s.toStdString() << "\n" << pages[0].toStdString();

    EXPECT_FALSE(writePdf(layout, tmp.file(QStringLiteral("nincs/ilyen/mappa/x.pdf")), &error));
    EXPECT_FALSE(error.isEmpty());
}

namespace {

struct Word {
    QString text;
    double x, y;  // pt, top-left of the word's box
};

// The words of a PDF's first page with their boxes (pdftotext -bbox).
std::vector<Word> pdfWords(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"), QStringLiteral("1"),
                                          file, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000) && p.exitCode() == 0);
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    std::vector<Word> out;
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    for (auto it = word.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        out.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return out;
}

}  // namespace

// The PDF writer draws wrapped cells from shaped lines of its own: the words must
// land where drawText puts them, on the same lines, and a text too long for its
// cell is still clipped as drawText clips it.
TEST(ReportLayout, WrappedCellsInAPdfLandWhereDrawTextPutsThem)
{
    testsupport::TempFolder tmp;
    ReportLayout layout;
    layout.pageLayout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    LaidPage page;
    const int wrap = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const struct {
        QRectF rect;
        QString text;
    } cells[] = {
        {QRectF(10, 10, 60, 5), QStringLiteral("Kávé és ebéd Bécsben")},
        {QRectF(10.37, 20.13, 31.3, 12), QStringLiteral("Lidl: tej, sajt, hús, kenyér és péksütemény a hétvégére")},
        {QRectF(10, 40, 25, 3.5), QStringLiteral("Túl hosszú megjegyzés, amely nem fér el a cellában")},
        {QRectF(80.5, 50.25, 40, 20), QStringLiteral("Fizetés & jutalom: december, január, február, március")},
    };
    for (const auto &c : cells)
        page.items.push_back({LaidItem::Kind::Text, c.rect, c.text, kBody, Qt::black, wrap});
    layout.pages.push_back(page);

    const QString fast = tmp.file(QStringLiteral("gyors.pdf"));
    ASSERT_TRUE(writePdf(layout, fast));
    const QString plain = tmp.file(QStringLiteral("sima.pdf"));
    {
        QPdfWriter writer(plain);
        writer.setPageLayout(layout.pageLayout);
        QPainter p(&writer);
        paintPage(p, layout.pages[0], writer.logicalDpiX() / 25.4);
    }
    const std::vector<Word> got = pdfWords(fast);
    const std::vector<Word> want = pdfWords(plain);
    ASSERT_GT(want.size(), 20u);
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].text, want[i].text);
        EXPECT_NEAR(got[i].x, want[i].x, 0.05) << want[i].text.toStdString();
        EXPECT_NEAR(got[i].y, want[i].y, 0.05) << want[i].text.toStdString();
    }
}

TEST(ReportLayout, FirstPagesOnlyOrStoppedByItsProgressKeepTheDataAsItWas)
{
    auto data = entries(1000);
    data->setRecNo(7);
    Report r;
    simpleReport(r, data.get());

    const ReportLayout first = layoutReport(r, 1);
    ASSERT_EQ(first.pageCount(), 1);
    EXPECT_TRUE(textList(first.pages[0]).contains(QStringLiteral("sor 24")));
    EXPECT_TRUE(textList(first.pages[0]).contains(QStringLiteral("oldal: 1"))) << "the page keeps its footer";
    EXPECT_EQ(data->recNo(), 7);

    std::vector<int> calls;
    bool stopped = false;
    const ReportLayout part = layoutReport(
        r,
        [&calls](int done, int total) {
            calls.push_back(done);
            EXPECT_EQ(total, 1000);
            return done < 500;
        },
        &stopped);
    EXPECT_TRUE(stopped);
    EXPECT_EQ(calls, (std::vector<int>{250, 500}));
    EXPECT_LT(part.pageCount(), 42);
    EXPECT_EQ(data->recNo(), 7);
    EXPECT_FALSE(data->controlsDisabled());

    stopped = true;
    const ReportLayout all = layoutReport(
        r, [](int, int) { return true; }, &stopped);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(all.pageCount(), 42);  // 24 rows a page, the summary after the last
}

namespace {

// The deflated size of a page-like text through a stream opened at `level`.
uLong deflatedSize(int level)
{
    QByteArray text;
    for (int i = 0; i < 2000; ++i)
        text +=
            QByteArray::number(i * 116.1875, 'f', 6) + " 0 Td <00" + QByteArray::number(i % 97) + "> Tj\n";
    z_stream s{};
    EXPECT_EQ(deflateInit(&s, level), Z_OK);
    QByteArray out(int(deflateBound(&s, uLong(text.size()))), '\0');
    s.next_in = reinterpret_cast<Bytef *>(text.data());
    s.avail_in = uInt(text.size());
    s.next_out = reinterpret_cast<Bytef *>(out.data());
    s.avail_out = uInt(out.size());
    EXPECT_EQ(deflate(&s, Z_FINISH), Z_STREAM_END);
    const uLong size = s.total_out;
    deflateEnd(&s);
    return size;
}

}  // namespace

TEST(PdfDeflate, DefaultLevelStreamsArePackedFastOnlyWhileAPdfIsWritten)
{
    const uLong fastest = deflatedSize(Z_BEST_SPEED);
    const uLong standard = deflatedSize(9);
    ASSERT_NE(fastest, standard);
    EXPECT_NE(deflatedSize(Z_DEFAULT_COMPRESSION), fastest);
    {
        const FastPdfDeflate fast;
        EXPECT_EQ(deflatedSize(Z_DEFAULT_COMPRESSION), fastest);
        EXPECT_EQ(deflatedSize(9), standard) << "a chosen level stays";
    }
    EXPECT_NE(deflatedSize(Z_DEFAULT_COMPRESSION), fastest);
}
