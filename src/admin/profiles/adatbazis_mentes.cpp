// The backups and the restore of the profile list window: the script backup, the backup
// panel with the dump tool, and restoring a script into the current row's database.
#include "adatbazis.h"

#include "admin/backup/backup.h"
#include "admin/backup/backuppanel.h"
#include "admin/backup/restore.h"

#include <QLabel>
#include <QProgressBar>

namespace zorva {

void Tfrm_Adatbazis::scriptBackup()
{
    if (!hasRows())
        return;
    const auto progress = [this](const DumpProgress &p) {
        QString text =
            QStringLiteral("Mentés: %1 (%2/%3 tábla)").arg(p.tableName).arg(p.table).arg(p.tableCount);
        if (p.rowCount > 0)
            text += QStringLiteral(", %1/%2 sor").arg(p.rowsDone).arg(p.rowCount);
        else if (p.rowsDone > 0)
            text += QStringLiteral(", %1 sor").arg(p.rowsDone);
        showProgress(p.tableDone ? p.table : p.table - 1, p.tableCount, text);
    };
    struct Hide {
        Tfrm_Adatbazis *w;
        ~Hide() { w->hideProgress(); }
    } hide{this};
    ScriptBackup(Db1, currentProfile(), this, progress);
}

void Tfrm_Adatbazis::toggleBackupPanel()
{
    m_panel->setVisible(!m_panel->isVisible());
}

void Tfrm_Adatbazis::fullBackup()
{
    if (!hasRows())
        return;
    const auto progress = [this](const QString &line, qint64 bytes) {
        if (!line.isEmpty())
            m_progressText->setText(line.mid(2).trimmed());
        m_progressText->show();
        // The tool does not tell how much is left: the bar runs without an end.
        m_progress->setRange(0, 0);
        m_progress->setFormat(FileSizeText(bytes));
        m_progress->show();
    };
    struct Hide {
        Tfrm_Adatbazis *w;
        ~Hide() { w->hideProgress(); }
    } hide{this};
    FullBackup(m_panel->dumpPath(), currentProfile(), this, progress);
}

void Tfrm_Adatbazis::restoreBackup()
{
    if (!hasRows())
        return;
    const auto progress = [this](int done, int total) {
        showProgress(done, total, QStringLiteral("Visszaállítás: %1/%2 utasítás").arg(done).arg(total));
    };
    struct Hide {
        Tfrm_Adatbazis *w;
        ~Hide() { w->hideProgress(); }
    } hide{this};
    RestoreBackup(Db1, currentProfile(), this, progress);
}

}  // namespace zorva
