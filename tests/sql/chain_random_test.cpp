// A few thousand random bookings, edits and deletes in two cash boxes; after every step
// every stored balance is compared with balances worked out here from the amounts.
#include "zorvaschema.h"
#include "admin/dbinstall/dbinstall.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

using namespace sqltest;
using namespace zorva;

namespace {

struct ModelEntry {
    int kassza = 0;
    int sorszam = 0;
    QDate datum;
    int kasszatip = 0;
    double amount = 0;  // as given, without sign
    QString szoveg;
};

// The book as the rules say it must be: numbers per box (highest + 1, kept while an entry
// stays in its box), order (datum, number, hid), signs from the cash type, balances as
// running sums from the opening amount.
class Model {
public:
    std::map<int, ModelEntry> entries;
    std::map<int, double> opening{{1, 1000}, {2, 0}};
    std::map<int, int> sign{{1, 1}, {2, -1}, {3, 1}, {4, -1}};

    int nextNumber(int kassza) const
    {
        int top = 0;
        for (const auto &[hid, e] : entries)
            if (e.kassza == kassza)
                top = std::max(top, e.sorszam);
        return top + 1;
    }
    double signedAmount(const ModelEntry &e) const
    {
        const double a = std::round(std::abs(e.amount) * 10000) / 10000;
        return a == 0 ? 0 : a * sign.at(e.kasszatip);
    }
};

struct Expected {
    int hid;
    int sorszam;
    double osszeg, nyito, zaro;
    QString szoveg;
};

QList<Expected> expectedChain(const Model &m, int kassza)
{
    QList<std::pair<int, const ModelEntry *>> box;
    for (const auto &[hid, e] : m.entries)
        if (e.kassza == kassza)
            box.append({hid, &e});
    std::sort(box.begin(), box.end(), [](const auto &a, const auto &b) {
        if (a.second->datum != b.second->datum)
            return a.second->datum < b.second->datum;
        if (a.second->sorszam != b.second->sorszam)
            return a.second->sorszam < b.second->sorszam;
        return a.first < b.first;
    });
    QList<Expected> out;
    double balance = m.opening.at(kassza);
    for (const auto &[hid, e] : box) {
        const double o = m.signedAmount(*e);
        out.append({hid, e->sorszam, o, balance, balance + o, e->szoveg});
        balance += o;
    }
    return out;
}

bool sameAsModel(TmySQLDatabase &db, const Model &m, int kassza, int step)
{
    const QList<Expected> want = expectedChain(m, kassza);
    const QList<QStringList> got =
        rows(db, QStringLiteral("SELECT hid, hazikassza, osszeg, nyito, zaro, szoveg FROM hazikassza "
                                "WHERE kassza = %1 ORDER BY datum, hazikassza, hid")
                     .arg(kassza));
    if (got.size() != want.size()) {
        ADD_FAILURE() << "step " << step << ", box " << kassza << ": " << got.size() << " entries instead of "
                      << want.size();
        return false;
    }
    for (qsizetype i = 0; i < want.size(); ++i) {
        const Expected &w = want[i];
        const QStringList &g = got[i];
        const bool same = g[0].toInt() == w.hid && g[1].toInt() == w.sorszam &&
                          std::abs(g[2].toDouble() - w.osszeg) < 1e-6 &&
                          std::abs(g[3].toDouble() - w.nyito) < 1e-6 &&
                          std::abs(g[4].toDouble() - w.zaro) < 1e-6 && g[5] == w.szoveg;
        if (!same) {
            ADD_FAILURE() << "step " << step << ", box " << kassza << ", position " << i << ": got "
                          << g.join(QLatin1Char(' ')).toStdString() << ", want hid " << w.hid << " #"
                          << w.sorszam << " " << w.osszeg << " " << w.nyito << " " << w.zaro;
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(ChainRandom, ThousandsOfRandomChangesKeepEveryBalanceRight)
{
    REQUIRE_TEST_SERVER();
    ZorvaSchema schema;
    TmySQLDatabase &db = schema.db();
    addBasicMasterData(db);
    Model m;
    QRandomGenerator rnd(20240301);
    const QDate base(2024, 1, 1);
    auto randomDate = [&] { return base.addDays(rnd.bounded(90)); };
    auto randomAmount = [&] {
        const int kind = rnd.bounded(10);
        if (kind == 0)
            return 0.0;
        if (kind < 4)
            return rnd.bounded(100000) / 100.0;  // with fillér
        return double(rnd.bounded(1, 200000));
    };
    auto randomText = [&](int step) {
        static const QStringList words = {QStringLiteral("bolt"), QStringLiteral("Ödön's"),
                                          QStringLiteral("víz\\gáz"), QStringLiteral("tűz")};
        return QStringLiteral("%1 %2").arg(words.at(rnd.bounded(words.size()))).arg(step);
    };

    const int steps = 2500;
    for (int step = 0; step < steps; ++step) {
        const int op = m.entries.empty() ? 0 : rnd.bounded(10);
        if (op < 5) {
            ModelEntry e;
            e.kassza = rnd.bounded(1, 3);
            e.datum = randomDate();
            e.kasszatip = rnd.bounded(1, 5);
            e.amount = randomAmount();
            e.szoveg = randomText(step);
            e.sorszam = m.nextNumber(e.kassza);
            const int hid = book(db, e.datum, e.kassza, e.kasszatip, e.amount, e.szoveg);
            ASSERT_EQ(m.entries.count(hid), 0u);
            m.entries[hid] = e;
        } else {
            auto it = m.entries.begin();
            std::advance(it, rnd.bounded(int(m.entries.size())));
            const int hid = it->first;
            if (op < 7) {
                db.execute(callKasszaDel(hid));
                m.entries.erase(it);
            } else {
                ModelEntry e = it->second;
                switch (rnd.bounded(5)) {
                    case 0:
                        e.amount = randomAmount();
                        break;
                    case 1:
                        e.kasszatip = rnd.bounded(1, 5);
                        break;
                    case 2:
                        e.datum = randomDate();
                        break;
                    case 3:
                        e.szoveg = randomText(step);
                        break;
                    default:
                        e.kassza = 3 - e.kassza;
                        e.amount = randomAmount();
                        break;
                }
                if (e.kassza != it->second.kassza)
                    e.sorszam = m.nextNumber(e.kassza);
                db.execute(callKasszaEdit(hid, e.datum, e.kassza, e.kasszatip, e.amount, e.szoveg, 0));
                it->second = e;
            }
        }
        if (!sameAsModel(db, m, 1, step) || !sameAsModel(db, m, 2, step))
            FAIL() << "the chain went wrong at step " << step;
    }
    EXPECT_TRUE(chainIsIntact(db, 1));
    EXPECT_TRUE(chainIsIntact(db, 2));
    EXPECT_GT(m.entries.size(), 100u);
}
