#include "startup.h"

#include "init.h"
#include "mainconnectionopen.h"
#include "admin/login/login.h"
#include "admin/profiles/adatbazisnyit.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/ui/application.h"
#include "core/ui/messagebox.h"
#include "db/database.h"
#include "db/errors.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace zorva {

QString lastMonthFilter() { return QStringLiteral("(datum>=DATE_ADD(CURDATE(), INTERVAL -1 MONTH))"); }

OfferedProfiles readOfferedProfiles(const QString &iniPath)
{
    OfferedProfiles offered;
    for (const ConnectionProfile &p : readConnectionProfiles(25, iniPath)) {
        const QString name = splitConnectionProfile(p.text).displayName;
        if (name.isEmpty())
            continue;
        offered.lines << QString::number(p.number) + QStringLiteral("; ") + name;
        offered.profiles << p.text;
    }
    return offered;
}

void computeFolders(const QString &programDir, const QString &commonAppData)
{
    QString dir = QDir::fromNativeSeparators(programDir);
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    ProgramDir() = dir;
    DataDir() = dir;
    if (!QFileInfo::exists(dir + QStringLiteral("/Zorva.ini")) && !commonAppData.isEmpty()) {
        const QString data = QDir::fromNativeSeparators(commonAppData) + QStringLiteral("/Zorva");
        if (QDir().mkpath(data))
            DataDir() = data;
    }
    IniPath() = DataDir() + QStringLiteral("/Zorva.ini");
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        WorkArea() = screen->availableGeometry();
}

Startup::Startup(Seams seams) : m_seams(std::move(seams))
{
    if (!m_seams.chooseProfile)
        m_seams.chooseProfile = [](const QStringList &lines, const QStringList &profiles, const QString &title) {
            return ChooseDatabase(lines, profiles, title);
        };
    if (!m_seams.connectionDialog)
        m_seams.connectionDialog = [] { return OpenConnectionDialog(); };
    if (!m_seams.signIn)
        m_seams.signIn = [](TmySQLDatabase &db) { return ExecLogin(db); };
}

Startup::Result Startup::run(StartupWindow &window)
{
    TBeall &b = beall();
    SumPeriod().clear();

    // The profile to open.
    const OfferedProfiles offered = readOfferedProfiles(IniPath());
    b.ConStr.clear();
    if (!offered.lines.isEmpty()) {
        const int chosen = m_seams.chooseProfile(offered.lines, offered.profiles,
                                                 QStringLiteral("Zorva program adatbázis választás"));
        if (chosen < 0 || chosen >= offered.profiles.size())
            return Result::Quit;
        b.ConStr = offered.profiles.at(chosen);
    }

    readProgramSettings();
    window.setSortField(QStringLiteral("hazikassza"));

    if (b.ConStr.isEmpty() && !m_seams.connectionDialog())
        return Result::Quit;

    TmySQLDatabase &db = window.connection();
    setMainConnection(&db);
    m_databaseOpen = openMainConnection(db, b.ConStr);
    if (!m_databaseOpen)
        ShowError(QStringLiteral("Adatbázis megnyitás sikertelen"));
    else
        m_databaseOpen = readDatabaseSettings(window);

    if (m_databaseOpen) {
        if (signIn(db) == Result::Quit)
            return Result::Quit;
    }
    window.setDatabaseOpen(m_databaseOpen);

    if (m_databaseOpen) {
        window.setListFilter(lastMonthFilter());
        try {
            window.reloadList();
        } catch (const std::exception &e) {
            showGlobalError(e);
        }
    }
    window.showMainWindow();
    return Result::MainWindowShown;
}

bool Startup::readDatabaseSettings(StartupWindow &window)
{
    // A database without the settings row's table or the owner's table cannot be
    // worked with; it is left closed rather than opened without its sign-in.
    try {
        readBeallit(window.connection(), beall());
        window.setCaption(mainCaption(readOwnerName(window.connection())));
    } catch (const std::exception &e) {
        showGlobalError(e);
        window.connection().close();
        return false;
    }
    return true;
}

Startup::Result Startup::signIn(TmySQLDatabase &db)
{
    TBeall &b = beall();
    if (!b.vanbelep) {
        b.rendszergazda = b.torzsszerkeszt = b.szerkeszthet = b.torolhet = true;
        b.UserName = QStringLiteral("rendszergazda");
        return Result::MainWindowShown;
    }
    // Nothing is granted before the user has signed in.
    b.rendszergazda = b.torzsszerkeszt = b.szerkeszthet = b.torolhet = false;
    try {
        if (m_seams.signIn(db) != QDialog::Accepted)
            return Result::Quit;
    } catch (const std::exception &e) {
        const auto *dbError = dynamic_cast<const EmySQLDatabaseError *>(&e);
        ShowError(QStringLiteral("Ismeretlen hiba, indítsa újra a programot.\r\n") +
                  (dbError ? dbError->message() : QString::fromUtf8(e.what())));
        return Result::Quit;
    }
    return Result::MainWindowShown;
}

}  // namespace zorva
