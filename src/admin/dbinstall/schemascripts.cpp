#include "schemascripts.h"

#include "dbinstallerror.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace zorva {

QString baseSchemaResource()
{
    return QStringLiteral(":/sql/schema/tables.sql");
}

QList<SchemaStep> upgradeSteps()
{
    QList<SchemaStep> steps;
    const QRegularExpression name(QStringLiteral("^(\\d{3})\\.sql$"));
    const QDir dir(QStringLiteral(":/sql/upgrade"));
    for (const QString &file : dir.entryList(QDir::Files)) {
        const QRegularExpressionMatch m = name.match(file);
        if (m.hasMatch() && m.captured(1).toInt() > 1)
            steps.append({m.captured(1).toInt(), dir.filePath(file)});
    }
    std::sort(steps.begin(), steps.end(),
              [](const SchemaStep &a, const SchemaStep &b) { return a.version < b.version; });
    return steps;
}

int currentSchemaVersion()
{
    const QList<SchemaStep> steps = upgradeSteps();
    return steps.isEmpty() ? 1 : steps.last().version;
}

QStringList routineResources()
{
    return {QStringLiteral(":/sql/routines/chain.sql"), QStringLiteral(":/sql/routines/triggers.sql"),
            QStringLiteral(":/sql/routines/views.sql"), QStringLiteral(":/sql/routines/entries.sql"),
            QStringLiteral(":/sql/routines/bills.sql"), QStringLiteral(":/sql/routines/debts.sql")};
}

QString starterResource()
{
    return QStringLiteral(":/sql/starter/starter.sql");
}

QString demoHouseholdResource()
{
    return QStringLiteral(":/sql/demo/household.sql");
}

QString demoPatternsResource()
{
    return QStringLiteral(":/sql/demo/patterns.sql");
}

QString readSqlResource(const QString &resource)
{
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly))
        throw DbInstallError(QStringLiteral("Hiányzó beépített SQL fájl: %1").arg(resource));
    return QString::fromUtf8(f.readAll());
}

QString versionText(int version)
{
    return QStringLiteral("%1").arg(version, 3, 10, QLatin1Char('0'));
}

}  // namespace zorva
