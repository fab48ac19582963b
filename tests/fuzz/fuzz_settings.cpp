// The settings file reader: any bytes read as far as they go, write back unchanged in
// meaning, and give connection profiles that split without faults.
#include "fuzzdriver.h"

#include "core/globals.h"
#include "core/inifile.h"
#include "core/programsettings.h"
#include "core/scramble.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zorva;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniFile ini;
    ini.loadFromBytes(bytes);
    const QByteArray written = ini.toBytes();
    IniFile again;
    again.loadFromBytes(written);
    FUZZ_CHECK(again.toBytes() == written, QStringLiteral("a written file reads back differently"));
    for (const QString &section : ini.sections()) {
        FUZZ_CHECK(again.sectionExists(section), section);
        for (const QString &key : ini.keys(section)) {
            FUZZ_CHECK(again.readString(section, key, QStringLiteral("<none>")) ==
                           ini.readString(section, key, QStringLiteral("<none>")),
                       section + QLatin1Char('/') + key);
            ini.readInteger(section, key, 0);
            ini.readBool(section, key, false);
        }
    }

    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zorva.ini"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), path);
    file.write(bytes);
    file.close();
    TBeall b;
    int cassa = 0;
    readProgramSettings(b, cassa, path, dir.path());
    for (const ConnectionProfile &p : readConnectionProfiles(100, path)) {
        FUZZ_CHECK(!p.text.isEmpty(), QString::number(p.number));
        const ProfileFields f = splitConnectionProfile(p.text);
        FUZZ_CHECK(f.port >= 0, p.text);
    }
    return 0;
}
