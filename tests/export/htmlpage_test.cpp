// The HTML page of a list, byte by byte.
#include "memdata.h"
#include "export/blockwriter.h"
#include "export/htmlpage.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace zorva;
using exporttest::crlfLines;

namespace {

const QDateTime kWhen(QDate(2024, 3, 5), QTime(14, 7, 9));

QStringList pageStart(const QString &title, const QString &subtitle)
{
    return {QStringLiteral("<html>"),
            QString(),
            QStringLiteral("<head>"),
            QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">"),
            QStringLiteral("<title>") + title + QStringLiteral("</title>"),
            QStringLiteral("<meta name=\"GENERATOR\" content=\"Velmo Bt. Grid2Html\">"),
            QStringLiteral("</head>"),
            QString(),
            QStringLiteral("<body>"),
            QStringLiteral("<p><strong><font face=\"Verdana\" size=\"2\">") + title +
                QStringLiteral("</font></strong></p>"),
            QStringLiteral("<p><strong><font face=\"Verdana\" size=\"1\">") + subtitle +
                QStringLiteral("</font></strong></p>"),
            QStringLiteral("<div align=\"center\"><center>"),
            QString(),
            QStringLiteral("<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\" width=\"90%\">")};
}

QStringList pageEnd(int rows)
{
    return {QStringLiteral("</table>"),
            QStringLiteral("</center></div>"),
            QString(),
            QStringLiteral("<p><font face=\"Verdana\" size=\"1\">Összesen %1 sor.</font></p>").arg(rows),
            QString(),
            QStringLiteral("<p><font face=\"Verdana\" size=\"1\">2024.03.05 14:07:09</font></p>"),
            QString(),
            QStringLiteral("<p><font face=\"Courier New\" size=\"1\">Zorva - teszt</font></p>"),
            QString(),
            QStringLiteral("</body>"),
            QStringLiteral("</html>")};
}

QString head(int w, const QString &prefix, const QString &text)
{
    return QStringLiteral(
               "    <td width=\"%1%\" bgcolor=\"#C0C0C0\"><font face=\"Verdana\" size=\"1\"><strong>")
               .arg(w) +
           prefix + text + QStringLiteral("</strong></font></td>");
}

QString cell(int w, const QString &prefix, const QString &text)
{
    return QStringLiteral("    <td width=\"%1%\"><font face=\"Verdana\" size=\"1\">").arg(w) + prefix + text +
           QStringLiteral("</font></td>");
}

const QString R = QStringLiteral("<p align=\"right\">");

std::unique_ptr<TkbmMemTable> debts(const QList<QVariantList> &rows)
{
    auto t = exporttest::makeTable({{QStringLiteral("nev"), TFieldType::ftString, 40},
                                    {QStringLiteral("marad"), TFieldType::ftFloat},
                                    {QStringLiteral("megj"), TFieldType::ftString, 40}},
                                   rows);
    t->fieldByName(QStringLiteral("marad")).setDisplayFormat(QStringLiteral("### ### ##0"));
    return t;
}

HtmlPageSetup debtSetup()
{
    HtmlPageSetup s;
    s.title = QStringLiteral("Tartozások");
    s.subtitle = QStringLiteral("Összes");
    s.applicationTitle = QStringLiteral("Zorva - teszt");
    s.exportedAt = kWhen;
    s.gridWidth = 500;
    s.columns = {{QStringLiteral("nev"), QStringLiteral("Név"), 100, true, Qt::AlignLeft},
                 {QStringLiteral("marad"), QStringLiteral("Marad"), 100, true, Qt::AlignRight},
                 {QStringLiteral("megj"), QStringLiteral("Megjegyzés"), 200, true, Qt::AlignLeft}};
    return s;
}

}  // namespace

TEST(HtmlPage, RowsWidthsAndSumRowExactly)
{
    auto t = debts({{QStringLiteral("Kovács Ödön"), 1234567.0, QStringLiteral("a < b & c")},
                    {QStringLiteral("Szőke Űrsula"), -250.0, QVariant()}});
    HtmlPageSetup setup = debtSetup();
    setup.sumFields = parseSumFields(QStringLiteral("MARAD"));
    HtmlPageWriter w(setup);
    const QByteArray page = w.write(*t);

    QStringList lines = pageStart(QStringLiteral("Tartozások"), QStringLiteral("Összes"));
    lines << QStringLiteral("  <tr>") << head(20, QString(), QStringLiteral("Név"))
          << head(20, R, QStringLiteral("Marad")) << head(40, QString(), QStringLiteral("Megjegyzés"))
          << QStringLiteral("  </tr>");
    lines << QStringLiteral("  <tr>") << cell(20, QString(), QStringLiteral("Kovács Ödön"))
          << cell(20, R, QStringLiteral("1 234 567"))
          << cell(40, QString(), QStringLiteral("a &lt; b &amp; c"))  // text, not markup
          << QStringLiteral("  </tr>");
    lines << QStringLiteral("  <tr>") << cell(20, QString(), QStringLiteral("Szőke Űrsula"))
          << cell(20, R, QStringLiteral("-250")) << cell(40, QString(), QString())
          << QStringLiteral("  </tr>");
    lines << QStringLiteral("  <tr>") << head(20, QString(), QString())
          << head(20, R, QStringLiteral("1 234 317")) << head(40, QString(), QString())
          << QStringLiteral("  </tr>");
    lines << pageEnd(2);
    EXPECT_EQ(page, crlfLines(lines));
    EXPECT_EQ(w.recordsWritten(), 2);
    EXPECT_FALSE(page.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(page.contains("Sz\xF5ke \xDBrsula"));  // Windows-1250 bytes of ő and Ű
}

TEST(HtmlPage, EmptyListHasHeaderRowAndZeroCount)
{
    auto t = debts({});
    HtmlPageSetup setup = debtSetup();
    setup.sumFields = parseSumFields(QStringLiteral("marad"));
    const QByteArray page = HtmlPageWriter(setup).write(*t);
    QStringList lines = pageStart(QStringLiteral("Tartozások"), QStringLiteral("Összes"));
    lines << QStringLiteral("  <tr>") << head(20, QString(), QStringLiteral("Név"))
          << head(20, R, QStringLiteral("Marad")) << head(40, QString(), QStringLiteral("Megjegyzés"))
          << QStringLiteral("  </tr>");
    lines << QStringLiteral("  <tr>") << head(20, QString(), QString()) << head(20, R, QStringLiteral("0"))
          << head(40, QString(), QString()) << QStringLiteral("  </tr>");
    lines << pageEnd(0);
    EXPECT_EQ(page, crlfLines(lines));
}

TEST(HtmlPage, HiddenAndFieldlessColumnsAndHalfPercentsRoundToEven)
{
    auto t = debts({{QStringLiteral("x"), 1.0, QStringLiteral("y")}});
    HtmlPageSetup setup = debtSetup();
    setup.gridWidth = 200;
    setup.columns = {
        {QStringLiteral("nev"), QStringLiteral("Név"), 25, true, Qt::AlignLeft},        // 12.5 -> 12
        {QString(), QStringLiteral("nincs mező"), 50, true, Qt::AlignLeft},             // skipped
        {QStringLiteral("marad"), QStringLiteral("Marad"), 75, true, Qt::AlignCenter},  // 37.5 -> 38
        {QStringLiteral("megj"), QStringLiteral("Megj."), 90, false, Qt::AlignLeft}};   // hidden -> 0
    const QByteArray page = HtmlPageWriter(setup).write(*t);
    const QByteArray expectedRow =
        crlfLines({QStringLiteral("  <tr>"), cell(12, QString(), QStringLiteral("x")),
                   cell(38, QStringLiteral("<p align=\"center\">"), QStringLiteral("1")),
                   cell(0, QString(), QStringLiteral("y")), QStringLiteral("  </tr>")});
    EXPECT_TRUE(page.contains(expectedRow)) << page.toStdString();
    EXPECT_FALSE(page.contains("nincs mez"));
    EXPECT_FALSE(page.contains("bgcolor=\"#C0C0C0\"><font face=\"Verdana\" size=\"1\"><strong></strong>"))
        << "no sum row without sum fields";
}

TEST(HtmlPage, SumOfIntegerUsesItsFormatAndOfTextTheGeneralForm)
{
    auto t = exporttest::makeTable(
        {{QStringLiteral("db"), TFieldType::ftInteger}, {QStringLiteral("szoveg"), TFieldType::ftString, 20}},
        {{1500, QStringLiteral("2.5")}, {QVariant(), QStringLiteral("1")}, {7, QString()}});
    t->fieldByName(QStringLiteral("db")).setDisplayFormat(QStringLiteral("0000000"));
    HtmlPageSetup setup = debtSetup();
    setup.gridWidth = 100;
    setup.columns = {{QStringLiteral("db"), QStringLiteral("Db"), 50, true, Qt::AlignRight},
                     {QStringLiteral("szoveg"), QStringLiteral("Szöveg"), 50, true, Qt::AlignLeft}};
    setup.sumFields = parseSumFields(QStringLiteral(";db;;SZOVEG;"));
    const QByteArray page = HtmlPageWriter(setup).write(*t);
    EXPECT_TRUE(page.contains(
        crlfLines({head(50, R, QStringLiteral("0001507")),
                   head(50, QString(), QString::number(3.5).replace('.', QLocale().decimalPoint()))})))
        << page.toStdString();
}

TEST(HtmlPage, WalkLeavesTheCurrentRowAndReportsProgressEveryTenth)
{
    QList<QVariantList> rows;
    for (int i = 0; i < 25; ++i)
        rows.append({QStringLiteral("n%1").arg(i), double(i), QString()});
    auto t = debts(rows);
    t->setRecNo(7);
    QList<int> seen;
    HtmlPageWriter w(debtSetup());
    w.write(*t, [&seen](int n) { seen.append(n); });
    EXPECT_EQ(t->recNo(), 7);
    EXPECT_FALSE(t->controlsDisabled());
    EXPECT_EQ(seen, (QList<int>{10, 20}));
    EXPECT_EQ(w.recordsWritten(), 25);
}

TEST(HtmlPage, SumFieldListIsCutAtFifty)
{
    QStringList names;
    for (int i = 0; i < 60; ++i)
        names << QStringLiteral("f%1").arg(i);
    const QStringList parsed = parseSumFields(names.join(QStringLiteral(";;")));
    ASSERT_EQ(parsed.size(), 50);
    EXPECT_EQ(parsed.last(), QStringLiteral("f49"));
    EXPECT_TRUE(parseSumFields(QStringLiteral(";;")).isEmpty());
}

TEST(HtmlPage, CellsAreTheFieldsDisplayTexts)
{
    // Formatted numbers and dates take a faster way than displayText(); the page must
    // not tell the difference, NULLs and repeated days included.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    auto t = exporttest::makeTable({{QStringLiteral("osszeg"), TFieldType::ftFloat},
                                    {QStringLiteral("db"), TFieldType::ftInteger},
                                    {QStringLiteral("datum"), TFieldType::ftDate},
                                    {QStringLiteral("nap"), TFieldType::ftDate},
                                    {QStringLiteral("arany"), TFieldType::ftFloat}},
                                   {{1234.565, 7, QDate(2024, 3, 5), QDate(2024, 3, 5), 0.25},
                                    {-0.004, QVariant(), QDate(2024, 3, 5), QVariant(), QVariant()},
                                    {QVariant(), 123456, QVariant(), QDate(1999, 12, 31), -1e-7},
                                    {-98765.5, -3, QDate(2001, 1, 2), QDate(2024, 3, 5), 1e21},
                                    // days that fall on the same kept text, in turn
                                    {1.0, 1, QDate(2024, 3, 5).addDays(1 << 14), QDate(2024, 3, 5), 1.0},
                                    {2.0, 2, QDate(2024, 3, 5), QDate(2024, 3, 5).addDays(1 << 14), 2.0}});
    t->fieldByName(QStringLiteral("osszeg")).setDisplayFormat(QStringLiteral("### ### ##0.00;(0.0);-"));
    t->fieldByName(QStringLiteral("db")).setDisplayFormat(QStringLiteral("0000"));
    t->fieldByName(QStringLiteral("nap")).setDisplayFormat(QStringLiteral("yyyy-mm-dd"));
    HtmlPageSetup setup = debtSetup();
    setup.columns.clear();
    for (const char *name : {"osszeg", "db", "datum", "nap", "arany"})
        setup.columns.append({QString::fromLatin1(name), QString::fromLatin1(name), 20, true, Qt::AlignLeft});
    setup.gridWidth = 100;
    const QByteArray page = HtmlPageWriter(setup).write(*t);

    QStringList rows;
    for (t->first(); !t->eof(); t->next()) {
        rows << QStringLiteral("  <tr>");
        for (int i = 0; i < t->fieldCount(); ++i)
            rows << cell(20, QString(), t->fields(i).displayText());
        rows << QStringLiteral("  </tr>");
    }
    QLocale::setDefault(saved);
    EXPECT_TRUE(page.contains(crlfLines(rows))) << page.toStdString();
    EXPECT_TRUE(page.contains(crlfLines({cell(20, QString(), QStringLiteral("1 234,57"))})));
    EXPECT_TRUE(page.contains(crlfLines({cell(20, QString(), QStringLiteral("(98765,5)"))})));
    EXPECT_TRUE(page.contains(crlfLines({cell(20, QString(), QStringLiteral("2024-03-05"))})));
}

TEST(BlockWriterBuffer, KeepsItsMemoryAfterEachBlockAndWritesEverything)
{
    // A block given back after each write made long exports allocate and fault in a
    // fresh megabyte every time.
    QByteArray all;
    QBuffer device(&all);
    device.open(QIODevice::WriteOnly);
    BlockWriter w(device);
    const qsizetype capacity = w.buffer().capacity();
    for (int i = 0; i < 3 * 1024; ++i) {
        w.buffer().append(QByteArray(1024, char('a' + i % 26)));
        w.flushIfFull();
        ASSERT_GE(w.buffer().capacity(), capacity) << "after " << i << " KiB";
    }
    w.flush();
    ASSERT_EQ(all.size(), 3 * 1024 * 1024);
    EXPECT_EQ(all.at(0), 'a');
    EXPECT_EQ(all.at(all.size() - 1), char('a' + (3 * 1024 - 1) % 26));
}
