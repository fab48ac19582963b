// zorva_helppictures FOLDER: the manual's pictures, for the build (not installed).  Makes a
// fresh demo database "zorva_kepek" on the server named by ZORVA_TEST_HOST, _PORT, _USER
// and _PASSWORD (scripts/help-pictures.sh starts a throwaway one), walks every window on
// it under the offscreen platform and writes "<window class>.png" into FOLDER.
#include "windowtour.h"

#include "admin/dbinstall/dbinstall.h"
#include "core/globals.h"
#include "core/ui/application.h"
#include "db/database.h"
#include "db/errors.h"

#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

using namespace zorva;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ZorvaApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: zorva_helppictures FOLDER\n";
        return 2;
    }
    QTemporaryDir settings;
    IniPath() = settings.filePath(QStringLiteral("Zorva.ini"));
    WorkArea() = QRect(0, 0, 1280, 800);
    try {
        TmySQLDatabase db;
        db.setHost(qEnvironmentVariable("ZORVA_TEST_HOST", QStringLiteral("127.0.0.1")));
        const int port = qEnvironmentVariableIntValue("ZORVA_TEST_PORT");
        db.setPort(port);
        db.setUserName(qEnvironmentVariable("ZORVA_TEST_USER", QStringLiteral("root")));
        db.setUserPassword(qEnvironmentVariable("ZORVA_TEST_PASSWORD"));
        db.setConnectOptions(coCompress);
        db.setParams({QStringLiteral("Port=%1").arg(port), QStringLiteral("TIMEOUT=30")});
        db.setConnectionCharacterSet(QStringLiteral("latin2"));
        db.setConnectionCollation(QStringLiteral("latin2_hungarian_ci"));
        db.open();
        db.execute(QStringLiteral("DROP DATABASE IF EXISTS zorva_kepek"));
        createDatabase(db, QStringLiteral("zorva_kepek"));
        db.close();
        db.setDatabaseName(QStringLiteral("zorva_kepek"));
        db.open();
        fillDemoData(db, 0);
        int failed = 0;
        for (const TourPicture &p : RunWindowTour(db, args.at(1))) {
            if (!p.problem.isEmpty()) {
                err << p.windowClass << ": " << p.problem << '\n';
                ++failed;
            }
        }
        db.execute(QStringLiteral("DROP DATABASE IF EXISTS zorva_kepek"));
        return failed == 0 ? 0 : 1;
    } catch (const std::exception &e) {
        err << e.what() << '\n';
        return 1;
    }
}
