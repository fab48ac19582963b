// Four connections book, edit and delete in the same cash box at the same time.
#include "zorvaschema.h"
#include "admin/dbinstall/dbinstall.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <set>
#include <thread>

using namespace sqltest;
using namespace zorva;

namespace {

struct WorkerResult {
    std::map<int, QString> alive;  // hid -> text of this worker's entries still there
    std::set<int> deleted;
    QStringList errors;
};

void work(TmySQLDatabase &db, int worker, int operations, WorkerResult &r)
{
    QRandomGenerator rnd(quint32(1000 + worker));
    const QDate base(2024, 6, 1);
    for (int i = 0; i < operations; ++i) {
        try {
            const int op = r.alive.empty() ? 0 : rnd.bounded(10);
            if (op < 6) {
                const QString text = QStringLiteral("w%1 #%2").arg(worker).arg(i);
                // Mostly box 1, where everyone meets; now and then the bank.
                const int kassza = rnd.bounded(8) == 0 ? 2 : 1;
                const int hid = book(db, base.addDays(rnd.bounded(30)), kassza, rnd.bounded(1, 5),
                                     rnd.bounded(1, 5000), text);
                if (r.alive.count(hid) || r.deleted.count(hid))
                    r.errors << QStringLiteral("id %1 came back twice").arg(hid);
                const QString stored =
                    db.queryText(QStringLiteral("SELECT szoveg FROM hazikassza WHERE hid = %1").arg(hid));
                if (stored != text)
                    r.errors << QStringLiteral("LAST_INSERT_ID() %1 names \"%2\", not \"%3\"")
                                    .arg(hid)
                                    .arg(stored, text);
                r.alive[hid] = text;
            } else {
                auto it = r.alive.begin();
                std::advance(it, rnd.bounded(int(r.alive.size())));
                if (op < 8) {
                    db.execute(callKasszaDel(it->first));
                    r.deleted.insert(it->first);
                    r.alive.erase(it);
                } else {
                    // Edits move entries in time and between the two boxes, so that two boxes
                    // are locked at once and deadlocks have their chance.
                    const QString text = it->second + QStringLiteral(" e");
                    db.execute(callKasszaEdit(it->first, base.addDays(rnd.bounded(30)), rnd.bounded(1, 3),
                                              rnd.bounded(1, 5), rnd.bounded(1, 5000), text, 0));
                    it->second = text;
                }
            }
        } catch (const EmySQLDatabaseError &e) {
            r.errors << e.message();
        }
    }
}

}  // namespace

TEST(Concurrency, FourWritersOfOneCashBoxLeaveEveryChainIntact)
{
    REQUIRE_TEST_SERVER();
    ZorvaSchema schema;
    addBasicMasterData(schema.db());
    constexpr int workers = 4;
    constexpr int operations = 150;
    // Connections are made here: the client library's first set-up is not thread-safe.
    std::vector<std::unique_ptr<TmySQLDatabase>> connections;
    for (int w = 0; w < workers; ++w)
        connections.push_back(schema.connect());
    std::vector<WorkerResult> results(workers);
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w)
        threads.emplace_back(work, std::ref(*connections[size_t(w)]), w, operations,
                             std::ref(results[size_t(w)]));
    for (std::thread &t : threads)
        t.join();

    TmySQLDatabase &db = schema.db();
    size_t expected = 0;
    for (int w = 0; w < workers; ++w) {
        const WorkerResult &r = results[size_t(w)];
        EXPECT_TRUE(r.errors.isEmpty())
            << "worker " << w << ": " << r.errors.join(QStringLiteral("; ")).toStdString();
        for (const auto &[hid, text] : r.alive)
            EXPECT_EQ(db.queryText(QStringLiteral("SELECT szoveg FROM hazikassza WHERE hid = %1").arg(hid)),
                      text)
                << "entry " << hid << " of worker " << w;
        for (int hid : r.deleted)
            EXPECT_EQ(db.queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza WHERE hid = %1").arg(hid)),
                      0);
        expected += r.alive.size();
    }
    EXPECT_EQ(size_t(db.queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza"))), expected);
    EXPECT_TRUE(chainIsIntact(db, 1));
    EXPECT_TRUE(chainIsIntact(db, 2));
    EXPECT_EQ(db.queryInt(QStringLiteral("SELECT COUNT(*) FROM (SELECT kassza, hazikassza FROM hazikassza "
                                         "GROUP BY kassza, hazikassza HAVING COUNT(*) > 1) d")),
              0);
}
