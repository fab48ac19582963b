#include "folders.h"

#include "globals.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zorva {

QString CommonAppDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString DocumentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString HelpFile()
{
    const QString beside = ProgramDir() + QStringLiteral("/Help/index.htm");
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed =
        QDir::cleanPath(ProgramDir() + QStringLiteral("/../share/zorva/Help/index.htm"));
    return QFileInfo::exists(installed) ? installed : beside;
}

}  // namespace zorva
