#include "app/commandline.h"
#include "app/commandline_password.h"
#include "core/folders.h"
#include "core/globals.h"
#include "core/inifile.h"
#include "core/programsettings.h"
#include "support/testserver.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { IniPath() = folder.file(QStringLiteral("Zorva.ini")); }

    int run(const QStringList &args)
    {
        output.clear();
        errors.clear();
        QTextStream out(&output), err(&errors);
        const auto code = runCommandLine(args, out, err, databaseCommand);
        return code.value_or(-100);
    }
    std::vector<ConnectionProfile> stored() const { return readConnectionProfiles(100, IniPath()); }

    testsupport::TempFolder folder;
    QString output, errors;
    DatabaseCommand databaseCommand;
};

TEST_F(CommandLineTest, WindowsOpenWithoutACommand)
{
    EXPECT_FALSE(isCommandLine({}));
    EXPECT_FALSE(isCommandLine({QStringLiteral("-platform"), QStringLiteral("offscreen")}));
    EXPECT_TRUE(isCommandLine({QStringLiteral("--has-profile")}));
    EXPECT_EQ(run({QStringLiteral("-style"), QStringLiteral("fusion")}), -100);
    EXPECT_EQ(run({QStringLiteral("--help")}), 0);
    EXPECT_TRUE(output.contains(QStringLiteral("--add-profile")));
}

TEST_F(CommandLineTest, AddProfileTakesTheFirstFreeNumberOnce)
{
    const QString a = QStringLiteral("zorva;127.0.0.1;3307;root;pw;Zorva (helyi adatbázis)");
    ASSERT_EQ(run({QStringLiteral("--add-profile"), a}), 0) << errors.toStdString();
    ASSERT_TRUE(writeConnectionProfile(3, QStringLiteral("c;h;1;u;p;Harmadik"), IniPath()));
    const QString b = QStringLiteral("masik;db.example;3306;en;titok;Másik");
    ASSERT_EQ(run({QStringLiteral("--add-profile"), b}), 0);
    EXPECT_EQ(run({QStringLiteral("--add-profile"), b}), 0);  // already there: not added twice
    const auto profiles = stored();
    ASSERT_EQ(profiles.size(), 3u);
    EXPECT_EQ(profiles[0].number, 1);
    EXPECT_EQ(profiles[0].text, a);
    EXPECT_EQ(profiles[1].number, 2);
    EXPECT_EQ(profiles[1].text, b);
    EXPECT_EQ(firstFreeProfileNumber(IniPath()), 4);
    // Stored scrambled.
    EXPECT_NE(IniFile(IniPath()).readString(QStringLiteral("Adatbazis"), QStringLiteral("ConStr1"), {}), a);
}

TEST_F(CommandLineTest, BadProfilesAreRefusedAndNothingIsWritten)
{
    EXPECT_EQ(run({QStringLiteral("--add-profile"), QStringLiteral("zorva;127.0.0.1;port;root;pw;Név")}), 2);
    EXPECT_TRUE(errors.contains(QStringLiteral("port")));
    EXPECT_EQ(run({QStringLiteral("--add-profile"), QStringLiteral("zorva;127.0.0.1;3306;root;pw;")}), 2);
    EXPECT_EQ(run({QStringLiteral("--add-profile")}), 2);
    EXPECT_FALSE(QFileInfo::exists(IniPath()));
}

TEST_F(CommandLineTest, HasProfileOnlyForAProfileOfferedAtStart)
{
    EXPECT_EQ(run({QStringLiteral("--has-profile")}), 1);
    ASSERT_TRUE(writeConnectionProfile(1, QStringLiteral("a;h;1;u;p;"), IniPath()));
    ASSERT_TRUE(writeConnectionProfile(26, QStringLiteral("a;h;1;u;p;Túl messze"), IniPath()));
    EXPECT_EQ(run({QStringLiteral("--has-profile")}), 1);
    ASSERT_TRUE(writeConnectionProfile(25, QStringLiteral("a;h;1;u;p;Utolsó"), IniPath()));
    EXPECT_EQ(run({QStringLiteral("--has-profile")}), 0);
}

TEST_F(CommandLineTest, DatabaseCommandsGoToTheInstaller)
{
    EXPECT_EQ(run({QStringLiteral("--create-database"), QStringLiteral("root:x@h:1/z")}), 1);
    QStringList seen;
    databaseCommand = [&seen](const QStringList &args, QTextStream &, QTextStream &) {
        seen = args;
        return 7;
    };
    EXPECT_EQ(
        run({QStringLiteral("--create-database"), QStringLiteral("root:x@h:1/z"), QStringLiteral("--demo")}),
        7);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("--create-database"), QStringLiteral("root:x@h:1/z"),
                                 QStringLiteral("--demo")}));
}

TEST_F(CommandLineTest, ThePasswordGoesIntoTheConnectionTextWhereItIsMissing)
{
    struct Case {
        const char *given;
        bool overrides;
        const char *expected;
    };
    const Case cases[] = {
        {"root@127.0.0.1:3307/zorva", false, "root:p:w@127.0.0.1:3307/zorva"},
        {"root:@h/z", false, "root:p:w@h/z"},
        {"root:old@h/z", false, "root:old@h/z"},
        {"root:old@h/z", true, "root:p:w@h/z"},
        {"zorva;h;3307;root;;Helyi", false, "zorva;h;3307;root;p:w;Helyi"},
        {"zorva;h;3307;root;old;Helyi", false, "zorva;h;3307;root;old;Helyi"},
        {"zorva;h;3307;root;old;Helyi", true, "zorva;h;3307;root;p:w;Helyi"},
        {"not a connection", true, "not a connection"},
    };
    for (const Case &c : cases) {
        QString error;
        EXPECT_EQ(withPassword(QString::fromUtf8(c.given), QStringLiteral("p:w"), c.overrides, error),
                  QString::fromUtf8(c.expected))
            << c.given;
        EXPECT_TRUE(error.isEmpty());
    }
    QString error;
    EXPECT_TRUE(withPassword(QStringLiteral("z;h;1;u;;n"), QStringLiteral("a;b"), false, error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(CommandLineTest, ThePasswordComesFromAFileStandardInputOrTheEnvironment)
{
    const QString file = folder.file(QStringLiteral("jelszo"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("fájlból\r\nmásodik sor\n");
    }
    QBuffer input;
    input.setData("bemenetről\n");
    ASSERT_TRUE(input.open(QIODevice::ReadOnly));
    qputenv("ZORVA_PASSWORD", "környezetből");
    QStringList args = {QStringLiteral("--demo-data"), QStringLiteral("--password-file"), file,
                        QStringLiteral("u@h/d")};
    PasswordOption o = takePasswordOption(args);
    EXPECT_EQ(o.password, QStringLiteral("fájlból"));
    EXPECT_TRUE(o.overrides);
    EXPECT_EQ(args, (QStringList{QStringLiteral("--demo-data"), QStringLiteral("u@h/d")}));
    args = {QStringLiteral("--password-stdin")};
    EXPECT_EQ(takePasswordOption(args, &input).password, QStringLiteral("bemenetről"));
    args = {};
    o = takePasswordOption(args);
    EXPECT_EQ(o.password, QStringLiteral("környezetből"));
    EXPECT_FALSE(o.overrides);
    qunsetenv("ZORVA_PASSWORD");
    EXPECT_FALSE(takePasswordOption(args).password);
    args = {QStringLiteral("--password-file"), folder.file(QStringLiteral("nincs"))};
    EXPECT_FALSE(takePasswordOption(args).error.isEmpty());

    // Through the command line: the installer sees the password in its connection text,
    // and a profile is stored with it.
    QStringList seen;
    databaseCommand = [&seen](const QStringList &a, QTextStream &, QTextStream &) {
        seen = a;
        return 0;
    };
    EXPECT_EQ(run({QStringLiteral("--create-database"), QStringLiteral("root@h:1/z"),
                   QStringLiteral("--demo"), QStringLiteral("--password-file"), file}),
              0);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("--create-database"), QStringLiteral("root:fájlból@h:1/z"),
                                 QStringLiteral("--demo")}));
    EXPECT_EQ(run({QStringLiteral("--add-profile"), QStringLiteral("zorva;h;3307;root;;Helyi"),
                   QStringLiteral("--password-file"), file}),
              0);
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_EQ(stored()[0].text, QStringLiteral("zorva;h;3307;root;fájlból;Helyi"));
    EXPECT_EQ(run({QStringLiteral("--add-profile"), QStringLiteral("z;h;1;u;;n"),
                   QStringLiteral("--password-file"), folder.file(QStringLiteral("nincs"))}),
              2);
}

TEST_F(CommandLineTest, TheHelpPageIsBesideTheProgramOrUnderItsPrefix)
{
    const QString bin = folder.file(QStringLiteral("usr/bin"));
    const QString installed = folder.file(QStringLiteral("usr/share/zorva/Help/index.htm"));
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(installed).path()));
    ProgramDir() = bin;
    EXPECT_EQ(HelpFile(), bin + QStringLiteral("/Help/index.htm"));  // neither: where it is looked for first
    QFile(installed).open(QIODevice::WriteOnly);
    EXPECT_EQ(HelpFile(), installed);
    ASSERT_TRUE(QDir().mkpath(bin + QStringLiteral("/Help")));
    QFile(bin + QStringLiteral("/Help/index.htm")).open(QIODevice::WriteOnly);
    EXPECT_EQ(HelpFile(), bin + QStringLiteral("/Help/index.htm"));  // the build folder's own
}

}  // namespace
