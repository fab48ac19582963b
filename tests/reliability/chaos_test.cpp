// The server goes away in the middle of a session: restarted, the connection killed from
// another session, stopped for longer than anyone waits, stopped during a backup, and a
// procedure's session killed halfway through its work.  Each test has a server of its own.
#include "privateserver.h"
#include "admin/backup/backup.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/dbhelpers/proccalls.h"
#include "db/database.h"
#include "entries/editor/entryroutines.h"
#include "sql/zorvaschema.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

using namespace sqltest;
using namespace zorva;

namespace {

class Chaos : public ::testing::Test {
protected:
    void SetUp() override
    {
        schema = std::make_unique<ZorvaSchema>();
        addBasicMasterData(schema->db());
        conn = schema->connect();
        setMainConnection(conn.get());
    }
    void TearDown() override
    {
        setMainConnection(nullptr);
        conn.reset();
        server.start();  // does nothing when it runs
        schema.reset();
    }
    int entries() { return int(schema->db().queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza"))); }

    PrivateServer server;
    std::unique_ptr<ZorvaSchema> schema;
    std::unique_ptr<TmySQLDatabase> conn;  // the program's main connection
};

const QString kUnreachable = QStringLiteral("Az adatbázis nem érhető el");

}  // namespace

TEST_F(Chaos, AfterEachWayOfLosingTheServerTheNextActionReconnectsOrSaysSoInHungarian)
{
    enum class Loss { Restart, Kill, LongStop };
    const struct {
        const char *what;
        Loss loss;
    } cases[] = {{"restart", Loss::Restart}, {"KILL CONNECTION", Loss::Kill}, {"long stop", Loss::LongStop}};
    int booked = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_GT(InsertEntry(1, 1, 0, QStringLiteral("előtte"), 100, QDate(2024, 5, 1)), 0);
        ++booked;
        const unsigned long before = conn->threadId();
        switch (c.loss) {
            case Loss::Restart:
                server.stop();
                server.start();
                break;
            case Loss::Kill:
                testsupport::connect()->execute(QStringLiteral("KILL CONNECTION %1").arg(before));
                break;
            case Loss::LongStop: {
                server.stop();
                // Every action while it is away is refused with the same clear sentence, and
                // the connection stays ready for the server's return.
                for (int attempt = 0; attempt < 3; ++attempt) {
                    const QString error = errorOf(
                        [] { InsertEntry(1, 2, 0, QStringLiteral("közben"), 50, QDate(2024, 5, 2)); });
                    EXPECT_TRUE(error.startsWith(kUnreachable)) << error.toStdString();
                    EXPECT_TRUE(
                        errorOf([] { QueryInt(QStringLiteral("SELECT 1"), 0); }).startsWith(kUnreachable));
                }
                QThread::msleep(1500);
                server.start();
                break;
            }
        }
        // The next action works on a new session in latin2 with the Hungarian collation.
        const QString text = QStringLiteral("Árvíztűrő tükörfúrógép");
        const int hid = InsertEntry(1, 2, 1, text, 250, QDate(2024, 5, 3));
        ++booked;
        EXPECT_NE(conn->threadId(), before);
        EXPECT_EQ(QueryText(QStringLiteral("SELECT @@collation_connection"), QString()),
                  QStringLiteral("latin2_hungarian_ci"));
        EXPECT_EQ(QueryText(QStringLiteral("SELECT @@character_set_client"), QString()),
                  QStringLiteral("latin2"));
        EXPECT_EQ(QueryText(QStringLiteral("SELECT HEX(szoveg) FROM hazikassza WHERE hid = %1").arg(hid),
                            QString()),
                  QStringLiteral("C17276ED7A74FB72F52074FC6BF67266FA72F367E970"));
        EXPECT_EQ(QueryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza WHERE szoveg = 'ÁRVÍZTŰRŐ "
                                          "TÜKÖRFÚRÓGÉP'"),
                           0),
                  booked / 2);
    }
    EXPECT_EQ(entries(), booked);  // nothing booked while the server was away
    EXPECT_TRUE(chainIsIntact(schema->db(), 1));
}

TEST_F(Chaos, AProcedureKilledHalfwayLeavesItsBoxIntact)
{
    TmySQLDatabase &db = schema->db();
    const int first = book(db, QDate(2024, 6, 10), 1, 1, 500, QStringLiteral("első"));
    book(db, QDate(2024, 6, 20), 1, 2, 120, QStringLiteral("második"));
    const int last = book(db, QDate(2024, 6, 25), 1, 2, 80, QStringLiteral("harmadik"));
    db.execute(
        QStringLiteral("INSERT INTO csekk (csekk, csekk_nev) VALUES (1, 'Gáz'); INSERT INTO csekkfizet "
                       "(csekkfizet, csekk, idoszak, osszeg, fizetve) VALUES (1, 1, '202406', 900, 'N')"));
    const QList<QStringList> chainBefore =
        rows(db, QStringLiteral("SELECT hid, nyito, zaro FROM hazikassza ORDER BY hid"));

    // The shift of the later entries comes after the entry itself was written or removed.
    const QString shift = QStringLiteral("UPDATE hazikassza%SET nyito = ROUND(nyito +");
    const struct {
        const char *what;
        QString call;
        QString lockedRow;  // what another session holds, so that the call waits there
        QString waitsAt;    // the statement of the procedure that waits for it
    } cases[] = {
        {"booking before later entries", callKasszaIns(QDate(2024, 6, 5), 1, 1, 40, QStringLiteral("új"), 0),
         QStringLiteral("SELECT * FROM hazikassza WHERE hid = %1 FOR UPDATE").arg(last), shift},
        {"edit that moves the chain",
         callKasszaEdit(first, QDate(2024, 6, 10), 1, 1, 700, QStringLiteral("első"), 0),
         QStringLiteral("SELECT * FROM hazikassza WHERE hid = %1 FOR UPDATE").arg(last), shift},
        {"delete", callKasszaDel(first),
         QStringLiteral("SELECT * FROM hazikassza WHERE hid = %1 FOR UPDATE").arg(last), shift},
        {"bill payment", callCsekkFizet(1),
         QStringLiteral("SELECT * FROM csekkfizet WHERE csekkfizet = 1 FOR UPDATE"),
         QStringLiteral("UPDATE csekkfizet")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto holder = schema->connect();
        holder->execute(QStringLiteral("START TRANSACTION"));
        holder->execute(c.lockedRow);
        auto victim = schema->connect();
        const unsigned long victimId = victim->threadId();
        QString error;
        std::thread call([&] { error = errorOf([&] { victim->execute(c.call); }); });

        // Wait until the call stands at the statement that needs the held row, then end its
        // session.
        auto watcher = testsupport::connect();
        bool waiting = false;
        for (int i = 0; i < 500 && !waiting; ++i) {
            waiting =
                watcher->queryInt(QStringLiteral("SELECT COUNT(*) FROM information_schema.processlist WHERE "
                                                 "id = %1 AND info LIKE '%2%'")
                                      .arg(victimId)
                                      .arg(c.waitsAt),
                                  0) > 0;
            QThread::msleep(20);
        }
        EXPECT_TRUE(waiting) << "the call never reached " << c.waitsAt.toStdString();
        watcher->execute(QStringLiteral("KILL CONNECTION %1").arg(victimId));
        call.join();
        holder->execute(QStringLiteral("COMMIT"));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(error.startsWith(QStringLiteral("Megszakadt a kapcsolat")) ||
                    error.startsWith(QStringLiteral("A kiszolgáló megszakította")))
            << error.toStdString();

        EXPECT_EQ(rows(db, QStringLiteral("SELECT hid, nyito, zaro FROM hazikassza ORDER BY hid")),
                  chainBefore);
        EXPECT_EQ(db.queryText(QStringLiteral("SELECT fizetve FROM csekkfizet WHERE csekkfizet = 1")),
                  QStringLiteral("N"));
        EXPECT_TRUE(chainIsIntact(db, 1));
        // The killed session's connection goes on with the next statement.
        EXPECT_EQ(victim->queryText(QStringLiteral("SELECT @@collation_connection")),
                  QStringLiteral("latin2_hungarian_ci"));
    }
}

TEST_F(Chaos, ABackupCutShortByAServerStopKeepsThePreviousFile)
{
    TmySQLDatabase &db = schema->db();
    for (int i = 0; i < 30; ++i)
        book(db, QDate(2024, 7, 1).addDays(i), 1, 1 + i % 4, 10 + i, QStringLiteral("sor %1").arg(i));
    testsupport::TempFolder folder;
    int files = 0;
    for (const QString &name : {QStringLiteral("mentes.sql"), QStringLiteral("archiv.zip")}) {
        SCOPED_TRACE(name.toStdString());
        const QString file = folder.file(name);
        ASSERT_TRUE(WriteScriptBackup(*conn, file));
        ++files;
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        ASSERT_FALSE(before.isEmpty());

        bool stopped = false;
        const QString error = errorOf([&] {
            WriteScriptBackup(*conn, file, nullptr, [&](const DumpProgress &p) {
                if (p.table == 3 && !stopped) {
                    stopped = true;
                    server.stop();
                }
            });
        });
        EXPECT_TRUE(stopped);
        EXPECT_TRUE(error.startsWith(kUnreachable) || error.startsWith(QStringLiteral("Megszakadt")))
            << error.toStdString();
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before);
        f.close();
        // No half-written file is left beside it.
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), qsizetype(files))
            << QDir(folder.path()).entryList(QDir::Files).join(u' ').toStdString();
        server.start();
    }
}
