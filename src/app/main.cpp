// The zorva program: the commands of the command line, or the start-up and the main window.
#include "commandline.h"
#include "commandline_tasks.h"
#include "startup.h"
#include "app/mainwindow/main.h"
#include "core/folders.h"
#include "core/ui/application.h"
#include "core/ui/windowplace.h"

#ifdef ZORVA_HAVE_DBINSTALL
#include "admin/dbinstall/dbinstall.h"
#endif

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

QStringList argumentsOf(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

}  // namespace

int main(int argc, char **argv)
{
    const QStringList args = argumentsOf(argc, argv);
    if (zorva::isTaskCommand(args)) {
        // The exports and reports run on the windows' own code, which needs widgets but never
        // shows one: no display is needed.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // What the window-less platform says of the windows it does not show is no news to
        // the user of a command.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type == QtDebugMsg || type == QtInfoMsg ||
                message.startsWith(QLatin1String("This plugin does not support")))
                return;
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        });
        zorva::ZorvaApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Zorva"));
        zorva::ApplicationTitle() = QStringLiteral("Zorva");
        zorva::computeFolders(QCoreApplication::applicationDirPath(), zorva::CommonAppDataFolder());
        QTextStream out(stdout);
        QTextStream err(stderr);
        const zorva::TaskCommand task = [](const QStringList &a, const std::optional<QString> &password,
                                           QTextStream &o, QTextStream &e) {
            return zorva::runTaskCommand(a, password, o, e);
        };
        return zorva::runCommandLine(args, out, err, {}, task).value_or(0);
    }
    if (zorva::isCommandLine(args)) {
        // No window and no display are needed for the commands.
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Zorva"));
        zorva::computeFolders(QCoreApplication::applicationDirPath(), zorva::CommonAppDataFolder());
        QTextStream out(stdout);
        QTextStream err(stderr);
        zorva::DatabaseCommand databaseCommand;
#ifdef ZORVA_HAVE_DBINSTALL
        databaseCommand = [](const QStringList &a, QTextStream &o, QTextStream &e) {
            return zorva::runDatabaseCommand(a, o, e);
        };
#endif
        return zorva::runCommandLine(args, out, err, databaseCommand).value_or(0);
    }

    zorva::ZorvaApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zorva"));
    zorva::ApplicationTitle() = QStringLiteral("Zorva");
    zorva::computeFolders(QCoreApplication::applicationDirPath(), zorva::CommonAppDataFolder());

    auto window = std::make_unique<Tfrm_Main>();
    zorva::StartupWindowOf<Tfrm_Main> adapter(*window);
    zorva::Startup startup;
    if (startup.run(adapter) == zorva::Startup::Result::Quit)
        return 0;
    return app.exec();
}
