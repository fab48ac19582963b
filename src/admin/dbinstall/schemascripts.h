// The SQL scripts of the database, built into the program as resources.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zorva {

struct SchemaStep {
    int version = 0;
    QString resource;  // ":/sql/upgrade/002.sql"
};

// The tables of schema version 1 with their single rows (":/sql/schema/tables.sql").
QString baseSchemaResource();
// The steps from one version to the next, in order: one file per version, named after
// it with three digits (upgrade/002.sql takes version 1 to 2).  Empty while version 1 is
// the newest.
QList<SchemaStep> upgradeSteps();
// The schema version this program builds: the last step's, or 1.
int currentSchemaVersion();
// Triggers, views and procedures, in the order they are installed.  Every one drops and
// re-creates its objects, so running them again is harmless.
QStringList routineResources();
// The demo household and the patterns of generated entries.
QString demoHouseholdResource();
QString demoPatternsResource();
// The starter set of a database made without demo data.
QString starterResource();

// The text of a resource (UTF-8); throws DbInstallError when it is missing.
QString readSqlResource(const QString &resource);

// The version text stored in table verzio: three digits, "001".
QString versionText(int version);

}  // namespace zorva
