// A scratch schema with the full database (tables, routines, views, the demo household's
// master data) and a main window working on it.
#pragma once

#include "support/testserver.h"

#include <QDate>
#include <QString>

#include <memory>

class Tfrm_Main;
class TmySQLDatabase;

namespace testsupport {

// Runs the schema scripts of the source tree (tables, version steps, routines).
void loadSchema(TmySQLDatabase &db);
// The same, then the demo master data.
void loadCashBookSchema(TmySQLDatabase &db);
// Runs a script in the mariadb client's dialect (DELIMITER lines).
void runScript(TmySQLDatabase &db, const QString &path);

// Books one entry through the database's procedure; returns its hid.
int addEntry(TmySQLDatabase &db, const QDate &date, int kassza, int kasszatip, double amount,
             const QString &text = QString());

// A main window connected to `schema` the way the start-up leaves it: sort field
// "hazikassza", the last-month filter, the list loaded.
std::unique_ptr<Tfrm_Main> openMainWindow(ScratchSchema &schema);

}  // namespace testsupport
