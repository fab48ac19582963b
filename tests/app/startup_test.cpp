#include "admin/usertables.h"
#include "app/init.h"
#include "app/mainconnectionopen.h"
#include "app/startup.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/inifile.h"
#include "core/programsettings.h"
#include "core/scramble.h"
#include "core/ui/messagebox.h"
#include "core/ui/windowplace.h"
#include "db/database.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

// The start-up's view of a main window, recording what it was asked to do.
class RecordingWindow : public StartupWindow {
public:
    TmySQLDatabase &connection() override { return db; }
    void setSortField(const QString &field) override { sortField = field; }
    void setListFilter(const QString &condition) override { filter = condition; }
    void reloadList() override { ++reloads; }
    void setDatabaseOpen(bool open) override { databaseOpen = open; }
    void setCaption(const QString &c) override { caption = c; }
    void showMainWindow() override { shown = true; }

    TmySQLDatabase db;
    QString sortField, filter, caption;
    int reloads = 0;
    bool databaseOpen = false;
    bool shown = false;
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        testsupport::createStartupTables(schema->db());
        beall() = TBeall{};
        Cassa() = 1;
        SumPeriod() = QStringLiteral("200901");
        MessageBox::clearLog();
        QDir().mkpath(folder.file(QStringLiteral("prog")));
        computeFolders(folder.file(QStringLiteral("prog")), folder.file(QStringLiteral("data")));
    }
    void TearDown() override { setMainConnection(nullptr); }

    void writeProfile(int n, const QString &plain)
    {
        ASSERT_TRUE(writeConnectionProfile(n, plain, IniPath()));
    }
    Startup::Seams chooserAnswering(int answer)
    {
        Startup::Seams s;
        s.chooseProfile = [this, answer](const QStringList &l, const QStringList &p, const QString &title) {
            lines = l;
            profiles = p;
            chooserTitle = title;
            return answer;
        };
        s.connectionDialog = [this] {
            ++connectionDialogs;
            return false;
        };
        s.signIn = [this](TmySQLDatabase &) {
            ++signIns;
            return int(QDialog::Accepted);
        };
        return s;
    }
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &s : MessageBox::log())
            texts << s.text;
        return texts;
    }

    testsupport::TempFolder folder;
    std::unique_ptr<testsupport::ScratchSchema> schema;
    RecordingWindow window;
    QStringList lines, profiles;
    QString chooserTitle;
    int connectionDialogs = 0;
    int signIns = 0;
};

TEST_F(StartupTest, FoldersFollowTheSettingsFileBesideTheProgram)
{
    const QString prog = folder.file(QStringLiteral("Prog Dir"));
    QDir().mkpath(prog);
    computeFolders(prog + QStringLiteral("/"), folder.file(QStringLiteral("xdg")));
    EXPECT_EQ(ProgramDir(), prog);  // case and spaces kept, no trailing "/"
    EXPECT_EQ(DataDir(), folder.file(QStringLiteral("xdg")) + QStringLiteral("/Zorva"));
    EXPECT_TRUE(QDir(DataDir()).exists());
    EXPECT_EQ(IniPath(), DataDir() + QStringLiteral("/Zorva.ini"));

    IniFile ini(prog + QStringLiteral("/Zorva.ini"));
    ini.writeInteger(QStringLiteral("Defaults"), QStringLiteral("FontSize"), 9);
    ASSERT_TRUE(ini.save());
    computeFolders(prog, folder.file(QStringLiteral("xdg")));
    EXPECT_EQ(DataDir(), prog);
    EXPECT_EQ(IniPath(), prog + QStringLiteral("/Zorva.ini"));

    computeFolders(folder.file(QStringLiteral("prog")), QString());
    EXPECT_EQ(DataDir(), ProgramDir());
}

TEST_F(StartupTest, WithoutSettingsFileTheConnectionDialogCreatesConStr1)
{
    ASSERT_FALSE(QFileInfo::exists(IniPath()));
    const testsupport::ServerParams p = testsupport::serverParams();
    bool dialogSeen = false;
    QTimer::singleShot(50, [&] {
        auto *dlg = qobject_cast<Tfrm_Init *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dialogSeen = true;
        dlg->hostEdit()->setText(p.host);
        dlg->userEdit()->setText(p.user);
        dlg->passwordEdit()->setText(p.password);
        dlg->databaseEdit()->setText(schema->name());
        dlg->nameEdit()->setText(QStringLiteral("Próba"));
        dlg->portEdit()->setText(QString::number(p.port));
        dlg->testButton()->click();
        dlg->okButton()->click();
        if (dlg->isVisible())
            dlg->reject();
    });
    Startup startup;  // the program's own dialogs
    ASSERT_EQ(startup.run(window), Startup::Result::MainWindowShown);
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(startup.databaseOpen());
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join('\n').toStdString();

    const QString expected = QStringLiteral("%1;%2;%3;%4;%5;Próba")
                                 .arg(schema->name(), p.host, QString::number(p.port), p.user, p.password);
    EXPECT_EQ(beall().ConStr, expected);
    const IniFile ini(IniPath());
    EXPECT_EQ(UnscrambleConStr(ini.readString(QStringLiteral("Adatbazis"), QStringLiteral("ConStr1"), {})),
              expected);
    EXPECT_EQ(beall().DbName, QStringLiteral("Próba"));
    EXPECT_EQ(window.db.databaseName(), schema->name());
    EXPECT_TRUE(window.db.connected());
    EXPECT_EQ(window.caption, QStringLiteral("Zorva: [Kovács Árpád]"));
    EXPECT_EQ(window.sortField, QStringLiteral("hazikassza"));
    EXPECT_EQ(window.filter, QStringLiteral("(datum>=DATE_ADD(CURDATE(), INTERVAL -1 MONTH))"));
    EXPECT_EQ(window.reloads, 1);
    EXPECT_TRUE(window.databaseOpen);
    EXPECT_TRUE(window.shown);
    EXPECT_TRUE(SumPeriod().isEmpty());
    EXPECT_EQ(&mainConnection(), &window.db);
}

TEST_F(StartupTest, OnlyProfiles1To25WithADisplayNameAreOffered)
{
    writeProfile(1, testsupport::profileOf(QStringLiteral("nincs_ilyen"), QString()));
    writeProfile(2, testsupport::profileOf(schema->name(), QStringLiteral("Második")) + QStringLiteral(";"));
    writeProfile(5, testsupport::profileOf(QStringLiteral("otodik"), QStringLiteral("Ötödik")));
    writeProfile(26, testsupport::profileOf(QStringLiteral("huszonhat"), QStringLiteral("Huszonhat")));
    Startup startup(chooserAnswering(0));
    ASSERT_EQ(startup.run(window), Startup::Result::MainWindowShown);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("2; Második"), QStringLiteral("5; Ötödik")}));
    EXPECT_EQ(chooserTitle, QStringLiteral("Zorva program adatbázis választás"));
    // The chosen line's profile is opened, not the one at the same key position.
    EXPECT_EQ(beall().ConStr, profiles.at(0));
    EXPECT_EQ(window.db.databaseName(), schema->name());
    EXPECT_TRUE(startup.databaseOpen());
    EXPECT_EQ(beall().DbName, QStringLiteral("Második"));
    EXPECT_EQ(connectionDialogs, 0);
}

TEST_F(StartupTest, GivingUpInTheChooserOrTheConnectionDialogEndsTheProgram)
{
    writeProfile(1, testsupport::profileOf(schema->name(), QStringLiteral("Egy")));
    Startup chooserCancelled(chooserAnswering(-1));
    EXPECT_EQ(chooserCancelled.run(window), Startup::Result::Quit);
    EXPECT_FALSE(window.shown);
    EXPECT_FALSE(window.db.connected());

    RecordingWindow other;
    ASSERT_TRUE(QFile::remove(IniPath()));
    Startup dialogCancelled(chooserAnswering(0));
    EXPECT_EQ(dialogCancelled.run(other), Startup::Result::Quit);
    EXPECT_EQ(connectionDialogs, 1);
    EXPECT_FALSE(other.shown);
}

TEST_F(StartupTest, ServerDownOpensTheWindowWithoutData)
{
    writeProfile(1, testsupport::profileOf(schema->name(), QStringLiteral("Leállt"), 1));
    Startup startup(chooserAnswering(0));
    ASSERT_EQ(startup.run(window), Startup::Result::MainWindowShown);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Adatbázis megnyitás sikertelen")});
    EXPECT_EQ(MessageBox::log().at(0).caption, QStringLiteral("Hiba"));
    EXPECT_FALSE(startup.databaseOpen());
    EXPECT_FALSE(window.databaseOpen);
    EXPECT_TRUE(window.shown);
    EXPECT_TRUE(window.filter.isEmpty());
    EXPECT_EQ(window.reloads, 0);
    EXPECT_EQ(signIns, 0);
    EXPECT_EQ(ApplicationTitle(), QStringLiteral("Zorva - Leállt"));
}

TEST_F(StartupTest, AProfileWithABadPortFailsLikeAServerThatIsDown)
{
    writeProfile(1, QStringLiteral("%1;127.0.0.1;33o6;root;x;Elgépelt").arg(schema->name()));
    Startup startup(chooserAnswering(0));
    ASSERT_EQ(startup.run(window), Startup::Result::MainWindowShown);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Adatbázis megnyitás sikertelen")});
    EXPECT_FALSE(window.databaseOpen);
}

TEST_F(StartupTest, ADatabaseWithoutItsSettingsTableStaysClosed)
{
    schema->db().execute(QStringLiteral("DROP TABLE beallit"));
    writeProfile(1, testsupport::profileOf(schema->name(), QStringLiteral("Régi")));
    Startup startup(chooserAnswering(0));
    ASSERT_EQ(startup.run(window), Startup::Result::MainWindowShown);
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_TRUE(MessageBox::log().at(0).text.contains(QStringLiteral("beallit")));
    EXPECT_FALSE(window.databaseOpen);
    EXPECT_FALSE(window.db.connected());
    EXPECT_EQ(signIns, 0);
    EXPECT_TRUE(window.shown);
}

TEST_F(StartupTest, SettingsAreReadAndADeletedHtmlPathIsCorrectedAndSaved)
{
    IniFile ini(IniPath());
    ini.writeString(QStringLiteral("Defaults"), QStringLiteral("HtmlPath"),
                    folder.file(QStringLiteral("torolt")));
    ini.writeInteger(QStringLiteral("Defaults"), QStringLiteral("FontSize"), 10);
    ini.writeInteger(QStringLiteral("Defaults"), QStringLiteral("Cassa"), 3);
    ASSERT_TRUE(ini.save());
    writeProfile(1, testsupport::profileOf(schema->name(), QStringLiteral("Egy")));
    Startup startup(chooserAnswering(0));
    ASSERT_EQ(startup.run(window), Startup::Result::MainWindowShown);
    EXPECT_EQ(beall().HtmlPath, DataDir() + QStringLiteral("/Html"));
    EXPECT_EQ(beall().FontSize, 10);
    EXPECT_EQ(Cassa(), 3);
    ASSERT_TRUE(writeProgramSettings());
    EXPECT_EQ(IniFile(IniPath()).readString(QStringLiteral("Defaults"), QStringLiteral("HtmlPath"), {}),
              DataDir() + QStringLiteral("/Html"));
}

TEST_F(StartupTest, WithoutSignInEveryRightIsGranted)
{
    beall().rendszergazda = beall().torolhet = false;
    beall().UserName = QStringLiteral("valaki");
    writeProfile(1, testsupport::profileOf(schema->name(), QStringLiteral("Egy")));
    Startup startup(chooserAnswering(0));
    ASSERT_EQ(startup.run(window), Startup::Result::MainWindowShown);
    EXPECT_EQ(signIns, 0);
    EXPECT_TRUE(beall().rendszergazda && beall().torzsszerkeszt && beall().szerkeszthet && beall().torolhet);
    EXPECT_EQ(beall().UserName, QStringLiteral("rendszergazda"));
    EXPECT_FALSE(beall().vanbelep);
    EXPECT_EQ(beall().kasszatip_ki, 7);
    EXPECT_EQ(beall().kasszatip_vissza, -1);  // NULL
    EXPECT_EQ(beall().kapkasszatip_ki, -1);
    EXPECT_EQ(beall().kapkasszatip_vissza, -1);
    EXPECT_EQ(beall().kasszatip_csekk, 12);
}

TEST_F(StartupTest, SignInDecidesWhetherTheProgramGoesOn)
{
    schema->db().execute(QStringLiteral("UPDATE beallit SET vanbelep='I'"));
    writeProfile(1, testsupport::profileOf(schema->name(), QStringLiteral("Egy")));

    Startup::Seams refused = chooserAnswering(0);
    refused.signIn = [](TmySQLDatabase &) { return int(QDialog::Rejected); };
    EXPECT_EQ(Startup(refused).run(window), Startup::Result::Quit);
    EXPECT_FALSE(window.shown);
    EXPECT_TRUE(beall().vanbelep);
    EXPECT_FALSE(beall().rendszergazda || beall().torzsszerkeszt || beall().szerkeszthet || beall().torolhet);

    RecordingWindow failing;
    Startup::Seams throwing = chooserAnswering(0);
    throwing.signIn = [](TmySQLDatabase &) -> int {
        throw EmySQLDatabaseError(QStringLiteral("Nincs tábla"));
    };
    EXPECT_EQ(Startup(throwing).run(failing), Startup::Result::Quit);
    EXPECT_EQ(shownTexts(),
              QStringList{QStringLiteral("Ismeretlen hiba, indítsa újra a programot.\r\nNincs tábla")});
    EXPECT_FALSE(failing.shown);

    RecordingWindow signedIn;
    Startup::Seams accepted = chooserAnswering(0);
    accepted.signIn = [](TmySQLDatabase &) {
        beall().torzsszerkeszt = true;
        beall().UserName = QStringLiteral("Anna");
        return int(QDialog::Accepted);
    };
    EXPECT_EQ(Startup(accepted).run(signedIn), Startup::Result::MainWindowShown);
    EXPECT_TRUE(signedIn.shown);
    EXPECT_EQ(beall().UserName, QStringLiteral("Anna"));
    EXPECT_TRUE(beall().torzsszerkeszt);
    EXPECT_FALSE(beall().rendszergazda);
}

TEST_F(StartupTest, ReestablishedConnectionGetsTheHungarianCollationBack)
{
    TmySQLDatabase db;
    ASSERT_TRUE(openMainConnection(db, testsupport::profileOf(schema->name(), QStringLiteral("Egy"))));
    EXPECT_EQ(db.queryText(QStringLiteral("SELECT @@collation_connection")),
              QStringLiteral("latin2_hungarian_ci"));
    const auto before = db.threadId();
    schema->db().execute(QStringLiteral("KILL %1").arg(before));
    EXPECT_EQ(db.queryText(QStringLiteral("SELECT @@collation_connection")),
              QStringLiteral("latin2_hungarian_ci"));
    EXPECT_NE(db.threadId(), before);
}

}  // namespace
