// The administration windows the main window opens: the database profiles with their
// backups and restore.
#include "mainwindow.h"

#include "adatbazis.h"

#include <QAction>

using namespace zorva;

void Tfrm_Main::wireAdminActions()
{
    // The profile list needs no right and no open database: it works on the settings file
    // and on connections of its own.
    m_a.aAdatbazisok->setEnabled(true);
    connect(m_a.aAdatbazisok, &QAction::triggered, this, [this] { ShowDatabases(this); });
}
