#include "core/globals.h"
#include "core/numberformat.h"

#include <gtest/gtest.h>

#include <limits>

using namespace zorva;

namespace {
// Hungarian separators, spelled out so the tests do not depend on the machine's locale.
QString hu(const char *format, double v)
{
    return FormatFloat(QString::fromUtf8(format), v, ',', ' ');
}
}  // namespace

TEST(FormatFloat, SpacedGroupsOfTheMoneyFormat)
{
    EXPECT_EQ(hu("### ### ##0", 1234567), "1 234 567");
    EXPECT_EQ(hu("### ### ##0", 5), "5");
    EXPECT_EQ(hu("### ### ##0", 0), "0");
    EXPECT_EQ(hu("### ### ##0", 1000), "1 000");
    EXPECT_EQ(hu("### ### ##0", -1234), "-1 234");
    EXPECT_EQ(hu("### ### ##0", 999999.5), "1 000 000");
    EXPECT_EQ(hu("### ### ##0.00", 1234.5), "1 234,50");
    EXPECT_EQ(hu("### ### ##0.00", -0.5), "-0,50");
}

TEST(FormatFloat, RoundsHalfAwayFromZeroOnTheEnteredDigits)
{
    EXPECT_EQ(hu("0.00", 2.675), "2,68");  // binary 2.67499999...
    EXPECT_EQ(hu("0.00", -2.675), "-2,68");
    EXPECT_EQ(hu("0", 0.5), "1");
    EXPECT_EQ(hu("0", 1.5), "2");
    EXPECT_EQ(hu("0", 2.5), "3");
    EXPECT_EQ(hu("0", -2.5), "-3");
    EXPECT_EQ(hu("0.0", 9.95), "10,0");
    EXPECT_EQ(hu("0", 0.4999), "0");
    EXPECT_EQ(hu("0.00", 1e-7), "0,00");
}

TEST(FormatFloat, ZerosHashesAndThousands)
{
    EXPECT_EQ(hu("0000000", 42), "0000042");
    EXPECT_EQ(hu("0000000", 123456789), "123456789");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, '.', ','), "1,234,567.89");
    EXPECT_EQ(FormatFloat("#,##0.00", 12, '.', ','), "12.00");
    EXPECT_EQ(FormatFloat("#,##0", 123456789012.0, '.', ','), "123,456,789,012");
    EXPECT_EQ(hu("#.##", 0.5), ",5");
    EXPECT_EQ(hu("#.##", 3), "3");
    EXPECT_EQ(hu("0.0#", 3.1), "3,1");
    EXPECT_EQ(hu("0.0#", 3.129), "3,13");
    EXPECT_EQ(hu("##0 Ft", 1500), "1500 Ft");
    EXPECT_EQ(hu("\"Ft \"0", 7), "Ft 7");
    EXPECT_EQ(hu("", 1234.5), "1234,5");
}

TEST(FormatFloat, Sections)
{
    EXPECT_EQ(hu("0.0;(0.0);nulla", 1.25), "1,3");
    EXPECT_EQ(hu("0.0;(0.0);nulla", -1.25), "(1,3)");
    EXPECT_EQ(hu("0.0;(0.0);nulla", 0), "nulla");
    EXPECT_EQ(hu("0.0;(0.0);nulla", -0.01), "nulla");  // rounds to zero
    EXPECT_EQ(hu("0;;-", -3), "-3");                   // empty negative section
    EXPECT_EQ(hu("0;;-", 0), "-");
    EXPECT_EQ(hu("0", -0.2), "0");  // no "-0"
}

TEST(FormatFloat, HalvesBeyondFifteenDigitsRoundAwayFromZero)
{
    // Exactly representable halves at the 16th significant digit: 17-digit printing
    // alone would round some of them to even.
    EXPECT_EQ(hu("### ### ##0", 323649621549044.5), "323649621 549 045");
    EXPECT_EQ(hu("### ### ##0", 518409578300480.5), "518409578 300 481");
    EXPECT_EQ(hu("### ### ##0", -8090330136398665.0), "-8090330136 398 670");
    EXPECT_EQ(hu("0", 5265986573523485.0), "5265986573523490");
    EXPECT_EQ(hu("0", 999999999999999.5), "1000000000000000");  // the carry adds a digit
    EXPECT_EQ(hu("0.00", 0.125), "0,13");
    EXPECT_EQ(hu("0.00", 1e300 / 1e300), "1,00");
    EXPECT_EQ(hu("0", 1e20), "100000000000000000000");
    // 15 digits also where the shortest form has more, and for a subnormal number,
    // whose shortest form ("5e-324") is not its 15-digit rounding.
    EXPECT_EQ(hu("0.0000000000000000", 0.1 + 0.2), "0,3000000000000000");
    const QString tiny =
        hu((QStringLiteral("0.") + QString(340, QLatin1Char('0'))).toLatin1().constData(), 5e-324);
    EXPECT_TRUE(tiny.endsWith(QStringLiteral("00049406564584124700"))) << qPrintable(tiny);
}

TEST(FormatFloat, SectionsLiteralsAndOddPlaces)
{
    // The negative section rounds by its own places; rounding to zero by the first
    // section without a zero section formats 0 by the first one.
    EXPECT_EQ(hu("0.00;-0.0", -1.25), "-1,3");
    EXPECT_EQ(hu("0.00;(0.0)", -0.004), "0,00");
    EXPECT_EQ(hu("0.00;(0.0)", -0.005), "(0,0)");
    // ';' inside quotes is text, and quotes hide the format characters.
    EXPECT_EQ(hu("'a;b'0.00", 1.5), "a;b1,50");
    EXPECT_EQ(hu("\"#0.,\"0", 3), "#0.,3");
    EXPECT_EQ(hu("\"open 0", 3), "open 0");  // an open quote runs to the end
    // Only the first point separates; a later one is copied.
    EXPECT_EQ(hu("0.00.0", 1.2345), "1,23.5");
    // Zero places with grouping, a format without integer places, no digit places at all.
    EXPECT_EQ(FormatFloat("000,000", 1234, '.', ','), "001,234");
    EXPECT_EQ(FormatFloat("#,##0", 0, '.', ','), "0");
    EXPECT_EQ(FormatFloat("#,##0", -1234567, '.', ','), "-1,234,567");
    EXPECT_EQ(hu(".00", 12.5), "12,50");
    EXPECT_EQ(hu("Ft", 12.5), "Ft");
    EXPECT_EQ(hu("0", std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(hu("0", -std::numeric_limits<double>::infinity()), "-INF");
}

TEST(PreparedNumberFormat, GivesWhatFormatFloatGivesAndAppends)
{
    const QString formats[] = {QStringLiteral("### ### ##0.00"), QStringLiteral("#,##0.0;(#,##0.0);\"-\""),
                               QStringLiteral("0000"), QString()};
    const double values[] = {0, -0.0, 0.05, -0.05, 1234.5, -98765.4321, 1e15, 2.675};
    for (const QString &f : formats) {
        const PreparedNumberFormat p(f);
        QString appended = QStringLiteral(">");
        for (const double v : values) {
            EXPECT_EQ(p.format(v, ',', ' '), FormatFloat(f, v, ',', ' ')) << qPrintable(f) << " " << v;
            p.appendTo(appended, v, ',', ' ');
        }
        QString expected = QStringLiteral(">");
        for (const double v : values)
            expected += FormatFloat(f, v, ',', ' ');
        EXPECT_EQ(appended, expected);
    }
}

TEST(PreparedNumberFormat, ManyDistinctFormatsStayCorrectPastTheCache)
{
    for (int n = 0; n < 600; ++n) {
        const QString f =
            QStringLiteral("0.") + QString(n % 7, QLatin1Char('0')) + QStringLiteral(" \"#%1\"").arg(n);
        const QString text = FormatFloat(f, 1.5, ',', ' ');
        ASSERT_EQ(text, PreparedNumberFormat(f).format(1.5, ',', ' '));
        ASSERT_TRUE(text.endsWith(QStringLiteral(" #%1").arg(n))) << qPrintable(text);
    }
    EXPECT_EQ(hu("### ### ##0", 1234567), "1 234 567");
}

TEST(FormatFloat, LocaleDefaults)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    EXPECT_EQ(FormatFloat("### ### ##0.00", 1234.5), "1 234,50");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(FormatFloat("### ### ##0.00", 1234.5), "1 234.50");
    QLocale::setDefault(saved);
}

TEST(MoneyFormat, FollowsTheCashBoxDecimals)
{
    const int saved = CassaDecimals();
    CassaDecimals() = 0;
    EXPECT_EQ(MoneyFormat(), "### ### ##0");
    CassaDecimals() = 2;
    EXPECT_EQ(MoneyFormat(), "### ### ##0.00");
    EXPECT_EQ(hu(MoneyFormat().toUtf8().constData(), 1234567), "1 234 567,00");
    EXPECT_EQ(MoneyFormat(12), QStringLiteral("### ### ##0.") + QString(12, QLatin1Char('0')));
    CassaDecimals() = saved;
}

TEST(FormatDateTime, ProgramFormats)
{
    const QDateTime t(QDate(2010, 3, 3), QTime(14, 5, 9, 7));
    EXPECT_EQ(FormatDateTime("yyyy.mm.dd", t), "2010.03.03");
    EXPECT_EQ(FormatDateTime("yyyy.mm.dd.", t), "2010.03.03.");
    EXPECT_EQ(FormatDateTime("yyyymm", t), "201003");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", t), "2010-03-03 14:05:09");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd-hh-nn-ss", t), "2010-03-03-14-05-09");
    EXPECT_EQ(FormatDateTime("hh:mm", t), "14:05");  // minutes right after the hour
    EXPECT_EQ(FormatDateTime("d.m.yy zzz", t), "3.3.10 007");
    EXPECT_EQ(FormatDateTime("\"Dátum: \"yyyy", t), "Dátum: 2010");
    EXPECT_EQ(FormatDateTime("yyyy.mm.dd", QDate(2009, 12, 1)), "2009.12.01");
}
