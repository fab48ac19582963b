// The start-up of the program, from the folders to the shown main window.
#pragma once

#include "startupwindow.h"

#include <QString>
#include <QStringList>

#include <functional>

class QRect;

namespace zorva {

// The list filter of the last month.
QString lastMonthFilter();

// The profiles offered at start: keys ConStr1 .. ConStr25 of the settings file whose
// display name (sixth field) is not empty, as display lines "n; name" and plain profiles.
struct OfferedProfiles {
    QStringList lines;
    QStringList profiles;
};
OfferedProfiles readOfferedProfiles(const QString &iniPath);

// ProgramDir = programDir (its case kept, without a trailing "/"); DataDir = ProgramDir
// when "Zorva.ini" is there, otherwise commonAppData + "/Zorva", created when missing
// (ProgramDir when commonAppData is empty or the folder cannot be made); IniPath =
// DataDir + "/Zorva.ini"; WorkArea = the primary screen's available geometry.
void computeFolders(const QString &programDir, const QString &commonAppData);

class Startup {
public:
    // The dialogs of the start-up; each defaults to the program's own window.
    struct Seams {
        // Given the lines, the profiles and the title: the index of the chosen line or -1.
        std::function<int(const QStringList &, const QStringList &, const QString &)> chooseProfile;
        // true when a new profile was accepted (ConStr of beall() holds it).
        std::function<bool()> connectionDialog;
        // QDialog::Accepted after a successful sign-in; may throw.
        std::function<int(TmySQLDatabase &)> signIn;
    };

    enum class Result { MainWindowShown, Quit };

    explicit Startup(Seams seams = {});

    // Steps 2 to 14 on a created main window (the folders are computed before).
    Result run(StartupWindow &window);

    // Whether the main connection was opened.
    bool databaseOpen() const { return m_databaseOpen; }

private:
    bool readDatabaseSettings(StartupWindow &window);
    Result signIn(TmySQLDatabase &db);

    Seams m_seams;
    bool m_databaseOpen = false;
};

}  // namespace zorva
