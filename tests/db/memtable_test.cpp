// The dataset behaviour every kind shares, seen through the in-memory table: cursor, editing,
// moves that post or cancel, locate, sorting, bookmarks, calculated and lookup columns.
#include "qtprint.h"
#include "db/memtable.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// Rows (nev, kor) in this order.
void fill(TkbmMemTable &t, const QList<QPair<QString, int>> &rows)
{
    for (const auto &r : rows) {
        t.append();
        t.fieldByName(QStringLiteral("nev")).setAsString(r.first);
        t.fieldByName(QStringLiteral("kor")).setAsInteger(r.second);
        t.post();
    }
}

class MemTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.addFieldDef(QStringLiteral("nev"), TFieldType::ftString, 30);
        t.addFieldDef(QStringLiteral("kor"), TFieldType::ftInteger);
        t.addFieldDef(QStringLiteral("datum"), TFieldType::ftDate);
        t.createTable();
    }
    QStringList names()
    {
        QStringList out;
        for (t.first(); !t.eof(); t.next())
            out << t.fieldByName(QStringLiteral("nev")).asString();
        return out;
    }
    TkbmMemTable t;
};

}  // namespace

TEST_F(MemTable, WalkingSetsEofAndBofAndRecordNumbers)
{
    EXPECT_TRUE(t.isEmpty());
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recNo(), 0);
    fill(t, {{"a", 1}, {"b", 2}, {"c", 3}});
    t.first();
    EXPECT_TRUE(t.bof());
    EXPECT_FALSE(t.eof());
    t.next();
    t.next();
    EXPECT_EQ(t.recNo(), 3);
    EXPECT_FALSE(t.eof());
    t.next();  // past the last row: stays on it
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.recNo(), 3);
    EXPECT_EQ(t.moveBy(-5), -2);
    EXPECT_TRUE(t.bof());
    t.setRecNo(99);
    EXPECT_EQ(t.recNo(), 3);
}

TEST_F(MemTable, InsertGoesBeforeTheCurrentRowAppendAtTheEnd)
{
    fill(t, {{"a", 1}, {"c", 3}});
    t.first();
    t.next();
    t.insert();
    EXPECT_EQ(t.state(), TDataSetState::dsInsert);
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_TRUE(t.fieldByName(QStringLiteral("nev")).isNull());
    t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("b"));
    t.post();
    EXPECT_EQ(names(), QStringList({"a", "b", "c"}));
}

TEST_F(MemTable, CancelDropsAnInsertedRowAndRestoresAnEditedOne)
{
    fill(t, {{"a", 1}, {"b", 2}});
    t.last();
    t.append();
    t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("x"));
    t.cancel();
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_EQ(t.recNo(), 2);

    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("changed"));
    EXPECT_EQ(t.fieldByName(QStringLiteral("nev")).asString(), QStringLiteral("changed"));
    t.cancel();
    EXPECT_EQ(t.fieldByName(QStringLiteral("nev")).asString(), QStringLiteral("a"));
    EXPECT_EQ(t.state(), TDataSetState::dsBrowse);
}

TEST_F(MemTable, MovingAwayPostsAChangedRowAndCancelsAnUntouchedOne)
{
    fill(t, {{"a", 1}, {"b", 2}});
    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("kor")).setAsInteger(10);
    t.next();  // posts
    EXPECT_EQ(t.state(), TDataSetState::dsBrowse);
    t.first();
    EXPECT_EQ(t.fieldByName(QStringLiteral("kor")).asInteger(), 10);

    t.append();  // nothing written into it
    t.first();   // cancels
    EXPECT_EQ(t.recordCount(), 2);

    t.append();
    t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("c"));
    EXPECT_TRUE(t.locate(QStringLiteral("nev"), QStringLiteral("a")));  // posts first
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.recNo(), 1);
}

TEST_F(MemTable, DeleteLeavesTheCursorOnTheFollowingOrTheNewLastRow)
{
    fill(t, {{"a", 1}, {"b", 2}, {"c", 3}});
    t.first();
    t.next();
    t.deleteRecord();
    EXPECT_EQ(t.fieldByName(QStringLiteral("nev")).asString(), QStringLiteral("c"));
    t.deleteRecord();
    EXPECT_EQ(t.fieldByName(QStringLiteral("nev")).asString(), QStringLiteral("a"));
    t.deleteRecord();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_THROW(t.deleteRecord(), EmySQLDatabaseError);
}

TEST_F(MemTable, WritesNeedEditStateAndValuesOfTheColumnsType)
{
    fill(t, {{"a", 1}});
    EXPECT_THROW(t.fieldByName(QStringLiteral("kor")).setAsInteger(5), EmySQLDatabaseError);
    t.edit();
    try {
        t.fieldByName(QStringLiteral("kor")).setAsString(QStringLiteral("tizenkettő"));
        FAIL() << "no error";
    } catch (const EmySQLDatabaseError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("kor"))) << e.what();
    }
    // The bad value was refused, nothing else was lost.
    EXPECT_EQ(t.state(), TDataSetState::dsEdit);
    EXPECT_EQ(t.fieldByName(QStringLiteral("kor")).asInteger(), 1);
    t.fieldByName(QStringLiteral("kor")).setAsString(QStringLiteral(" 12 "));
    t.fieldByName(QStringLiteral("datum")).setAsString(QStringLiteral("2013.02.28."));
    t.post();
    EXPECT_EQ(t.fieldByName(QStringLiteral("kor")).asInteger(), 12);
    EXPECT_EQ(t.fieldByName(QStringLiteral("datum")).asDate(), QDate(2013, 2, 28));
    EXPECT_EQ(t.fieldByName(QStringLiteral("datum")).asString(), QStringLiteral("2013.02.28."));
    EXPECT_EQ(t.fieldByName(QStringLiteral("KOR")).fieldName(), QStringLiteral("kor"));
    EXPECT_THROW(t.fieldByName(QStringLiteral("nincs")), EmySQLDatabaseError);
}

TEST_F(MemTable, LocateWithItsThreeOptions)
{
    fill(t, {{"Kiss", 1}, {"Kovács", 2}, {"kovács", 3}, {"Nagy", 4}});
    t.last();
    EXPECT_FALSE(t.locate(QStringLiteral("nev"), QStringLiteral("kovacs")));
    EXPECT_EQ(t.recNo(), 4);  // not found: the cursor stays
    EXPECT_TRUE(t.locate(QStringLiteral("nev"), QStringLiteral("kovács")));
    EXPECT_EQ(t.recNo(), 3);  // exact match is case-sensitive
    EXPECT_TRUE(t.locate(QStringLiteral("nev"), QStringLiteral("KOVÁCS"), loCaseInsensitive));
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_TRUE(t.locate(QStringLiteral("nev"), QStringLiteral("kov"), loCaseInsensitive | loPartialKey));
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_FALSE(t.locate(QStringLiteral("nev"), QStringLiteral("kov"), loCaseInsensitive));
    EXPECT_TRUE(t.locate(QStringLiteral("kor"), 4));
    EXPECT_EQ(t.fieldByName(QStringLiteral("nev")).asString(), QStringLiteral("Nagy"));
    EXPECT_THROW(t.locate(QStringLiteral("nincs"), 1), EmySQLDatabaseError);
}

TEST_F(MemTable, SortsBySortFieldsAndOnANamedColumnKeepingTheCurrentRow)
{
    fill(t, {{"Ödön", 2}, {"ádám", 2}, {"Zoltán", 1}, {"Olga", 2}, {"Béla", 1}});
    t.sortOn(QStringLiteral("nev"));
    // Accented vowels sort with their plain letters, ö after o, case does not split the list.
    EXPECT_EQ(names(), QStringList({"ádám", "Béla", "Olga", "Ödön", "Zoltán"}));
    ASSERT_TRUE(t.locate(QStringLiteral("nev"), QStringLiteral("Olga")));
    t.setSortFields(QStringLiteral("kor;nev"));
    t.sort();
    EXPECT_EQ(t.fieldByName(QStringLiteral("nev")).asString(), QStringLiteral("Olga"));
    EXPECT_EQ(names(), QStringList({"Béla", "Zoltán", "ádám", "Olga", "Ödön"}));
    t.setSortFields(QStringLiteral("nincs"));
    EXPECT_THROW(t.sort(), EmySQLDatabaseError);
}

TEST_F(MemTable, BookmarksReturnToTheirRowAndDieWithIt)
{
    fill(t, {{"a", 1}, {"b", 2}, {"c", 3}});
    t.setRecNo(2);
    const TBookmark mark = t.bookmark();
    t.last();
    t.gotoBookmark(mark);
    EXPECT_EQ(t.fieldByName(QStringLiteral("nev")).asString(), QStringLiteral("b"));
    // Still valid after other rows moved around it.
    t.first();
    t.deleteRecord();
    EXPECT_TRUE(t.bookmarkValid(mark));
    t.gotoBookmark(mark);
    EXPECT_EQ(t.recNo(), 1);
    t.deleteRecord();
    EXPECT_FALSE(t.bookmarkValid(mark));
    EXPECT_THROW(t.gotoBookmark(mark), EmySQLDatabaseError);
    t.freeBookmark(mark);
    const TBookmark other = t.bookmark();
    t.close();
    t.open();
    EXPECT_FALSE(t.bookmarkValid(other));
}

TEST(MemTableColumns, CalculatedAndLookupColumnsFollowTheirRows)
{
    TkbmMemTable types;
    types.addFieldDef(QStringLiteral("kasszatip"), TFieldType::ftInteger);
    types.addFieldDef(QStringLiteral("kasszatip_nev"), TFieldType::ftString, 25);
    types.open();
    for (const auto &r : QList<QPair<int, QString>>{{1, "Fizetés"}, {2, "Élelmiszer"}}) {
        types.append();
        types.fieldByName(QStringLiteral("kasszatip")).setAsInteger(r.first);
        types.fieldByName(QStringLiteral("kasszatip_nev")).setAsString(r.second);
        types.post();
    }

    TkbmMemTable fix;
    fix.addFieldDef(QStringLiteral("kasszatip"), TFieldType::ftInteger);
    fix.addFieldDef(QStringLiteral("bevetel"), TFieldType::ftFloat);
    fix.addFieldDef(QStringLiteral("kiadas"), TFieldType::ftFloat);
    fix.addLookupField(QStringLiteral("kasszatip_nev"), TFieldType::ftString, 25, QStringLiteral("kasszatip"),
                       &types, QStringLiteral("kasszatip"), QStringLiteral("kasszatip_nev"));
    fix.addCalculatedField(QStringLiteral("egyenleg"), TFieldType::ftFloat);
    int calls = 0;
    fix.onCalcFields = [&calls](TDataSet &ds) {
        ++calls;
        ds.fieldByName(QStringLiteral("egyenleg"))
            .setAsFloat(ds.fieldByName(QStringLiteral("bevetel")).asFloat() +
                        ds.fieldByName(QStringLiteral("kiadas")).asFloat());
    };
    fix.open();
    fix.append();
    fix.fieldByName(QStringLiteral("kasszatip")).setAsInteger(2);
    fix.fieldByName(QStringLiteral("bevetel")).setAsFloat(100);
    fix.fieldByName(QStringLiteral("kiadas")).setAsFloat(-30.5);
    // Recomputed while the row is being filled, not only after posting.
    EXPECT_DOUBLE_EQ(fix.fieldByName(QStringLiteral("egyenleg")).asFloat(), 69.5);
    EXPECT_EQ(fix.fieldByName(QStringLiteral("kasszatip_nev")).asString(), QStringLiteral("Élelmiszer"));
    fix.post();
    EXPECT_DOUBLE_EQ(fix.fieldByName(QStringLiteral("egyenleg")).asFloat(), 69.5);
    EXPECT_GT(calls, 0);

    // Read-only: the lookup column, and the calculated one outside its callback.
    fix.edit();
    EXPECT_THROW(fix.fieldByName(QStringLiteral("kasszatip_nev")).setAsString(QStringLiteral("x")),
                 EmySQLDatabaseError);
    EXPECT_THROW(fix.fieldByName(QStringLiteral("egyenleg")).setAsFloat(1), EmySQLDatabaseError);
    fix.fieldByName(QStringLiteral("kasszatip")).setAsInteger(7);  // no such type
    fix.post();
    EXPECT_TRUE(fix.fieldByName(QStringLiteral("kasszatip_nev")).isNull());
    EXPECT_EQ(fix.fieldNames(), QStringList({"kasszatip", "bevetel", "kiadas", "kasszatip_nev", "egyenleg"}));
}

TEST_F(MemTable, DisabledControlsHearNothingUntilEnabledAgain)
{
    fill(t, {{"a", 1}, {"b", 2}});
    QSignalSpy resets(&t, &TDataSet::rowsReset);
    QSignalSpy changes(&t, &TDataSet::rowChanged);
    QSignalSpy enabled(&t, &TDataSet::controlsEnabled);
    t.disableControls();
    t.disableControls();
    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("kor")).setAsInteger(5);
    t.post();
    t.append();
    t.cancel();
    EXPECT_EQ(resets.count() + changes.count(), 0);
    t.enableControls();
    EXPECT_TRUE(t.controlsDisabled());
    EXPECT_EQ(enabled.count(), 0);
    t.enableControls();
    EXPECT_FALSE(t.controlsDisabled());
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(enabled.count(), 1);
}

TEST_F(MemTable, FieldsKeepTheirLabelsAndFormatsOverCloseAndOpen)
{
    t.fieldByName(QStringLiteral("kor")).setDisplayLabel(QStringLiteral("Kor"));
    t.fieldByName(QStringLiteral("kor")).setDisplayFormat(QStringLiteral("0000"));
    fill(t, {{"a", 7}});
    EXPECT_EQ(t.fieldByName(QStringLiteral("kor")).displayText(), QStringLiteral("0007"));
    TField *before = &t.fieldByName(QStringLiteral("kor"));
    t.close();
    EXPECT_TRUE(t.fieldByName(QStringLiteral("kor")).isNull());
    t.open();
    EXPECT_EQ(&t.fieldByName(QStringLiteral("kor")), before);
    EXPECT_EQ(t.fieldByName(QStringLiteral("kor")).displayLabel(), QStringLiteral("Kor"));
    fill(t, {{"b", 1}});
    t.emptyTable();
    EXPECT_TRUE(t.isEmpty());
}

TEST(DataSetSignals, ScrollsReachListenersAndDestroyingEitherSideNeverBlocks)
{
    // Qt tells a sender about a lost connection while holding the receiver's connection
    // lock, one of a pool chosen by address; a dataset that asked for its receivers there
    // hung whenever both objects fell on the same lock.  Many pairs at different distances
    // make that certain to happen here.
    constexpr int kPairs = 1000;
    std::vector<std::unique_ptr<TkbmMemTable>> tables;
    std::vector<std::unique_ptr<QObject>> listeners;
    std::vector<int> scrolls(kPairs, 0);
    std::vector<std::unique_ptr<char[]>> padding;  // varies the distance between the two
    for (int i = 0; i < kPairs; ++i) {
        auto &t = tables.emplace_back(std::make_unique<TkbmMemTable>());
        t->addFieldDef(QStringLiteral("n"), TFieldType::ftInteger);
        t->open();
        for (int r = 0; r < 2; ++r) {
            t->append();
            t->post();
        }
        padding.push_back(std::make_unique<char[]>(size_t(16 * (i % 131 + 1))));
        auto &listener = listeners.emplace_back(std::make_unique<QObject>());
        QObject::connect(t.get(), &TDataSet::afterScroll, listener.get(),
                         [&scrolls, i] { ++scrolls[size_t(i)]; });
        t->first();
        ASSERT_GT(scrolls[size_t(i)], 0);
    }
    for (int i = 0; i < kPairs; ++i) {
        if (i % 2 == 0) {
            listeners[size_t(i)].reset();
            scrolls[size_t(i)] = 0;
            tables[size_t(i)]->last();
            ASSERT_EQ(scrolls[size_t(i)], 0);  // nobody listens any more
        } else {
            tables[size_t(i)].reset();
        }
    }
}
