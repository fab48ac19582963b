// The program's own settings in the settings file: [Defaults], [Screen] and the
// scrambled connection profiles of [Adatbazis].
#pragma once

#include "globals.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace zorva {

// Reads Format, LookFor, FontSize, Cassa, CassaName, HtmlPath, Archived of [Defaults]
// and FullScreen, Left, Top, Width, Height of [Screen] into `b` and `cassa`, with their
// defaults when missing.  HtmlPath becomes dataDir + "/Html" when it is empty or names
// no existing folder, Archived likewise dataDir + "/Archiv".
void readProgramSettings(TBeall &b, int &cassa, const QString &iniPath, const QString &dataDir);
// The same on IniPath(), DataDir(), beall() and Cassa().
void readProgramSettings();

// Writes the keys read above, in one atomic save; false when the file could not be written.
bool writeProgramSettings(const TBeall &b, int cassa, const QString &iniPath);
bool writeProgramSettings();

struct ConnectionProfile {
    int number = 0;  // n of the key ConStr<n>
    QString text;    // plain: database;host;port;user;password;display name[;]
};

// The profiles ConStr1 .. ConStr<maxNumber> of [Adatbazis], unscrambled, in key order;
// keys that are missing or unscramble to an empty text are left out.
std::vector<ConnectionProfile> readConnectionProfiles(int maxNumber, const QString &iniPath);
// Writes one profile, scrambled, as ConStr<number>.
bool writeConnectionProfile(int number, const QString &plain, const QString &iniPath);
// Deletes ConStr1 .. ConStr100 and writes the profiles, scrambled, as ConStr1, ConStr2, ...
bool writeConnectionProfiles(const QStringList &plain, const QString &iniPath);

// The display name (sixth field) and the other fields of a plain profile.
struct ProfileFields {
    QString database, host, user, password, displayName;
    int port = 0;
};
ProfileFields splitConnectionProfile(const QString &plain);

}  // namespace zorva
