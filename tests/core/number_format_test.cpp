#include "globals.h"
#include "numberformat.h"

#include <gtest/gtest.h>

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
