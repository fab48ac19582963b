// The profile list "Tárhelyek": the connection profiles of the settings file in an in-memory
// list, edited through the profile editor, tested against their servers (which also shows the
// schema version, and offers to create or upgrade the database), backed up as a script or
// through the dump tool, and restored from a script.  The profiles are written back,
// numbered from 1 in the list's order, whenever the window closes.
#pragma once

#include "core/ui/listwindow.h"

#include "core/programsettings.h"
#include "db/database.h"
#include "db/memtable.h"

#include <QStringList>

class QProgressBar;
class QToolButton;

namespace zorva {

class TBackupPanel;

class Tfrm_Adatbazis : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_Adatbazis(QWidget *parent = nullptr);
    ~Tfrm_Adatbazis() override;

    TkbmMemTable &table() { return Tbl; }
    TmySQLDatabase &connection() { return Db1; }
    TBackupPanel *backupPanel() const { return m_panel; }
    QProgressBar *progressBar() const { return m_progress; }
    QToolButton *saveMenuButton() const;

    // The profiles ConStr1 .. ConStr100 of the settings file into the list, sorted by display
    // name; the dump tool's path into the backup panel.
    void loadProfiles();
    // The path and the list, in the list's order, back into the settings file.
    void saveProfiles();
    // The plain record of the current row ("database;host;port;user;password;name;").
    QString currentRecord() const;
    ProfileFields currentProfile() const;

    // The connection test of the current row ("Teszt").
    void testConnection();

    // Backups and restore of the current row's database.
    void scriptBackup();
    void toggleBackupPanel();
    void fullBackup();
    void restoreBackup();

public slots:
    void deleteRow() override;

protected:
    void openData() override;
    void closeData() override;
    void prepareNewRow() override;
    std::unique_ptr<QDialog> createEditDialog(bool inserting) override;
    void reorder(const QString &field) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTable();
    void fitColumns();
    // Closes Db1 and sets it up for the current row.
    void prepareConnection();
    // After a refused connection: offers to create a database that does not exist; true
    // when it was created (the test then goes on).
    bool offerCreate(const EmySQLDatabaseError &error);
    // On the open connection: offers to install into an empty database or to upgrade an
    // older one.
    void offerInstallOrUpgrade();
    void showProgress(int value, int maximum, const QString &text);
    void hideProgress();

    TkbmMemTable Tbl;
    TmySQLDatabase Db1;
    TBackupPanel *m_panel = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_progressText = nullptr;
};

// The main window's "Adatbázisok": the profile list, modally.
void ShowDatabases(QWidget *parent = nullptr);

}  // namespace zorva
