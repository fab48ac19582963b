#include "torzsfix.h"

#include "torzsfix_szerkeszt.h"
#include "core/ui/slotguard.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/ui/dbgrid.h"
#include "entries/editor/entryroutines.h"
#include "export/ui/grid2html.h"
#include "export/ui/hatarolt.h"
#include "reports/ui/gridprint.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace zorva {

namespace {

const QString fKasszatipNev = QStringLiteral("kasszatip_nev");
const QString fUgyfelNev = QStringLiteral("ugyfel_nev");

// The list names only the clients its items use; the dialog's drop-down needs every client,
// which on a large database is many times what the list shows.
const QString kClientsInUse = QStringLiteral(
    "SELECT ugyfel, ugyfel_nev FROM ugyfel WHERE ugyfel IN (SELECT ugyfel FROM fix) ORDER BY ugyfel_nev;");
const QString kAllClients = QStringLiteral("SELECT ugyfel, ugyfel_nev FROM ugyfel ORDER BY ugyfel_nev;");

}  // namespace

Tfrm_Torzsfix::Tfrm_Torzsfix(QWidget *parent)
    : ListWindow(QStringLiteral("frm_Torzsfix"), QStringLiteral("Fix tételek"), parent),
      QryTip(&mainConnection()),
      QryUgyfel(&mainConnection()),
      Tbl(&mainConnection())
{
    // The lookups' order is the order of the dialog's drop-downs.
    QryTip.setObjectName(QStringLiteral("QryTip"));
    QryTip.setSQL(QStringLiteral("SELECT kasszatip, kasszatip_nev FROM kasszatip ORDER BY kasszatip_nev;"));
    QryUgyfel.setObjectName(QStringLiteral("QryUgyfel"));
    QryUgyfel.setSQL(kClientsInUse);

    Tbl.setObjectName(QStringLiteral("Tbl"));
    Tbl.setTableName(QStringLiteral("fix"));
    Tbl.addLookupField(fKasszatipNev, TFieldType::ftString, 25, QStringLiteral("kasszatip"), &QryTip,
                       QStringLiteral("kasszatip"), fKasszatipNev);
    Tbl.addLookupField(fUgyfelNev, TFieldType::ftString, 50, QStringLiteral("ugyfel"), &QryUgyfel,
                       QStringLiteral("ugyfel"), fUgyfelNev);

    setTitle(QStringLiteral("Fix tételek"));
    // Without a search box the title stands in the middle of its panel: the stretch that
    // keeps it at the right gives way to the label itself.
    if (auto *panel = qobject_cast<QHBoxLayout *>(titlePanel()->layout())) {
        if (panel->count() > 0 && panel->itemAt(0)->spacerItem())
            delete panel->takeAt(0);
        panel->setStretchFactor(titleLabel(), 1);
    }
    titleLabel()->setAlignment(Qt::AlignCenter);
    setDesignSize(617, 461);
    setDataSet(&Tbl);
    setKeyField(QStringLiteral("fix"));
    setColumns({{fKasszatipNev, QStringLiteral("kasszatípus")},
                {fUgyfelNev, QStringLiteral("kitől/kinek")},
                {QStringLiteral("osszeg"), QStringLiteral("összeg")}});
    setColumnShares(40, {0.4, 0.4, 0.2});

    QAction *aUj = addStandardAction(New);
    QAction *aSzerkeszt = addStandardAction(Edit);
    QAction *aTorol = addStandardAction(Delete);
    aTorol->setToolTip(QStringLiteral("Sor törlése"));
    aTorol->setStatusTip(QStringLiteral("Sor törlése"));
    QAction *aNyomtat = addStandardAction(Print);
    QAction *aNyomtatKep =
        addWindowAction(QStringLiteral("aNyomtatKep"), QStringLiteral("Nyomtatási kép"), QString(),
                        QKeySequence(Qt::CTRL | Qt::Key_K), standardIcon(Print));
    QAction *aExcelbe = addWindowAction(QStringLiteral("aExcelbe"), QStringLiteral("Excelbe (CSV export)"),
                                        QString(), QKeySequence(Qt::CTRL | Qt::Key_E), standardIcon(Html));
    QAction *aHtml = addStandardAction(Html);
    QAction *aElfogad = addStandardAction(Accept);
    QAction *aBezar = addStandardAction(Close);

    connect(aNyomtat, &QAction::triggered, this, guarded([this] { printList(true); }));
    connect(aNyomtatKep, &QAction::triggered, this, guarded([this] { printList(false); }));
    connect(aExcelbe, &QAction::triggered, this, guarded(this, &Tfrm_Torzsfix::exportDelimited));
    connect(aHtml, &QAction::triggered, this, guarded(this, &Tfrm_Torzsfix::exportHtml));

    // "Nyomtat" on the tool bar prints at once; its arrow opens every output.
    auto *printMenu = new QMenu(this);
    printMenu->setObjectName(QStringLiteral("PopupMenu2"));
    printMenu->addAction(aNyomtat);
    printMenu->addAction(aNyomtatKep);
    printMenu->addSeparator();
    printMenu->addAction(aExcelbe);
    printMenu->addAction(aHtml);

    m_output = new QMenu(QStringLiteral("Kimenet"), this);
    m_output->setObjectName(QStringLiteral("Kimenet1"));
    m_output->addAction(aNyomtat);
    m_output->addAction(aNyomtatKep);
    m_output->addSeparator();
    m_output->addAction(aExcelbe);
    m_output->addAction(aHtml);

    setToolBarActions({aUj, aSzerkeszt, aTorol, nullptr, aNyomtat, nullptr, aElfogad, aBezar});
    if (auto *button = qobject_cast<QToolButton *>(toolBar()->widgetForAction(aNyomtat))) {
        button->setMenu(printMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    setContextActions({aUj, aSzerkeszt, aTorol, nullptr, m_output->menuAction(), nullptr, aElfogad, aBezar});
}

Tfrm_Torzsfix::~Tfrm_Torzsfix() = default;

void Tfrm_Torzsfix::openData()
{
    QryTip.open();
    QryUgyfel.open();
    Tbl.open();
    Tbl.fieldByName(QStringLiteral("osszeg")).setDisplayFormat(QStringLiteral("### ### ##0"));
}

void Tfrm_Torzsfix::closeData()
{
    ListWindow::closeData();
    QryUgyfel.close();
    QryTip.close();
}

std::unique_ptr<QDialog> Tfrm_Torzsfix::createEditDialog(bool)
{
    if (QryUgyfel.sqlText() != kAllClients) {
        QryUgyfel.close();
        QryUgyfel.setSQL(kAllClients);
        QryUgyfel.open();
    }
    auto dialog = std::make_unique<Tfrm_Torzsfix_Szerkeszt>(&Tbl, &QryTip, &QryUgyfel, this);
    connect(dialog.get(), &Tfrm_Torzsfix_Szerkeszt::lookupsReread, this,
            guarded([this] { m_lookupsReread = true; }));
    return dialog;
}

void Tfrm_Torzsfix::newRow()
{
    m_lookupsReread = false;
    ListWindow::newRow();
    rereadAfterDialog();
}

void Tfrm_Torzsfix::editRow()
{
    m_lookupsReread = false;
    ListWindow::editRow();
    rereadAfterDialog();
}

void Tfrm_Torzsfix::rereadAfterDialog()
{
    if (!m_lookupsReread || !Tbl.isActive() || Tbl.state() != TDataSetState::dsBrowse)
        return;
    m_lookupsReread = false;
    const int key = currentKey();
    Tbl.refresh();
    if (key != -1)
        moveToKey(key);
}

void Tfrm_Torzsfix::acceptRow()
{
    m_chosen = TFix();
    if (hasRows()) {
        m_chosen.kasszatip = Tbl.fieldByName(QStringLiteral("kasszatip")).asInteger();
        m_chosen.ugyfel = Tbl.fieldByName(QStringLiteral("ugyfel")).asInteger();
        m_chosen.osszeg = Tbl.fieldByName(QStringLiteral("osszeg")).asFloat();
        m_chosen.szoveg = Tbl.fieldByName(QStringLiteral("szoveg")).asString();
        m_chosen.kasszatip_nev = Tbl.fieldByName(fKasszatipNev).asString();
        m_chosen.ugyfel_nev = Tbl.fieldByName(fUgyfelNev).asString();
    }
    ListWindow::acceptRow();
}

void Tfrm_Torzsfix::printList(bool print)
{
    PrintGrid(grid(), print, true, windowTitle(), 8);
}

void Tfrm_Torzsfix::exportDelimited()
{
    ExportDelimited(Tbl, QString(), this);
}

void Tfrm_Torzsfix::exportHtml()
{
    ExportGridHtml(grid(), windowTitle());
}

int ChooseFix(int moveTo, bool choiceMode, QWidget *parent)
{
    return ChooseFix(moveTo, choiceMode, static_cast<TFix *>(nullptr), parent);
}

int ChooseFix(int moveTo, bool choiceMode, TFix *item, QWidget *parent)
{
    Tfrm_Torzsfix w(parent);
    w.setChoiceMode(choiceMode);
    const int key = w.openAndExec(moveTo);
    if (!choiceMode)
        return -1;
    if (key != -1 && item)
        *item = w.chosen();
    return key;
}

int BookFixedItem(int kassza, QWidget *parent)
{
    TFix item;
    if (ChooseFix(-1, true, &item, parent) == -1)
        return -1;
    return InsertEntryToday(kassza, item.kasszatip, item.ugyfel, item.szoveg, item.osszeg);
}

}  // namespace zorva
