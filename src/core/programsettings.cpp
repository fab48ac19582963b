#include "programsettings.h"

#include "inifile.h"
#include "scramble.h"
#include "texthelpers.h"

#include <QDir>
#include <QFileInfo>

namespace zorva {

namespace {

const QString kDefaults = QStringLiteral("Defaults");
const QString kScreen = QStringLiteral("Screen");
const QString kAdatbazis = QStringLiteral("Adatbazis");

QString conStrKey(int n)
{
    return QStringLiteral("ConStr") + QString::number(n);
}

QString existingFolderOr(const QString &path, const QString &fallback)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return fallback;
    return path;
}

}  // namespace

void readProgramSettings(TBeall &b, int &cassa, const QString &iniPath, const QString &dataDir)
{
    const IniFile ini(iniPath);
    const TBeall defaults;
    b.Format = ini.readString(kDefaults, QStringLiteral("Format"), defaults.Format);
    b.LookFor = ini.readBool(kDefaults, QStringLiteral("LookFor"), false);
    b.FontSize = ini.readInteger(kDefaults, QStringLiteral("FontSize"), 9);
    cassa = ini.readInteger(kDefaults, QStringLiteral("Cassa"), 1);
    b.CassaName = ini.readString(kDefaults, QStringLiteral("CassaName"), QStringLiteral("Zorva"));
    const QString html = dataDir + QStringLiteral("/Html");
    const QString archiv = dataDir + QStringLiteral("/Archiv");
    b.HtmlPath = existingFolderOr(ini.readString(kDefaults, QStringLiteral("HtmlPath"), html), html);
    b.Archived = existingFolderOr(ini.readString(kDefaults, QStringLiteral("Archived"), archiv), archiv);
    b.FullScreen = ini.readBool(kScreen, QStringLiteral("FullScreen"), false);
    b.Left = ini.readInteger(kScreen, QStringLiteral("Left"), 0);
    b.Top = ini.readInteger(kScreen, QStringLiteral("Top"), 0);
    b.Width = ini.readInteger(kScreen, QStringLiteral("Width"), 777);
    b.Height = ini.readInteger(kScreen, QStringLiteral("Height"), 550);
}

void readProgramSettings()
{
    readProgramSettings(beall(), Cassa(), IniPath(), DataDir());
}

bool writeProgramSettings(const TBeall &b, int cassa, const QString &iniPath)
{
    IniFile ini(iniPath);
    ini.writeString(kDefaults, QStringLiteral("Format"), b.Format);
    ini.writeBool(kDefaults, QStringLiteral("LookFor"), b.LookFor);
    ini.writeInteger(kDefaults, QStringLiteral("FontSize"), b.FontSize);
    ini.writeInteger(kDefaults, QStringLiteral("Cassa"), cassa);
    ini.writeString(kDefaults, QStringLiteral("CassaName"), b.CassaName);
    ini.writeString(kDefaults, QStringLiteral("HtmlPath"), b.HtmlPath);
    ini.writeString(kDefaults, QStringLiteral("Archived"), b.Archived);
    ini.writeBool(kScreen, QStringLiteral("FullScreen"), b.FullScreen);
    ini.writeInteger(kScreen, QStringLiteral("Left"), b.Left);
    ini.writeInteger(kScreen, QStringLiteral("Top"), b.Top);
    ini.writeInteger(kScreen, QStringLiteral("Width"), b.Width);
    ini.writeInteger(kScreen, QStringLiteral("Height"), b.Height);
    return ini.save();
}

bool writeProgramSettings()
{
    return writeProgramSettings(beall(), Cassa(), IniPath());
}

std::vector<ConnectionProfile> readConnectionProfiles(int maxNumber, const QString &iniPath)
{
    const IniFile ini(iniPath);
    std::vector<ConnectionProfile> out;
    for (int n = 1; n <= maxNumber; ++n) {
        const QString plain = UnscrambleConStr(ini.readString(kAdatbazis, conStrKey(n), QString()));
        if (!plain.isEmpty())
            out.push_back({n, plain});
    }
    return out;
}

bool writeConnectionProfile(int number, const QString &plain, const QString &iniPath)
{
    IniFile ini(iniPath);
    ini.writeString(kAdatbazis, conStrKey(number), ScrambleConStr(plain));
    return ini.save();
}

bool writeConnectionProfiles(const QStringList &plain, const QString &iniPath)
{
    IniFile ini(iniPath);
    for (int n = 1; n <= 100; ++n)
        ini.deleteKey(kAdatbazis, conStrKey(n));
    for (int i = 0; i < plain.size(); ++i)
        ini.writeString(kAdatbazis, conStrKey(i + 1), ScrambleConStr(plain.at(i)));
    return ini.save();
}

ProfileFields splitConnectionProfile(const QString &plain)
{
    const QString sep = QStringLiteral(";");
    ProfileFields f;
    f.database = FieldOf(sep, plain, 1);
    f.host = FieldOf(sep, plain, 2);
    f.port = int(ParseInteger(FieldOf(sep, plain, 3)));
    f.user = FieldOf(sep, plain, 4);
    f.password = FieldOf(sep, plain, 5);
    f.displayName = FieldOf(sep, plain, 6);
    return f;
}

}  // namespace zorva
