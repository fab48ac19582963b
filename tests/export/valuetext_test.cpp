// The fast plain-value formatting must say exactly what the slow, general one says.
#include "core/numberformat.h"
#include "export/valuetext.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cmath>

using namespace zorva;

TEST(ValueText, FastGeneralNumbersEqualTheGeneralFormat)
{
    QRandomGenerator rng(20240305);
    QList<double> values = {1500.5,
                            -420.25,
                            0.1,
                            1e15,
                            1e14,
                            123456789012345.0,
                            1234567890123456.0,
                            0.0001,
                            0.00001,
                            1.5e-5,
                            1e100,
                            -1e-300,
                            2.5,
                            0.125,
                            99.99,
                            1e21,
                            5e-324};
    for (int i = 0; i < 200000; ++i) {
        const quint64 r = rng.generate64();
        switch (i % 4) {
            case 0:  // money with cents and quarters
                values << double(qint64(r % 400000000) - 200000000) / 100.0;
                break;
            case 1:  // ties at the 15th digit: n + 0.5 with 15 digits
                values << double(qint64(r % 900000000000000) + 100000000000000) + 0.5;
                break;
            case 2:
                values << std::ldexp(double(r >> 11), int(rng.bounded(200)) - 120);
                break;
            default:
                values << -std::ldexp(double(r >> 11), -int(rng.bounded(60)));
                break;
        }
    }
    int fast = 0;
    for (const double v : values) {
        char buf[40];
        const int n = generalNumberAscii(v, buf);
        const QString expected = FormatFloat(QString(), v, QLatin1Char('.'), QLatin1Char(' '));
        if (n >= 0) {
            ++fast;
            ASSERT_EQ(QString::fromLatin1(buf, n), expected) << "value " << v;
        }
        ASSERT_EQ(generalNumberText(v, QLocale::c()), expected);
    }
    EXPECT_GT(fast, values.size() / 4) << "the fast path takes at least every amount of money";
    char buf[40];
    for (const double money : {1500.5, -420.25, 99.99, 1234567.89, -0.01})
        EXPECT_GT(generalNumberAscii(money, buf), 0) << money;
    EXPECT_EQ(generalNumberText(1234.5, QLocale(QLocale::Hungarian)), QStringLiteral("1234,5"));
    EXPECT_EQ(generalNumberText(0.0, QLocale(QLocale::Hungarian)), QStringLiteral("0"));
}

TEST(ValueText, PreparedShortDatesEqualTheLocalesOwn)
{
    const QList<QLocale> locales = {QLocale(QLocale::Hungarian, QLocale::Hungary),
                                    QLocale::c(),
                                    QLocale(QLocale::English, QLocale::UnitedStates),
                                    QLocale(QLocale::German, QLocale::Germany),
                                    QLocale(QLocale::Japanese),
                                    QLocale(QLocale::Arabic, QLocale::Egypt)};
    for (const QLocale &l : locales) {
        const PlainValueFormatter f(l);
        for (QDate d(1998, 12, 25); d < QDate(2001, 2, 3); d = d.addDays(13)) {
            ASSERT_EQ(f.dateText(d), l.toString(d, QLocale::ShortFormat)) << l.name().toStdString();
            ASSERT_EQ(f.dateText(d), l.toString(d, QLocale::ShortFormat))
                << "again, from the last-date cache";
        }
        EXPECT_TRUE(f.dateText(QDate()).isEmpty());
    }
}
