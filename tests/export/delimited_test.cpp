// Delimited text of a dataset, byte by byte.
#include "memdata.h"
#include "export/delimitedwriter.h"

#include <gtest/gtest.h>

using namespace zorva;
using exporttest::crlfLines;

namespace {

std::unique_ptr<TkbmMemTable> sample()
{
    auto t =
        exporttest::makeTable({{QStringLiteral("a"), TFieldType::ftString, 40},
                               {QStringLiteral("b"), TFieldType::ftFloat},
                               {QStringLiteral("c"), TFieldType::ftDate},
                               {QStringLiteral("n"), TFieldType::ftInteger}},
                              {{QStringLiteral("x\r\ny"), 1234.5, QDate(2024, 3, 5), 1000000},
                               {QStringLiteral("C:\\tmp\\a;b"), QVariant(), QVariant(), -3},
                               {QStringLiteral("idéző\"jel és 'aposztróf'"), 0.25, QDate(1999, 12, 31), 0}});
    t->fieldByName(QStringLiteral("a")).setDisplayLabel(QStringLiteral("Szöveg"));
    t->fieldByName(QStringLiteral("b")).setDisplayLabel(QStringLiteral("Összeg"));
    t->fieldByName(QStringLiteral("b")).setDisplayFormat(QStringLiteral("### ### ##0.00"));
    return t;
}

DelimitedOptions options(const TDataSet &t)
{
    DelimitedOptions o;
    o.fields = t.fieldNames();
    o.locale = QLocale(QLocale::Hungarian, QLocale::Hungary);
    return o;
}

}  // namespace

TEST(Delimited, DefaultsGivePlainValuesBetweenSemicolons)
{
    auto t = sample();
    DelimitedWriter w(*t, options(*t));
    EXPECT_EQ(w.write(), crlfLines({QStringLiteral("Szöveg;Összeg;c;n"),
                                    QStringLiteral("x\\ny;1234,5;2024. 03. 05.;1000000"),
                                    QStringLiteral("C:\\\\tmp\\\\a;b;;;-3"),
                                    QStringLiteral("idéző\"jel és 'aposztróf';0,25;1999. 12. 31.;0")}));
    EXPECT_EQ(w.recordsWritten(), 3);
    EXPECT_TRUE(t->eof()) << "the dataset stays on the last row visited";
    EXPECT_FALSE(t->controlsDisabled());
}

TEST(Delimited, QualifierIsNotDoubledAndFieldNamesReplaceLabels)
{
    auto t = sample();
    DelimitedOptions o = options(*t);
    o.qualifier = QStringLiteral("'");
    o.delimiter = QLatin1Char('\t');
    o.useFieldNames = true;
    o.fields = QStringList{QStringLiteral("n"), QStringLiteral("A")};  // written in the dataset's order
    EXPECT_EQ(DelimitedWriter(*t, o).write(),
              crlfLines({QStringLiteral("'a'\t'n'"), QStringLiteral("'x\\ny'\t'1000000'"),
                         QStringLiteral("'C:\\\\tmp\\\\a;b'\t'-3'"),
                         QStringLiteral("'idéző\"jel és 'aposztróf''\t'0'")}));
}

TEST(Delimited, NoFieldsGiveEmptyLinesAndNoHeaderAnEmptyFirstLine)
{
    auto t = sample();
    DelimitedOptions o = options(*t);
    o.fields.clear();
    EXPECT_EQ(DelimitedWriter(*t, o).write(), QByteArray("\r\n\r\n\r\n\r\n"));

    o = options(*t);
    o.noHeader = true;
    o.fields = QStringList{QStringLiteral("n")};
    EXPECT_EQ(DelimitedWriter(*t, o).write(), QByteArray("\r\n1000000\r\n-3\r\n0\r\n"));
}

TEST(Delimited, MemoFieldsAsTextOrBlobAndBinaryAlwaysBlob)
{
    auto t = exporttest::makeTable(
        {{QStringLiteral("id"), TFieldType::ftInteger},
         {QStringLiteral("megj"), TFieldType::ftMemo},
         {QStringLiteral("kep"), TFieldType::ftBlob}},
        {{1, QStringLiteral("egy;kettő\r\nhá|rom"), QByteArray("\x01\x02", 2)}, {2, QVariant(), QVariant()}});
    DelimitedOptions o = options(*t);
    EXPECT_EQ(DelimitedWriter(*t, o).write(),
              crlfLines({QStringLiteral("id;megj;kep"), QStringLiteral("1;egy,kettő\\nhá|rom;BLOB"),
                         QStringLiteral("2;;BLOB")}));
    o.delimiter = QLatin1Char('|');
    o.writeMemos = false;
    EXPECT_EQ(DelimitedWriter(*t, o).write(),
              crlfLines({QStringLiteral("id|megj|kep"), QStringLiteral("1|BLOB|BLOB"),
                         QStringLiteral("2|BLOB|BLOB")}));
}

TEST(Delimited, StoppingKeepsTheLinesBuiltSoFar)
{
    auto t = sample();
    DelimitedOptions o = options(*t);
    o.fields = QStringList{QStringLiteral("n")};
    DelimitedWriter w(*t, o);
    QList<int> asked;
    const QByteArray text = w.write([&asked](int n) {
        asked.append(n);
        return n < 3;
    });
    EXPECT_EQ(text, QByteArray("n\r\n1000000\r\n-3\r\n"));
    EXPECT_TRUE(w.stopped());
    EXPECT_EQ(w.recordsWritten(), 2);
    EXPECT_EQ(asked, (QList<int>{1, 2, 3}));
}

TEST(Delimited, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    auto t = exporttest::makeTable({{QStringLiteral("s"), TFieldType::ftString, 20}},
                                   {{QString::fromUtf8("ár: 5€ ✓ 😀")}});
    DelimitedOptions o = options(*t);
    o.noHeader = true;
    EXPECT_EQ(DelimitedWriter(*t, o).write(), QByteArray("\r\n\xE1r: 5\x80 ? ?\r\n"));
}
