#include "core/datehelpers.h"
#include "core/querytext.h"
#include "core/sqltext.h"
#include "core/texthelpers.h"

#include <gtest/gtest.h>

using namespace zorva;

TEST(FieldOf, EmptyFieldsAndMissingFields)
{
    EXPECT_EQ(FieldOf(";", "a;;c", 1), "a");
    EXPECT_EQ(FieldOf(";", "a;;c", 2), "");
    EXPECT_EQ(FieldOf(";", "a;;c", 3), "c");
    EXPECT_EQ(FieldOf(";", "a;;c", 4), "");
    EXPECT_EQ(FieldOf(";", "a;;c", 0), "");
    // A trailing delimiter ends the last field; the field after it is empty.
    EXPECT_EQ(FieldOf(";", "zorva;localhost;3306;root;pw;Otthon;", 6), "Otthon");
    EXPECT_EQ(FieldOf(";", "zorva;localhost;3306;root;pw;Otthon;", 7), "");
    // Every delimiter character ends a field.
    EXPECT_EQ(FieldOf(";,", "a,b;c", 2), "b");
    EXPECT_EQ(FieldOf(";", "", 1), "");
}

TEST(NumericText, KeepsDigitsLeadingMinusAndFirstSeparator)
{
    EXPECT_EQ(NumericText("  -12 345,67.8 Ft "), "-12345,678");
    EXPECT_EQ(NumericText("12-3"), "123");
    EXPECT_EQ(NumericText("abc"), "");
    EXPECT_EQ(ParseInteger(" 3306 "), 3306);
    EXPECT_EQ(ParseInteger("-42 db"), -42);
    EXPECT_EQ(ParseInteger("12.5"), 0);  // not an integer
    EXPECT_EQ(ParseInteger(""), 0);
    EXPECT_EQ(ParseInteger("99999999999999999999"), 0);
}

TEST(ParseAmount, PointLocale)
{
    EXPECT_DOUBLE_EQ(ParseAmount("   12,50 Ft", -1, '.'), 12.5);
    EXPECT_DOUBLE_EQ(ParseAmount("1.234,5", -1, '.'), -1);  // two separators
    EXPECT_DOUBLE_EQ(ParseAmount("-1 234.5", 0, '.'), -1234.5);
    EXPECT_DOUBLE_EQ(ParseAmount("", 7, '.'), 7);
    EXPECT_DOUBLE_EQ(ParseAmount("   ", 7, '.'), 7);
    EXPECT_DOUBLE_EQ(ParseAmount("Ft", 7, '.'), 7);
    EXPECT_DOUBLE_EQ(ParseAmount("-", 7, '.'), 7);
    EXPECT_DOUBLE_EQ(ParseAmount("1-2", 7, '.'), 7);
    EXPECT_DOUBLE_EQ(ParseAmount("1e5", 7, '.'), 15);  // letters are dropped, not read as exponent
}

TEST(ParseAmount, CommaLocale)
{
    EXPECT_DOUBLE_EQ(ParseAmount("   12,50 Ft", -1, ','), 12.5);
    EXPECT_DOUBLE_EQ(ParseAmount("12.50", -1, ','), 12.5);
    EXPECT_DOUBLE_EQ(ParseAmount("1.234,5", -1, ','), -1);
    EXPECT_DOUBLE_EQ(ParseAmount("1 000 000", -1, ','), 1000000);
}

TEST(ParseAmount, DefaultSeparatorFollowsTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    EXPECT_DOUBLE_EQ(ParseAmount("12,5", 0), 12.5);
    EXPECT_DOUBLE_EQ(ParseAmount("12.5", 0), 12.5);
    QLocale::setDefault(QLocale::c());
    EXPECT_DOUBLE_EQ(ParseAmount("12,5", 0), 12.5);
    QLocale::setDefault(saved);
}

TEST(SafeFileName, HyphensUnderscoresLowerCase)
{
    EXPECT_EQ(SafeFileName("Fix tételek"), "fix-t_telek");
    EXPECT_EQ(SafeFileName(R"(a b!c"d#e%f&g'h*i+j/k:l?m@n\o)"), "a-b-c-d-e-f-g-h-i-j-k-l-m-n-o");
    EXPECT_EQ(SafeFileName("ŐRZŐ Ű"), "_rz_-_");
    EXPECT_EQ(SafeFileName("Csekk_2010.htm"), "csekk_2010.htm");
    // A character the code page lacks is replaced as well, once per character.
    EXPECT_EQ(SafeFileName(QString::fromUtf8("a\xF0\x9F\x98\x80z")), "a_z");
}

TEST(ReplaceAndRemove, NullAndPlainTexts)
{
    EXPECT_EQ(ReplaceChar(QVariant(), ';', ','), "");
    EXPECT_FALSE(ReplaceChar(QVariant(), ';', ',').isNull());
    EXPECT_EQ(ReplaceChar(QString("a;b;c"), ';', ','), "a,b,c");
    EXPECT_EQ(RemoveChars("-.", "2010-03.01"), "20100301");
    EXPECT_EQ(RemoveSpaces(" 1 234 "), "1234");
    EXPECT_EQ(CountChar(';', "a;b;;"), 3);
}

TEST(NullableValues, DefaultOnlyForNull)
{
    EXPECT_EQ(TextOrDefault(QVariant(), "x"), "x");
    EXPECT_EQ(TextOrDefault(QVariant(QString("")), "x"), "");
    EXPECT_EQ(IntOrDefault(QVariant(), -1), -1);
    EXPECT_EQ(IntOrDefault(QVariant(QString("12")), -1), 12);
    EXPECT_EQ(IntOrDefault(QVariant(QString("abc")), -1), 0);
    EXPECT_DOUBLE_EQ(FloatOrDefault(QVariant(), 2.5), 2.5);
    EXPECT_DOUBLE_EQ(FloatOrDefault(QVariant(QString("1234.5")), 0), 1234.5);
    EXPECT_EQ(ChooseValue(true, "I", "N"), "I");
    EXPECT_EQ(ChooseValue(false, 1, 2), 2);
}

TEST(SqlLiterals, Texts)
{
    EXPECT_EQ(SqlText(QString("O'Brien")), "'O''Brien'");
    EXPECT_EQ(SqlText(QString("a\\b")), "'a\\\\b'");
    EXPECT_EQ(SqlText(QString("1\r\n2")), "'1\\r\\n2'");
    EXPECT_EQ(SqlText(QVariant()), "''");
    EXPECT_EQ(SqlText(QVariant(42)), "'42'");
    EXPECT_EQ(CsvEscape(QString("a\\b\r\nc")), "a\\\\b\\nc");
    EXPECT_EQ(CsvEscape(QVariant()), "");
}

TEST(SqlLiterals, NumbersDatesIntegers)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    EXPECT_EQ(SqlNumber(1234.5), "1234.5");
    EXPECT_EQ(SqlNumber(-0.1), "-0.1");
    EXPECT_EQ(SqlNumber(0.1 + 0.2), "0.3");  // 15 significant digits
    EXPECT_EQ(SqlNumber(123456789012345.0), "123456789012345");
    EXPECT_EQ(SqlNumber(-0.0), "0");
    EXPECT_EQ(SqlNumber(std::numeric_limits<double>::quiet_NaN()), "NULL");
    QLocale::setDefault(saved);
    EXPECT_EQ(SqlDate(QDate(2010, 3, 3)), "'2010-03-03'");
    EXPECT_EQ(SqlDate(QDate()), "'0000-00-00'");
    EXPECT_EQ(SqlDateTime(QDateTime(QDate(2010, 3, 3), QTime(14, 5, 9))), "'2010-03-03 14:05:09'");
    EXPECT_EQ(SqlIntOrZero(QVariant()), "0");
    EXPECT_EQ(SqlIntOrZero(QVariant(QString("17"))), "17");
    EXPECT_EQ(SqlIntOrZero(QVariant(QString("x"))), "0");
}

TEST(QueryLines, SetWhereLine)
{
    QStringList q{"SELECT * FROM hazikassza", "WHERE 1=1", "where x=2", "ORDER BY datum;"};
    EXPECT_EQ(SetWhereLine(q, "kassza=1", true),
              "SELECT * FROM hazikassza\nWHERE kassza=1\nwhere x=2\nORDER BY datum;");
    SetWhereLine(q, "kassza=2", false);
    EXPECT_EQ(q.at(1), "WHERE kassza=2");
    EXPECT_EQ(q.at(2), "WHERE kassza=2");

    QStringList noWhere{"SELECT * FROM kassza", "ORDER BY kassza;"};
    EXPECT_EQ(SetWhereLine(noWhere, "kassza=1", false), "SELECT * FROM kassza\nORDER BY kassza;");
    // An indented WHERE is not a WHERE line for this helper.
    QStringList indented{"SELECT 1", "  WHERE a=1"};
    SetWhereLine(indented, "b=2", false);
    EXPECT_EQ(indented.at(1), "  WHERE a=1");
}

TEST(QueryLines, SetOrderAndAppendWhere)
{
    QStringList q{"SELECT * FROM kassza", "WHERE (kassza>0);", "ORDER BY kassza;", "order by x"};
    SetOrderLine(q, "kassza_nev DESC");
    EXPECT_EQ(q.at(2), "ORDER BY kassza_nev DESC;");
    EXPECT_EQ(q.at(3), "order by x");

    EXPECT_EQ(
        AppendWhereLine(q, " AND (szorzo=1)"),
        "SELECT * FROM kassza\nWHERE (kassza>0) AND (szorzo=1);\nORDER BY kassza_nev DESC;\norder by x");
    QStringList noSemicolon{"SELECT 1", "  where a=1", "where b=2"};
    AppendWhereLine(noSemicolon, " AND c=3");
    EXPECT_EQ(noSemicolon.at(1), "  where a=1 AND c=3");
    EXPECT_EQ(noSemicolon.at(2), "where b=2");
}

TEST(BuildLikeFilter, ExampleAndEdges)
{
    EXPECT_EQ(BuildLikeFilter("a;b", "x", true), " AND ((a LIKE '%x%') OR (b LIKE '%x%'))");
    EXPECT_EQ(BuildLikeFilter("a;b", "x", false), "((a LIKE '%x%') OR (b LIKE '%x%'))");
    EXPECT_EQ(BuildLikeFilter("a;b", "", true), "");
    EXPECT_EQ(BuildLikeFilter("ugyfel_nev", "O'B", false), "((ugyfel_nev LIKE '%O''B%'))");
    // The search text is never rewritten, even when it holds ")(".
    EXPECT_EQ(BuildLikeFilter("a", "x)(y", false), "((a LIKE '%x)(y%'))");
    // At most 15 columns; empty names are skipped.
    QStringList many;
    for (int i = 1; i <= 20; ++i)
        many << QStringLiteral("c%1").arg(i);
    const QString f = BuildLikeFilter(many.join(';') + ";", "z", false);
    EXPECT_EQ(f.count(" LIKE "), 15);
    EXPECT_TRUE(f.contains("(c15 LIKE"));
    EXPECT_FALSE(f.contains("(c16 LIKE"));
}

TEST(Periods, MaskTextAndDates)
{
    EXPECT_EQ(PeriodOfDate(QDate(2010, 3, 31)), "201003");
    EXPECT_EQ(PeriodToMaskText("201003"), "2010.03");
    EXPECT_EQ(PeriodFromMaskText("2010.03"), "201003");
    EXPECT_EQ(PeriodFromMaskText("201012"), "201012");
    EXPECT_EQ(PeriodFromMaskText("2010.13"), "");
    EXPECT_EQ(PeriodFromMaskText("2010.__"), "");
    EXPECT_EQ(PeriodFromMaskText("20a0.01"), "");
    EXPECT_EQ(PeriodLastDay("200802"), QDate(2008, 2, 29));
    EXPECT_EQ(WeekOfDate(QDate(2010, 1, 3)), 53);  // ISO: belongs to 2009's last week
    EXPECT_EQ(WeekOfDate(QDate(2008, 12, 29)), 1);
    EXPECT_EQ(YearOfDate(QDate(2008, 12, 29)), 2008);
    EXPECT_EQ(MonthOfDate(QDate(2008, 12, 29)), 12);
}
