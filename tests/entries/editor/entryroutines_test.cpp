// The booking routines on the main connection: what is stored, today's bookings, and the
// new entry's id when several users book at the same moment.
#include "editorfixture.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/dbhelpers/proccalls.h"
#include "entries/editor/entryroutines.h"

using namespace zorva;
using namespace editortest;

TEST_F(EditorTest, RoutinesPassEveryValueToItsOwnColumn)
{
    const int a = InsertEntry(2, Ajandek, Szabo, QStringLiteral("egy"), 75.5, QDate(2023, 12, 31));
    const int b = InsertEntryToday(1, Rezsi, Kovacs, QStringLiteral("kettő"), 1234.25);
    EXPECT_EQ(b, a + 1);

    StoredEntry e = stored(a);
    EXPECT_EQ(e.kassza, 2);
    EXPECT_EQ(e.kasszatip, Ajandek);
    EXPECT_EQ(e.ugyfel, Szabo);
    EXPECT_EQ(e.datum, QDate(2023, 12, 31));
    EXPECT_EQ(e.osszeg, 75.5);
    EXPECT_EQ(e.szoveg, QStringLiteral("egy"));

    e = stored(b);
    EXPECT_EQ(e.kassza, 1);
    EXPECT_EQ(e.kasszatip, Rezsi);
    EXPECT_EQ(e.ugyfel, Kovacs);
    EXPECT_EQ(e.datum, QDate::fromString(db().queryText(QStringLiteral("SELECT CURDATE()")), Qt::ISODate));
    EXPECT_EQ(e.osszeg, -1234.25);

    UpdateEntry(a, 1, Elelmiszer, QStringLiteral("három'"), 10, Kovacs, QDate(2024, 1, 2));
    e = stored(a);
    EXPECT_EQ(e.kassza, 1);
    EXPECT_EQ(e.kasszatip, Elelmiszer);
    EXPECT_EQ(e.ugyfel, Kovacs);
    EXPECT_EQ(e.datum, QDate(2024, 1, 2));
    EXPECT_EQ(e.osszeg, -10);
    EXPECT_EQ(e.szoveg, QStringLiteral("három'"));
    EXPECT_TRUE(sqltest::chainIsIntact(db(), 1));
    EXPECT_TRUE(sqltest::chainIsIntact(db(), 2));
}

TEST_F(EditorTest, EachConnectionGetsBackItsOwnNewEntry)
{
    std::unique_ptr<TmySQLDatabase> mine = schema->connect();
    std::unique_ptr<TmySQLDatabase> theirs = schema->connect();
    for (int i = 0; i < 20; ++i) {
        // Interleaved: both calls first, then both id reads, with the texts the routines send.
        mine->execute(callKasszaIns(QDate(2024, 5, 3), 1, Fizetes, 5, QStringLiteral("A%1").arg(i), 0));
        theirs->execute(callKasszaIns(QDate(2024, 5, 1), 2, Rezsi, 7, QStringLiteral("B%1").arg(i), 0));
        const int mineNew = int(mine->queryInt(newEntryIdQuery(), 0));
        const int theirsNew = int(theirs->queryInt(newEntryIdQuery(), 0));
        EXPECT_EQ(stored(mineNew).szoveg, QStringLiteral("A%1").arg(i));
        EXPECT_EQ(stored(theirsNew).szoveg, QStringLiteral("B%1").arg(i));
        EXPECT_EQ(mine->queryInt(QStringLiteral("SELECT MAX(hid) FROM hazikassza;"), 0), theirsNew)
            << "the highest hid names the other user's entry";

        // The routine itself on each connection, the other one booking in between.
        setMainConnection(mine.get());
        const int a =
            InsertEntry(1, Elelmiszer, 0, QStringLiteral("mienk %1").arg(i), 10 + i, QDate(2024, 5, 2));
        theirs->execute(callKasszaIns(QDate(2024, 5, 1), 2, Fizetes, 1, QStringLiteral("övék"), 0));
        setMainConnection(theirs.get());
        const int b = InsertEntryToday(2, Fizetes, Szabo, QStringLiteral("övék %1").arg(i), 3);
        mine->execute(callKasszaIns(QDate(2024, 5, 1), 1, Fizetes, 1, QStringLiteral("mienk"), 0));
        EXPECT_EQ(stored(a).szoveg, QStringLiteral("mienk %1").arg(i));
        EXPECT_EQ(stored(b).szoveg, QStringLiteral("övék %1").arg(i));
    }
    setMainConnection(&db());
    EXPECT_TRUE(sqltest::chainIsIntact(db(), 1));
    EXPECT_TRUE(sqltest::chainIsIntact(db(), 2));
}
