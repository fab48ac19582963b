#include "folders.h"

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

}  // namespace zorva
