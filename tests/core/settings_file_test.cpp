#include "core/cp1250.h"
#include "core/formpos.h"
#include "core/globals.h"
#include "core/inifile.h"
#include "core/programsettings.h"
#include "core/scramble.h"
#include "support/testserver.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#include <random>

using namespace zorva;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// What the writer makes of a file it read: the same lines, each ended by CR LF.
QByteArray withCrLf(QByteArray b)
{
    b.replace("\r\n", "\n");
    b.replace('\r', '\n');
    if (!b.isEmpty() && !b.endsWith('\n'))
        b += '\n';
    b.replace("\n", "\r\n");
    return b;
}

}  // namespace

TEST(IniFile, WindowsProfileFormat)
{
    testsupport::TempFolder dir;
    const QString path = dir.file("Zorva.ini");
    writeBytes(path,
               "; comment\r\n[Defaults]\r\nFormat = ### ### ##0.00 \r\nFontSize=11\r\n"
               "fontsize=99\r\nnot a key\r\n[screen]\nLEFT=-5\nTop=$10\r\nWidth=abc\n");
    IniFile ini(path);
    EXPECT_EQ(ini.readString("defaults", "FORMAT", "x"), "### ### ##0.00");
    EXPECT_EQ(ini.readInteger("Defaults", "FontSize", 9), 11);  // the first of equal keys
    EXPECT_EQ(ini.readInteger("Screen", "Left", 0), -5);
    EXPECT_EQ(ini.readInteger("Screen", "Top", 0), 16);
    EXPECT_EQ(ini.readInteger("Screen", "Width", 777), 777);
    EXPECT_EQ(ini.readString("Screen", "Missing", "def"), "def");
    EXPECT_EQ(ini.readString("Nowhere", "Left", "def"), "def");
    EXPECT_EQ(ini.keys("Defaults"), QStringList({"Format", "FontSize"}));

    ini.writeString("Defaults", "CassaName", QString::fromUtf8("Pénztárcám ő ű"));
    ini.writeBool("Defaults", "LookFor", true);
    ini.writeInteger("screen", "left", 12);
    ini.writeString("frm_Init", "Left", "3\r\n[Evil]");
    ASSERT_TRUE(ini.save());

    const QByteArray bytes = readBytes(path);
    EXPECT_EQ(bytes,
              "; comment\r\n[Defaults]\r\nFormat = ### ### ##0.00 \r\nFontSize=11\r\nfontsize=99\r\n"
              "not a key\r\nCassaName=P\xE9nzt\xE1rc\xE1m \xF5 \xFB\r\nLookFor=1\r\n[screen]\r\nleft=12\r\n"
              "Top=$10\r\nWidth=abc\r\n[frm_Init]\r\nLeft=3  [Evil]\r\n");
    const IniFile again(path);
    EXPECT_EQ(again.readString("Defaults", "CassaName", ""), QString::fromUtf8("Pénztárcám ő ű"));
    EXPECT_TRUE(again.readBool("Defaults", "LookFor", false));
    EXPECT_FALSE(again.sectionExists("Evil"));
}

TEST(IniFile, DeleteKeysAndSections)
{
    IniFile ini;
    ini.loadFromBytes("[A]\r\nx=1\r\nX=2\r\ny=3\r\n[B]\r\nz=4\r\n[a]\r\nx=5\r\n");
    ini.deleteKey("a", "x");
    EXPECT_EQ(ini.readString("A", "x", "gone"), "gone");
    EXPECT_EQ(ini.readString("A", "y", ""), "3");
    ini.eraseSection("A");
    EXPECT_FALSE(ini.sectionExists("a"));
    EXPECT_EQ(ini.toBytes(), "[B]\r\nz=4\r\n");
}

TEST(IniFile, RandomBytesNeverBreakReadingOrWriting)
{
    std::mt19937 random(20100303);
    const char *pieces[] = {
        "[Defaults]", "[Screen", "]", "=", "Left=", "FontSize=12", "\r\n",     "\n",
        "\r",         ";",       " ", "[", "\xF5",  "\x81",        "ConStr1=", "[defaults]\r\nLeft=7"};
    for (int iteration = 0; iteration < 3000; ++iteration) {
        QByteArray bytes;
        const int parts = int(random() % 60);
        for (int i = 0; i < parts; ++i) {
            if (random() % 2) {
                bytes += pieces[random() % std::size(pieces)];
            } else {
                const int n = int(random() % 12);
                for (int k = 0; k < n; ++k)
                    bytes += char(random() % 256);
            }
        }
        IniFile ini;
        ini.loadFromBytes(bytes);
        // Lines the reader cannot use are kept byte for byte.
        ASSERT_EQ(ini.toBytes(), withCrLf(bytes)) << "iteration " << iteration;
        (void)ini.readInteger("Defaults", "FontSize", 9);
        (void)ini.readBool("Screen", "FullScreen", false);
        (void)ini.sections();
        // Whatever was there, a written value reads back.
        ini.writeInteger("Defaults", "FontSize", iteration);
        ini.writeString("Screen", "Left", QString::fromUtf8("ő=1"));
        IniFile reread;
        reread.loadFromBytes(ini.toBytes());
        ASSERT_EQ(reread.readInteger("defaults", "fontsize", -1), iteration) << "iteration " << iteration;
        ASSERT_EQ(reread.readString("SCREEN", "LEFT", ""), QString::fromUtf8("ő=1"))
            << "iteration " << iteration;
    }
}

TEST(IniFile, TruncatedFileReadsWhatItHolds)
{
    IniFile full;
    for (int s = 0; s < 4; ++s) {
        for (int k = 0; k < 8; ++k)
            full.writeString(QStringLiteral("frm_%1").arg(s), QStringLiteral("Key%1").arg(k),
                             QStringLiteral("érték %1-%2").arg(s).arg(k));
    }
    const QByteArray bytes = full.toBytes();
    for (int cut = 0; cut <= bytes.size(); ++cut) {
        const QByteArray prefix = bytes.left(cut);
        IniFile ini;
        ini.loadFromBytes(prefix);
        for (int s = 0; s < 4; ++s) {
            for (int k = 0; k < 8; ++k) {
                const QString section = QStringLiteral("frm_%1").arg(s);
                const QString key = QStringLiteral("Key%1").arg(k);
                const QString value = QStringLiteral("érték %1-%2").arg(s).arg(k);
                const QString got = ini.readString(section, key, "<default>");
                const QByteArray line = "\r\n" + toCp1250(key + "=" + value) + "\r\n";
                const qsizetype at = bytes.indexOf("[" + section.toLatin1() + "]");
                const bool wholeLineKept = bytes.indexOf(line, at) + line.size() <= cut;
                if (wholeLineKept)
                    ASSERT_EQ(got, value) << "cut " << cut;
                else
                    ASSERT_TRUE(got == "<default>" || value.startsWith(got)) << "cut " << cut;
            }
        }
    }
}

TEST(IniFile, FailedWriteLeavesThePreviousFile)
{
    testsupport::TempFolder dir;
    const QString path = dir.file("Zorva.ini");
    IniFile small;
    small.writeString("Defaults", "CassaName", "Otthon");
    ASSERT_TRUE(small.saveAs(path));
    const QByteArray before = readBytes(path);

    IniFile big(path);
    big.writeString("Defaults", "Big", QString(300000, QLatin1Char('x')));
    // A file size limit makes the write fail part-way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 65536;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool ok = big.save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(ok);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Zorva.ini"});  // no temporary left
    EXPECT_FALSE(IniFile().saveAs(dir.file("missing/Zorva.ini")));
}

TEST(IniFile, OnlyItsOwnerMayReadTheWrittenFile)
{
    testsupport::TempFolder dir;
    const QString path = dir.file("Zorva.ini");
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    IniFile ini;
    ini.writeString("Profiles", "P1", "secret");
    ASSERT_TRUE(ini.saveAs(path));
    const auto mode = [&path] {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
    };
    EXPECT_EQ(mode(), 0600);

    // An older file readable by everyone is narrowed at the next write.
    ASSERT_TRUE(QFile::setPermissions(
        path, ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup));
    ASSERT_TRUE(IniFile(path).save());
    EXPECT_EQ(mode(), 0600);
    EXPECT_EQ(IniFile(path).readString("Profiles", "P1", ""), "secret");
}

TEST(FormPositions, BoundsAreKeptOnTheWorkArea)
{
    const QRect area(0, 0, 800, 600);
    auto keep = [&](int l, int t, int h, int w) {
        KeepOnWorkArea(l, t, h, w, area);
        return QRect(l, t, w, h);
    };
    EXPECT_EQ(keep(100, 50, 300, 400), QRect(100, 50, 400, 300));  // fits
    EXPECT_EQ(keep(1500, 900, 300, 400), QRect(0, 0, 400, 300));   // beyond a smaller screen
    EXPECT_EQ(keep(600, 500, 300, 400), QRect(400, 300, 400, 300));
    EXPECT_EQ(keep(50, 20, 700, 1000), QRect(0, 0, 800, 600));   // larger than the screen
    EXPECT_EQ(keep(800, 600, 10, 10), QRect(790, 590, 10, 10));  // exactly on the edge
    EXPECT_EQ(keep(10, 10, 600, 800), QRect(0, 0, 800, 600));    // as large as the screen
}

TEST(FormPositions, StoredInTheSettingsFile)
{
    testsupport::TempFolder dir;
    const QString savedPath = IniPath();
    const QRect savedArea = WorkArea();
    IniPath() = dir.file("Zorva.ini");
    WorkArea() = QRect(0, 0, 1024, 700);

    EXPECT_EQ(LoadFormPos("frm_Szerkeszt"), QPoint(10, 10));
    int l = 0, t = 0, h = 300, w = 500;
    LoadFormBounds("frm_TorzsKassza", l, t, h, w);
    EXPECT_EQ(QRect(l, t, w, h), QRect(10, 10, 500, 300));

    SaveFormPos("frm_Szerkeszt", 120, 80);
    SaveFormBounds("frm_TorzsKassza", 2000, 1500, 400, 600);
    EXPECT_EQ(LoadFormPos("frm_Szerkeszt"), QPoint(120, 80));
    h = 1;
    w = 1;
    LoadFormBounds("frm_TorzsKassza", l, t, h, w);
    EXPECT_EQ(QRect(l, t, w, h), QRect(0, 0, 600, 400));
    EXPECT_EQ(IniReadText("frm_TorzsKassza", "Left", ""), "2000");
    EXPECT_TRUE(IniWriteText("frm_Adatbazis", "MysqlDump", "/usr/bin/mariadb-dump"));
    EXPECT_EQ(IniReadText("FRM_ADATBAZIS", "mysqldump", ""), "/usr/bin/mariadb-dump");

    // A folder that does not exist: writes fail quietly.
    IniPath() = dir.file("nope/Zorva.ini");
    SaveFormPos("frm_Szerkeszt", 1, 2);
    EXPECT_EQ(LoadFormPos("frm_Szerkeszt"), QPoint(10, 10));

    IniPath() = savedPath;
    WorkArea() = savedArea;
}

TEST(ProgramSettings, DefaultsCorrectionsAndRoundTrip)
{
    testsupport::TempFolder dir;
    const QString path = dir.file("Zorva.ini");
    TBeall b;
    b.FontSize = 0;
    int cassa = 0;
    readProgramSettings(b, cassa, path, dir.path());
    EXPECT_EQ(b.Format, "### ### ##0");
    EXPECT_FALSE(b.LookFor);
    EXPECT_EQ(b.FontSize, 9);
    EXPECT_EQ(cassa, 1);
    EXPECT_EQ(b.CassaName, "Zorva");
    EXPECT_EQ(b.HtmlPath, dir.path() + "/Html");
    EXPECT_EQ(b.Archived, dir.path() + "/Archiv");
    EXPECT_EQ(QRect(b.Left, b.Top, b.Width, b.Height), QRect(0, 0, 777, 550));
    EXPECT_FALSE(b.FullScreen);

    ASSERT_TRUE(QDir(dir.path()).mkdir("export"));
    b.HtmlPath = dir.file("export");
    b.Archived = dir.file("deleted-folder");
    b.CassaName = QString::fromUtf8("Kovács Ödön pénztára");
    b.LookFor = true;
    b.FullScreen = true;
    b.Width = 1280;
    ASSERT_TRUE(writeProgramSettings(b, 3, path));
    const QByteArray bytes = readBytes(path);
    EXPECT_TRUE(
        bytes.contains("CassaName=Kov\xE1"
                       "cs \xD6"
                       "d\xF6n p\xE9nzt\xE1ra\r\n"));
    EXPECT_TRUE(bytes.contains("[Screen]\r\nFullScreen=1\r\n"));

    TBeall r;
    readProgramSettings(r, cassa, path, dir.path());
    EXPECT_EQ(cassa, 3);
    EXPECT_EQ(r.CassaName, b.CassaName);
    EXPECT_EQ(r.HtmlPath, dir.file("export"));
    EXPECT_EQ(r.Archived, dir.path() + "/Archiv");  // the stored folder no longer exists
    EXPECT_TRUE(r.LookFor);
    EXPECT_TRUE(r.FullScreen);
    EXPECT_EQ(r.Width, 1280);
}

TEST(ProgramSettings, ConnectionProfiles)
{
    testsupport::TempFolder dir;
    const QString path = dir.file("Zorva.ini");
    IniFile ini;
    ini.writeString("Adatbazis", "ConStr2", ScrambleConStr("b;h;3306;u;p;Bank;"));
    ini.writeString("Adatbazis", "ConStr3", "");
    ini.writeString("Adatbazis", "ConStr26", ScrambleConStr("z;h;3306;u;p;Late;"));
    ini.writeString("Adatbazis", "ConStr1", ScrambleConStr(QString::fromUtf8("a;h;3307;u;jelszó;Otthon")));
    ASSERT_TRUE(ini.saveAs(path));

    auto profiles = readConnectionProfiles(25, path);
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_EQ(profiles[0].number, 1);
    EXPECT_EQ(profiles[1].number, 2);
    const ProfileFields f = splitConnectionProfile(profiles[0].text);
    EXPECT_EQ(f.database, "a");
    EXPECT_EQ(f.port, 3307);
    EXPECT_EQ(f.password, QString::fromUtf8("jelszó"));
    EXPECT_EQ(f.displayName, "Otthon");
    EXPECT_EQ(readConnectionProfiles(100, path).size(), 3u);

    ASSERT_TRUE(writeConnectionProfiles({"x;h;1;u;p;X;"}, path));
    profiles = readConnectionProfiles(100, path);
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_EQ(profiles[0].text, "x;h;1;u;p;X;");
    const QString first = IniFile(path).readString("Adatbazis", "ConStr1", "");
    ASSERT_TRUE(writeConnectionProfile(1, "x;h;1;u;p;X;", path));
    EXPECT_NE(IniFile(path).readString("Adatbazis", "ConStr1", ""), first);
    EXPECT_EQ(readConnectionProfiles(25, path)[0].text, "x;h;1;u;p;X;");
}
