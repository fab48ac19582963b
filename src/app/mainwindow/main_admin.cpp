// The administration windows the main window opens: the database profiles with their
// backups and restore, and the free SQL window.
#include "main.h"

#include "admin/profiles/adatbazis.h"
#include "admin/sql/sql.h"
#include "core/ui/slotguard.h"

#include <QAction>

using namespace zorva;

void Tfrm_Main::wireAdminActions()
{
    // The profile list needs no right and no open database: it works on the settings file
    // and on connections of its own.
    m_a.aAdatbazisok->setEnabled(true);
    connect(m_a.aAdatbazisok, &QAction::triggered, this, guarded([this] { ShowDatabases(this); }));

    // The SQL window works on the open database and only for an administrator.
    m_a.aSQL->setEnabled(true);
    connect(m_a.aSQL, &QAction::triggered, this, guarded([this] {
                if (checkRights(QStringLiteral("aSQL")) && m_dbOpen)
                    ShowSqlWindow(this);
            }));
}
