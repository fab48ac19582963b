#include "adatbazis.h"

#include "adatbazis_szerkeszt.h"
#include "admin/backup/backuppanel.h"
#include "core/ui/slotguard.h"
#include "core/ui/waitcursor.h"

#include "admin/dbinstall/connectiontarget.h"
#include "admin/dbinstall/dbinstall.h"
#include "admin/dbinstall/schemascripts.h"
#include "core/formpos.h"
#include "core/globals.h"
#include "core/texthelpers.h"
#include "core/ui/dbgrid.h"
#include "core/ui/mainicons.h"
#include "core/ui/messagebox.h"
#include "core/ui/windowplace.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorva {

namespace {

const QString kSection = QStringLiteral("frm_Adatbazis");
const QString kDumpKey = QStringLiteral("MysqlDump");
constexpr int kMaxProfiles = 100;
constexpr int kServerBadDatabase = 1049;  // "Unknown database"

// Closes the connection when the test leaves, whichever way.
struct CloseOnExit {
    TmySQLDatabase &db;
    ~CloseOnExit() { db.close(); }
};

ConnectionTarget targetOf(const ProfileFields &p)
{
    ConnectionTarget t;
    t.host = p.host;
    t.port = p.port;
    t.user = p.user;
    t.password = p.password;
    t.database = p.database;
    return t;
}

// The dump tool of this system when the settings name none.
QString installedDumpTool()
{
    for (const char *name : {"mariadb-dump", "mysqldump"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

}  // namespace

Tfrm_Adatbazis::Tfrm_Adatbazis(QWidget *parent) : ListWindow(kSection, QStringLiteral("Tárhelyek"), parent)
{
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    Tbl.setObjectName(QStringLiteral("Tbl"));
    buildTable();

    Db1.setObjectName(QStringLiteral("Db1"));
    Db1.setConnectOptions(coCompress);
    Db1.setParams({QStringLiteral("Port=3306"), QStringLiteral("TIMEOUT=30")});
    Db1.setConnectionCharacterSet(QStringLiteral("latin2"));
    Db1.setConnectionCollation(QStringLiteral("latin2_hungarian_ci"));

    setTitle(QStringLiteral("Tárhelyek"));
    setDesignSize(640, 400);
    setDataSet(&Tbl);
    setColumns({{QStringLiteral("adatbazisnev"), QStringLiteral("Megjelenített név")},
                {QStringLiteral("adatbazis"), QStringLiteral("Adatbázis / tárhely")},
                {QStringLiteral("kiszolgalo"), QStringLiteral("Kiszolgáló")},
                {QStringLiteral("port"), QStringLiteral("Port")},
                {QStringLiteral("felhasznalo"), QStringLiteral("Felhasználó")},
                {QStringLiteral("verzio"), QStringLiteral("Verzió")}});
    enableTitleSort(false);
    grid()->installEventFilter(this);

    m_panel = new TBackupPanel(this);
    m_panel->setObjectName(QStringLiteral("pnlMentes"));
    static_cast<QVBoxLayout *>(layout())->insertWidget(2, m_panel);
    connect(m_panel, &TBackupPanel::fullBackupRequested, this, guarded(this, &Tfrm_Adatbazis::fullBackup));

    m_progressText = new QLabel(statusBar());
    m_progressText->setObjectName(QStringLiteral("lblFolyamat"));
    m_progress = new QProgressBar(statusBar());
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setMaximumWidth(220);
    statusBar()->addWidget(m_progressText, 1);
    statusBar()->addPermanentWidget(m_progress);
    m_progressText->hide();
    m_progress->hide();

    QAction *aUj = addStandardAction(New, QStringLiteral("Új"));
    QAction *aSzerkeszt = addStandardAction(Edit);
    QAction *aTorol = addStandardAction(Delete);
    QAction *aTeszt = addWindowAction(QStringLiteral("aTeszt"), QStringLiteral("Teszt"),
                                      QStringLiteral("Kapcsolat vizsgálata"),
                                      QKeySequence(Qt::CTRL | Qt::Key_T), mainIcon(MainIcon::Accept));
    QAction *aBackup =
        addWindowAction(QStringLiteral("aBackup"), QStringLiteral("Biztonsági mentés készítés"), QString(),
                        QKeySequence(Qt::Key_F3), mainIcon(MainIcon::Databases));
    QAction *aMySQLDump =
        addWindowAction(QStringLiteral("aMySQLDump"), QStringLiteral("Teljes biztonsági mentés készítés"),
                        QString(), QKeySequence(Qt::Key_F6));
    QAction *aTeljesMentes =
        addWindowAction(QStringLiteral("aTeljesMentes"), QStringLiteral("Teljes mentés futtatása"),
                        QStringLiteral("Teljes mentés"));
    QAction *aVisszaallit = addWindowAction(QStringLiteral("aVisszaallit"), QStringLiteral("Visszaállítás"),
                                            QStringLiteral("Mentés visszaállítása az adatbázisba"));
    QAction *aBezar = addStandardAction(Close);
    connect(aTeszt, &QAction::triggered, this, guarded(this, &Tfrm_Adatbazis::testConnection));
    connect(aBackup, &QAction::triggered, this, guarded(this, &Tfrm_Adatbazis::scriptBackup));
    connect(aMySQLDump, &QAction::triggered, this, guarded(this, &Tfrm_Adatbazis::toggleBackupPanel));
    connect(aTeljesMentes, &QAction::triggered, this, guarded(this, &Tfrm_Adatbazis::fullBackup));
    connect(aVisszaallit, &QAction::triggered, this, guarded(this, &Tfrm_Adatbazis::restoreBackup));

    auto *saveMenu = new QMenu(this);
    saveMenu->setObjectName(QStringLiteral("PopupMenu2"));
    saveMenu->addAction(aBackup);
    saveMenu->addSeparator();
    saveMenu->addAction(aMySQLDump);
    saveMenu->addSeparator();
    saveMenu->addAction(aVisszaallit);
    auto *aMentes = new QAction(mainIcon(MainIcon::Databases), QStringLiteral("Mentés"), this);
    aMentes->setObjectName(QStringLiteral("aMentes"));
    aMentes->setMenu(saveMenu);
    setToolBarActions({aUj, aSzerkeszt, aTorol, nullptr, aTeszt, nullptr, aMentes, nullptr, aBezar});
    if (QToolButton *b = saveMenuButton())
        b->setPopupMode(QToolButton::InstantPopup);
    setContextActions({aUj, aSzerkeszt, aTorol, nullptr, aTeszt, nullptr, aBezar});
}

Tfrm_Adatbazis::~Tfrm_Adatbazis() = default;

QToolButton *Tfrm_Adatbazis::saveMenuButton() const
{
    for (QAction *a : toolBar()->actions()) {
        if (a->objectName() == u"aMentes")
            return qobject_cast<QToolButton *>(toolBar()->widgetForAction(a));
    }
    return nullptr;
}

void Tfrm_Adatbazis::buildTable()
{
    Tbl.clearFieldDefs();
    for (const char *name : {"adatbazis", "kiszolgalo"})
        Tbl.addFieldDef(QString::fromLatin1(name), TFieldType::ftString, 50);
    Tbl.addFieldDef(QStringLiteral("port"), TFieldType::ftInteger);
    for (const char *name : {"felhasznalo", "jelszo", "adatbazisnev"})
        Tbl.addFieldDef(QString::fromLatin1(name), TFieldType::ftString, 50);
    Tbl.addFieldDef(QStringLiteral("verzio"), TFieldType::ftString, 15);
}

void Tfrm_Adatbazis::openData()
{
    if (!Tbl.isActive()) {
        Tbl.open();
        const std::pair<const char *, const char *> labels[] = {{"adatbazis", "Adatbázis / tárhely"},
                                                                {"kiszolgalo", "Kiszolgáló"},
                                                                {"port", "Port"},
                                                                {"felhasznalo", "Felhasználó"},
                                                                {"jelszo", "Jelszó"},
                                                                {"adatbazisnev", "Megjelenített név"},
                                                                {"verzio", "Verzió"}};
        for (const auto &[field, label] : labels)
            Tbl.fieldByName(QString::fromLatin1(field)).setDisplayLabel(QString::fromUtf8(label));
    }
    loadProfiles();
}

void Tfrm_Adatbazis::closeData()
{
    if (!Tbl.isActive())
        return;
    saveProfiles();
    Tbl.close();
}

void Tfrm_Adatbazis::loadProfiles()
{
    if (!Tbl.isActive())
        openData();
    Tbl.emptyTable();
    Tbl.disableControls();
    const QString sep = QStringLiteral(";");
    for (const ConnectionProfile &p : readConnectionProfiles(kMaxProfiles, IniPath())) {
        Tbl.append();
        Tbl.fieldByName(QStringLiteral("adatbazis")).setAsString(FieldOf(sep, p.text, 1));
        Tbl.fieldByName(QStringLiteral("kiszolgalo")).setAsString(FieldOf(sep, p.text, 2));
        Tbl.fieldByName(QStringLiteral("port")).setAsInteger(ParseInteger(FieldOf(sep, p.text, 3)));
        Tbl.fieldByName(QStringLiteral("felhasznalo")).setAsString(FieldOf(sep, p.text, 4));
        Tbl.fieldByName(QStringLiteral("jelszo")).setAsString(FieldOf(sep, p.text, 5));
        Tbl.fieldByName(QStringLiteral("adatbazisnev")).setAsString(FieldOf(sep, p.text, 6));
        Tbl.post();
    }
    Tbl.enableControls();
    setSortField(QStringLiteral("adatbazisnev"));
    Tbl.sortOn(QStringLiteral("adatbazisnev"));
    Tbl.first();
    QString dumpPath = IniReadText(kSection, kDumpKey, QString());
    if (dumpPath.isEmpty())
        dumpPath = installedDumpTool();
    m_panel->setDumpPath(dumpPath);
    updateStatus();
}

namespace {

QString recordAt(const TDataSet &ds, int row)
{
    const auto text = [&](const char *field) {
        return ds.valueAt(row, ds.fieldIndex(QString::fromLatin1(field))).toString();
    };
    const QVariant port = ds.valueAt(row, ds.fieldIndex(QStringLiteral("port")));
    const QString sep = QStringLiteral(";");
    return text("adatbazis") + sep + text("kiszolgalo") + sep +
           QString::number(port.isNull() ? 0 : port.toInt()) + sep + text("felhasznalo") + sep +
           text("jelszo") + sep + text("adatbazisnev") + sep;
}

}  // namespace

void Tfrm_Adatbazis::saveProfiles()
{
    IniWriteText(kSection, kDumpKey, m_panel->dumpPath());
    if (!Tbl.isActive())
        return;
    // A row accepted with Ctrl+Enter is written at the latest now.
    if (Tbl.state() != TDataSetState::dsBrowse)
        Tbl.post();
    QStringList records;
    for (int row = 0; row < Tbl.recordCount(); ++row)
        records << recordAt(Tbl, row);
    if (!writeConnectionProfiles(records, IniPath()))
        ShowError(QStringLiteral("A beállítások fájlja nem írható: %1").arg(IniPath()), this);
}

QString Tfrm_Adatbazis::currentRecord() const
{
    return hasRows() ? recordAt(Tbl, Tbl.currentIndex()) : QString();
}

ProfileFields Tfrm_Adatbazis::currentProfile() const
{
    return splitConnectionProfile(currentRecord());
}

void Tfrm_Adatbazis::prepareNewRow()
{
    Tbl.fieldByName(QStringLiteral("port")).setAsInteger(3306);
}

std::unique_ptr<QDialog> Tfrm_Adatbazis::createEditDialog(bool)
{
    return std::make_unique<Tfrm_Adatbazis_Szerkeszt>(&Tbl, this);
}

void Tfrm_Adatbazis::deleteRow()
{
    if (!hasRows())
        return;
    if (!AskYesNo(QStringLiteral("Valóban töröljem az adatbázist a listából?"), QStringLiteral("Megerősítés"),
                  this))
        return;
    Tbl.deleteRecord();
    updateStatus();
}

void Tfrm_Adatbazis::reorder(const QString &field)
{
    Tbl.sortOn(field);
}

void Tfrm_Adatbazis::showEvent(QShowEvent *event)
{
    ListWindow::showEvent(event);
    // Font size 9 whatever the font-size setting.
    applyFontSize(this, 9);
    fitColumns();
}

bool Tfrm_Adatbazis::eventFilter(QObject *watched, QEvent *event)
{
    const bool handled = ListWindow::eventFilter(watched, event);
    if (watched == grid() && event->type() == QEvent::Resize)
        fitColumns();
    return handled;
}

void Tfrm_Adatbazis::fitColumns()
{
    const double w = qMax(0, grid()->width() - 44);
    const double shares[] = {0.3, 0.15, 0.15, 0.1, 0.15, 0.15};
    QList<int> widths;
    for (double share : shares)
        widths << int(w * share);
    grid()->setColumnWidths(widths);
}

// ---------------------------------------------------------------- connection test

void Tfrm_Adatbazis::prepareConnection()
{
    Db1.close();
    const ProfileFields p = currentProfile();
    Db1.setHost(p.host);
    Db1.setUserName(p.user);
    Db1.setUserPassword(p.password);
    Db1.setDatabaseName(p.database);
    Db1.setPort(p.port);
}

void Tfrm_Adatbazis::testConnection()
{
    if (!hasRows())
        return;
    prepareConnection();
    CloseOnExit closer{Db1};
    try {
        WaitCursor wait;
        Db1.open();
    } catch (const EmySQLDatabaseError &e) {
        Db1.close();
        if (!offerCreate(e))
            return;
        WaitCursor wait;
        Db1.open();
    }
    offerInstallOrUpgrade();
    const QString version = Db1.queryText(QStringLiteral("SELECT MAX(verzio) FROM verzio;"));
    if (!version.isEmpty()) {
        Tbl.edit();
        Tbl.fieldByName(QStringLiteral("verzio")).setAsString(version);
        Tbl.post();
    }
    Db1.close();
    ShowInfo(QStringLiteral("Kapcsolat vizsgálata sikeres"), this);
}

bool Tfrm_Adatbazis::offerCreate(const EmySQLDatabaseError &error)
{
    const ProfileFields p = currentProfile();
    if (error.errorCode() != kServerBadDatabase || p.database.isEmpty()) {
        ShowError(QStringLiteral("Hiba: ") + error.message(), this);
        return false;
    }
    if (!AskYesNo(QStringLiteral("A(z) \"%1\" adatbázis nem létezik a(z) %2 kiszolgálón.\n\n"
                                 "Létrehozzam most, a program adatbázis-szerkezetével?")
                      .arg(p.database, p.host),
                  QStringLiteral("Megerősítés"), this))
        return false;
    try {
        WaitCursor wait;
        auto server = openConnection(targetOf(p), QString());
        createDatabase(*server, p.database);
        fillStarterData(*server);  // ready to use: a cash box, cash types and the settings
        const int version = schemaVersion(*server);
        server->close();
        ShowInfo(
            QStringLiteral("A(z) \"%1\" adatbázis elkészült (%2. változat).").arg(p.database).arg(version),
            this);
        return true;
    } catch (const DbInstallError &e) {
        ShowError(QStringLiteral("Hiba: ") + e.message(), this);
    } catch (const EmySQLDatabaseError &e) {
        ShowError(QStringLiteral("Hiba: ") + e.message(), this);
    }
    return false;
}

void Tfrm_Adatbazis::offerInstallOrUpgrade()
{
    const ProfileFields p = currentProfile();
    const int version = schemaVersion(Db1);
    const int newest = currentSchemaVersion();
    try {
        if (version == 0) {
            // A database without tables (as a hosting company hands it over) can take the
            // program's tables; any other one is not the program's and is left alone.
            if (!Db1.tableNames().isEmpty())
                return;
            if (!AskYesNo(QStringLiteral("A(z) \"%1\" adatbázis üres.\n\nTelepítsem bele a program "
                                         "adatbázis-szerkezetét?")
                              .arg(p.database),
                          QStringLiteral("Megerősítés"), this))
                return;
            WaitCursor wait;
            auto conn = openConnection(targetOf(p), p.database);
            installSchema(*conn);
            conn->close();
            ShowInfo(QStringLiteral("A(z) \"%1\" adatbázisba telepítettem a program adatbázis-szerkezetét "
                                    "(%2. változat).")
                         .arg(p.database)
                         .arg(newest),
                     this);
        } else if (version < newest) {
            if (!AskYesNo(QStringLiteral(
                              "A(z) \"%1\" adatbázis a(z) %2. változaton van, a program a(z) %3. "
                              "változatot használja.\n\nFrissítsem az adatbázist? Az adatok megmaradnak.")
                              .arg(p.database)
                              .arg(version)
                              .arg(newest),
                          QStringLiteral("Megerősítés"), this))
                return;
            WaitCursor wait;
            auto conn = openConnection(targetOf(p), p.database);
            const UpgradeResult r = upgradeDatabase(*conn);
            conn->close();
            ShowInfo(QStringLiteral("A(z) \"%1\" adatbázis frissítve: %2. változatról %3. változatra.")
                         .arg(p.database)
                         .arg(r.from)
                         .arg(r.to),
                     this);
        }
    } catch (const DbInstallError &e) {
        ShowError(QStringLiteral("Hiba: ") + e.message(), this);
    }
}

void Tfrm_Adatbazis::showProgress(int value, int maximum, const QString &text)
{
    m_progressText->setText(text);
    m_progressText->show();
    m_progress->setFormat(QStringLiteral("%p%"));
    m_progress->setRange(0, qMax(1, maximum));
    m_progress->setValue(qMin(value, m_progress->maximum()));
    m_progress->show();
}

void Tfrm_Adatbazis::hideProgress()
{
    m_progress->hide();
    m_progressText->hide();
}

void ShowDatabases(QWidget *parent)
{
    Tfrm_Adatbazis w(parent);
    w.openAndExec(-1);
}

}  // namespace zorva
