// What the chart tests share: the basic master data, a cash type with an apostrophe in
// its name, and entries in two cash boxes over four months (December 2023 to March 2024).
#pragma once

#include "masterdata/masterdatafixture.h"

#include <QDate>

namespace charttest {

struct Entry {
    QDate datum;
    int kassza;
    int kasszatip;
    double osszeg;  // as typed: the cash type gives the sign
    int sign;
};

// Types: 1 Fizetés +, 2 Élelmiszer -, 3 Ajándék +, 4 Rezsi -, 5 "Kati's bolt" -.
inline const QList<Entry> &entries()
{
    static const QList<Entry> e = {
        {QDate(2023, 12, 31), 1, 1, 1000, 1},   {QDate(2024, 1, 1), 1, 1, 250000, 1},
        {QDate(2024, 1, 5), 2, 2, 12345.5, -1}, {QDate(2024, 1, 20), 1, 4, 30000, -1},
        {QDate(2024, 2, 3), 2, 3, 5000, 1},     {QDate(2024, 2, 10), 1, 2, 8000, -1},
        {QDate(2024, 2, 29), 1, 5, 1500, -1},   {QDate(2024, 2, 29), 2, 1, 260000, 1},
        {QDate(2024, 3, 1), 1, 2, 700, -1},
    };
    return e;
}

class ChartTest : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        if (HasFatalFailure())
            return;
        db().execute(
            "INSERT INTO kasszatip (kasszatip, kasszatip_nev, szorzo) VALUES (5, 'Kati''s bolt', -1)");
        for (const Entry &e : entries())
            sqltest::book(db(), e.datum, e.kassza, e.kasszatip, e.osszeg);
    }

    // Sums of the fixture's entries of a sign (0: both) with a condition on the entry.
    static double sumOf(const std::function<bool(const Entry &)> &take, int sign = 0)
    {
        double s = 0;
        for (const Entry &e : entries())
            if ((sign == 0 || e.sign == sign) && take(e))
                s += e.sign * e.osszeg;
        return s;
    }
    static QString periodOf(const Entry &e) { return e.datum.toString(QStringLiteral("yyyyMM")); }
};

}  // namespace charttest
