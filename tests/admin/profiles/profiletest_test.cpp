// "Teszt" of the profile list against the test server: the version column, a refused
// connection, and the offers to create, fill and upgrade a database.
#include "profilefixture.h"
#include "usertables.h"
#include "zorvaschema.h"

#include "dbinstall.h"
#include "schemascripts.h"

#include <QAction>
#include <QFile>
#include <QUuid>

using namespace zorva;

namespace {

class ProfileTest : public profiletest::ProfileListTest {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        ProfileListTest::SetUp();
    }
    // The window on one profile of `schema`, tested with the queued answers.
    QString testOnce(const QString &schema, const QList<QMessageBox::StandardButton> &answers = {},
                     const QString &password = QString())
    {
        QString profile = testsupport::profileOf(schema, "Próba");
        if (!password.isNull()) {
            QStringList f = profile.split(';');
            f[4] = password;
            profile = f.join(';');
        }
        store({{1, profile}});
        auto w = openWindow();
        for (auto a : answers)
            MessageBox::setNextAnswer(a);
        w->action("aTeszt")->trigger();
        EXPECT_FALSE(w->connection().connected());
        const QString version = column(*w, "verzio").value(0);
        w->saveProfiles();
        return version;
    }
    static QString maxVersion(TmySQLDatabase &db) { return db.queryText("SELECT MAX(verzio) FROM verzio;"); }
};

TEST_F(ProfileTest, FillsTheVersionWhichIsForgottenOnReopening)
{
    sqltest::ZorvaSchema schema;
    EXPECT_EQ(testOnce(schema.name()), maxVersion(schema.db()));
    EXPECT_EQ(shownTexts(), QStringList{"Kapcsolat vizsgálata sikeres"});
    EXPECT_EQ(column(*openWindow(), "verzio"), QStringList{""});
    // The stored profile holds no version.
    EXPECT_EQ(storedKeys().value(0).count(';'), 6);
}

TEST_F(ProfileTest, RefusedConnectionShowsTheErrorOnly)
{
    sqltest::ZorvaSchema schema;
    EXPECT_EQ(testOnce(schema.name(), {}, "rossz-jelszo"), "");
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_TRUE(MessageBox::log().at(0).text.startsWith("Hiba: "));
    EXPECT_EQ(MessageBox::log().at(0).kind, MessageBox::Error);
}

TEST_F(ProfileTest, MissingDatabaseIsCreatedOnlyWhenTheUserSaysYes)
{
    const QString name = QStringLiteral("zorva_uj_") + QUuid::createUuid().toString(QUuid::Id128).left(12);
    auto server = testsupport::connect();
    const auto exists = [&] {
        return server->queryInt(
                   QStringLiteral("SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME='%1'")
                       .arg(name)) == 1;
    };

    EXPECT_EQ(testOnce(name, {QMessageBox::No}), "");
    EXPECT_FALSE(exists());
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_TRUE(shownTexts().at(0).contains(name));

    MessageBox::clearLog();
    const QString version = testOnce(name, {QMessageBox::Yes});
    EXPECT_TRUE(exists());
    EXPECT_EQ(version.toInt(), currentSchemaVersion());
    ASSERT_EQ(shownTexts().size(), 3);
    EXPECT_EQ(shownTexts().at(1), QStringLiteral("A(z) \"%1\" adatbázis elkészült (%2. változat).")
                                      .arg(name)
                                      .arg(currentSchemaVersion()));
    EXPECT_EQ(shownTexts().at(2), "Kapcsolat vizsgálata sikeres");
    server->execute(QStringLiteral("DROP DATABASE `%1`").arg(name));
}

TEST_F(ProfileTest, AnEmptyDatabaseIsFilledAfterAskingAForeignOneLeftAlone)
{
    // A database of the newest version gets no offer (the first test sees only the success).
    testsupport::ScratchSchema empty;
    MessageBox::clearLog();
    EXPECT_EQ(testOnce(empty.name(), {QMessageBox::Yes}).toInt(), currentSchemaVersion());
    EXPECT_EQ(shownTexts().size(), 3);
    EXPECT_EQ(schemaVersion(empty.db()), currentSchemaVersion());

    // A database of some other program is left alone: its missing version table is an error.
    testsupport::ScratchSchema foreign;
    foreign.db().execute("CREATE TABLE sajat (x INT)");
    MessageBox::clearLog();
    EXPECT_ANY_THROW(testOnce(foreign.name()));
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(foreign.db().tableNames(), QStringList{"sajat"});
}

}  // namespace
