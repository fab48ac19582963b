// The reading of a backup archive: any bytes in a ".zip" file give the script or a
// message, never a fault.
#include "fuzzdriver.h"

#include "admin/backup/restore.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mentes.zip"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), path);
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    QString error;
    const QByteArray script = zorva::ReadBackupFile(path, error);
    FUZZ_CHECK(script.isEmpty() || error.isEmpty(), error);
    return 0;
}
