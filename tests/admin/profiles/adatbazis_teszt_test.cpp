// "Teszt" of the profile list against the test server: the version column, a refused
// connection, and the offers to create, fill and upgrade a database.
#include "profilefixture.h"
#include "admin/usertables.h"
#include "sql/zorvaschema.h"

#include "admin/backup/backuppanel.h"
#include "admin/dbinstall/dbinstall.h"
#include "admin/dbinstall/schemascripts.h"
#include "core/ui/filedialog.h"

#include <QAction>
#include <QFile>
#include <QProgressBar>
#include <QStandardPaths>
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
        // Straight, not through the action: an error must not cross the signal machinery.
        w->testConnection();
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
    auto again = openWindow();
    EXPECT_EQ(column(*again, "verzio"), QStringList{""});
    // "Teszt" is the window's action Ctrl+T.
    MessageBox::clearLog();
    again->action("aTeszt")->trigger();
    EXPECT_EQ(column(*again, "verzio"), QStringList{maxVersion(schema.db())});
    EXPECT_EQ(shownTexts(), QStringList{"Kapcsolat vizsgálata sikeres"});
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

namespace {

TEST_F(ProfileTest, BackupFullBackupAndRestoreThroughTheWindow)
{
    sqltest::ZorvaSchema schema;
    sqltest::addBasicMasterData(schema.db());
    store({{1, testsupport::profileOf(schema.name(), "Próba")}});
    auto w = openWindow();
    w->backupPanel()->setDumpPath(QStandardPaths::findExecutable("mariadb-dump"));

    // The script backup into an archive, and its closing message.
    const QString zip = folder.file("mentes.zip");
    FileDialog::setNextFileName(zip);
    w->action("aBackup")->trigger();
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_TRUE(shownTexts().at(0).startsWith("A biztonsági mentés elkészült:\n" + zip))
        << shownTexts().at(0).toStdString();
    EXPECT_EQ(FileDialog::log().at(0).caption, "Biztonsági mentés készítés");
    EXPECT_TRUE(FileDialog::log().at(0).proposal.startsWith(schema.name() + "-"));
    EXPECT_FALSE(w->progressBar()->isVisible());

    // Restoring it after other changes, with the question naming the database.
    schema.db().execute("DELETE FROM ugyfel");
    MessageBox::clearLog();
    FileDialog::setNextFileName(zip);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->action("aVisszaallit")->trigger();
    ASSERT_EQ(shownTexts().size(), 2);
    EXPECT_TRUE(shownTexts().at(0).contains(schema.name()));
    EXPECT_TRUE(shownTexts().at(1).contains("Minden tábla sorainak száma egyezik"))
        << shownTexts().at(1).toStdString();
    EXPECT_EQ(schema.db().queryInt("SELECT COUNT(*) FROM ugyfel"), 2);

    // The dump tool with a wrong password: its refusal is shown, not lost.
    w->table().edit();
    w->table().fieldByName("jelszo").setAsString("rossz");
    w->table().post();
    MessageBox::clearLog();
    FileDialog::setNextFileName(folder.file("teljes.sql"));
    w->action("aTeljesMentes")->trigger();
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log().at(0).kind, MessageBox::Error);
    EXPECT_TRUE(shownTexts().at(0).contains("Access denied")) << shownTexts().at(0).toStdString();
    EXPECT_FALSE(QFile::exists(folder.file("Mentes.cmd")));
}

}  // namespace
