#include "tartozas.h"

#include "tartozas_szerkeszt.h"
#include "core/ui/mainicons.h"
#include "core/ui/slotguard.h"
#include "debts/repayments/torleszt.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/querytext.h"
#include "core/sqltext.h"
#include "core/ui/dbgrid.h"
#include "core/ui/messagebox.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "entries/editor/entryroutines.h"
#include "export/ui/grid2html.h"
#include "masterdata/cashboxes/cashboxcheck.h"
#include "reports/ui/gridprint.h"

#include "db/query.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace zorva {

namespace {

QString windowLabel(DebtDirection direction)
{
    return direction == DebtDirection::Claims ? QStringLiteral("Nekem tartoznak")
                                              : QStringLiteral("Én tartozom");
}

}  // namespace

Tfrm_Tartozas::Tfrm_Tartozas(DebtDirection direction, DebtWindowHooks hooks, QWidget *parent)
    : ListWindow(QStringLiteral("frm_Tartozas"), QStringLiteral("Tartozások"),
                 parent ? parent : QApplication::activeWindow()),
      m_direction(direction),
      m_hooks(std::move(hooks))
{
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(QStringList{QStringLiteral("SELECT * FROM vw_tartozik"), QStringLiteral("WHERE tartozik>0"),
                              QStringLiteral("ORDER BY ugyfel_nev;")});
    connect(m_qry, &TDataSet::afterOpen, this, &Tfrm_Tartozas::applyFormats);
    connect(m_qry, &TDataSet::afterScroll, this, &Tfrm_Tartozas::showNote);
    connect(m_qry, &TDataSet::rowsReset, this, &Tfrm_Tartozas::showNote);
    connect(m_qry, &TDataSet::afterClose, this, &Tfrm_Tartozas::showNote);

    setTitle(windowLabel(direction) + QStringLiteral("  "));
    setDesignSize(787, 501);
    setKeyField(QStringLiteral("tartozik"));
    setDataSet(m_qry);
    setColumns({{QStringLiteral("ugyfel_nev"), QStringLiteral("Ügyfél")},
                {QStringLiteral("datum"), QStringLiteral("Dátum")},
                {QStringLiteral("dat_megad_kell"), QStringLiteral("Határidő")},
                {QStringLiteral("dat_megad"), QStringLiteral("Megadva")},
                {QStringLiteral("osszeg"), QStringLiteral("Összeg")},
                {QStringLiteral("torlesztve"), QStringLiteral("Törlesztve")},
                {QStringLiteral("marad"), QStringLiteral("Marad")}});
    setColumnShares(44, {0.25, 0.15, 0.15, 0.15, 0.1, 0.1, 0.1});
    setMarkedColumn(0);
    enableSearch(QStringLiteral("ugyfel_nev"), false);
    enableTitleSort(true);
    setSortField(QStringLiteral("ugyfel_nev"));

    m_note = new QLabel(statusBar());
    m_note->setObjectName(QStringLiteral("StatusPanel1"));
    m_note->setFixedWidth(300);
    statusBar()->addWidget(m_note);
    auto *third = new QLabel(statusBar());
    third->setObjectName(QStringLiteral("StatusPanel2"));
    third->setFixedWidth(50);
    statusBar()->addWidget(third);

    m_aSzur =
        addWindowAction(QStringLiteral("aSzur"), QStringLiteral("Függő"),
                        QStringLiteral("Csak a még meg nem adott tartozások"),
                        QKeySequence(Qt::CTRL | Qt::Key_S), styleIcon(QStyle::SP_FileDialogContentsView));
    m_aSzur->setCheckable(true);
    m_aSzur->setChecked(true);
    connect(m_aSzur, &QAction::toggled, this, guarded(this, &Tfrm_Tartozas::setPendingOnly));
    QAction *aKolcsonad =
        addWindowAction(QStringLiteral("aKolcsonad"), QStringLiteral("Kölcsönad"),
                        QStringLiteral("Új kölcsön"), QKeySequence(Qt::Key_Insert), standardIcon(New));
    connect(aKolcsonad, &QAction::triggered, this, guarded(this, &Tfrm_Tartozas::newRow));
    QAction *aTorol = addStandardAction(Delete);
    QAction *aNovel = addWindowAction(QStringLiteral("aNovel"), QStringLiteral("Még kölcsönad"),
                                      QStringLiteral("További kölcsön a tartozásra"),
                                      QKeySequence(Qt::Key_F8), styleIcon(QStyle::SP_ArrowUp));
    connect(aNovel, &QAction::triggered, this, guarded(this, &Tfrm_Tartozas::lendMore));
    QAction *aTorleszt = addWindowAction(QStringLiteral("aTorleszt"), QStringLiteral("Törleszt"),
                                         QStringLiteral("A tartozás egy részének törlesztése"),
                                         QKeySequence(Qt::Key_F7), styleIcon(QStyle::SP_ArrowDown));
    connect(aTorleszt, &QAction::triggered, this, guarded(this, &Tfrm_Tartozas::repay));
    QAction *aMegad = addWindowAction(QStringLiteral("aMegad"), QStringLiteral("Megad"),
                                      QStringLiteral("A tartozás maradékának megadása"),
                                      QKeySequence(Qt::Key_F9), styleIcon(QStyle::SP_DialogApplyButton));
    connect(aMegad, &QAction::triggered, this, guarded(this, &Tfrm_Tartozas::settle));
    QAction *aReszletek = addWindowAction(
        QStringLiteral("aReszletek"), QStringLiteral("Részletek"), QStringLiteral("A tartozás mozgásai"),
        QKeySequence(Qt::CTRL | Qt::Key_R), styleIcon(QStyle::SP_FileDialogDetailedView));
    connect(aReszletek, &QAction::triggered, this, guarded(this, &Tfrm_Tartozas::showMovements));
    QAction *aNyomtat = addStandardAction(Print);
    connect(aNyomtat, &QAction::triggered, this, guarded([this] {
                PrintGrid(grid(), true, true, windowLabel(m_direction), 8, QStringLiteral("marad"));
            }));
    QAction *aHtml = addStandardAction(Html);
    connect(aHtml, &QAction::triggered, this, guarded([this] {
                ExportGridHtml(grid(), windowLabel(m_direction), QString(), QStringLiteral("marad"));
            }));
    QAction *aBezar = addStandardAction(Close);

    setToolBarActions({m_aSzur, nullptr, aKolcsonad, aTorol, nullptr, aNovel, aTorleszt, aMegad, nullptr,
                       aReszletek, nullptr, aNyomtat, nullptr, aBezar});
    auto *printMenu = new QMenu(this);
    printMenu->setObjectName(QStringLiteral("PopupMenu2"));
    printMenu->addActions({aNyomtat, aHtml});
    if (auto *button = qobject_cast<QToolButton *>(toolBar()->widgetForAction(aNyomtat))) {
        button->setMenu(printMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    setContextActions(
        {aKolcsonad, aTorol, nullptr, aTorleszt, aMegad, nullptr, aNyomtat, aHtml, nullptr, aBezar});
    applyCondition();
}

Tfrm_Tartozas::~Tfrm_Tartozas() = default;

QString Tfrm_Tartozas::directionCondition() const
{
    return m_direction == DebtDirection::Claims ? QStringLiteral("(tartozas='I')")
                                                : QStringLiteral("(tartozas='N')");
}

int Tfrm_Tartozas::loanCashType() const
{
    return m_direction == DebtDirection::Claims ? beall().kasszatip_ki : beall().kapkasszatip_ki;
}

int Tfrm_Tartozas::repaymentCashType() const
{
    return m_direction == DebtDirection::Claims ? beall().kasszatip_vissza : beall().kapkasszatip_vissza;
}

QString Tfrm_Tartozas::loanSettingName() const
{
    return m_direction == DebtDirection::Claims ? QStringLiteral("kölcsönbe adok kasszatípus")
                                                : QStringLiteral("kölcsönbe kapok kasszatípus");
}

QString Tfrm_Tartozas::repaymentSettingName() const
{
    return m_direction == DebtDirection::Claims ? QStringLiteral("kölcsönt törlesztik nekem")
                                                : QStringLiteral("kölcsönt törlesztem");
}

void Tfrm_Tartozas::applyFormats()
{
    for (const char *name : {"osszeg", "torlesztve", "marad"}) {
        if (TField *f = m_qry->findField(QString::fromLatin1(name)))
            f->setDisplayFormat(beall().Format);
    }
    for (const char *name : {"datum", "dat_megad_kell", "dat_megad"}) {
        if (TField *f = m_qry->findField(QString::fromLatin1(name)))
            f->setDisplayFormat(QStringLiteral("yyyy.mm.dd"));
    }
}

void Tfrm_Tartozas::applyCondition()
{
    SetWhereLine(
        m_qry->sql(),
        directionCondition() + (m_aSzur->isChecked() ? QStringLiteral(" AND (megadva='N')") : QString()),
        true);
}

void Tfrm_Tartozas::openData()
{
    applyCondition();
    m_qry->open();
}

void Tfrm_Tartozas::showNote()
{
    QString text = QStringLiteral("Megjegyzés: ");
    if (m_qry->isActive() && !m_qry->isEmpty())
        text += m_qry->fieldByName(QStringLiteral("szoveg")).asString();
    m_note->setText(text);
}

void Tfrm_Tartozas::reloadList(int id)
{
    const int key = currentKey();
    const int recNo = m_qry->isActive() ? m_qry->recNo() : 0;
    m_qry->close();
    applyCondition();
    m_qry->open();
    if (id != -1 && moveToKey(id)) {
    } else if (key != -1 && moveToKey(key)) {
    } else if (recNo > 0 && !m_qry->isEmpty()) {
        m_qry->setRecNo(qMin(recNo, m_qry->recordCount()));
    }
    updateStatus();
    showNote();
}

void Tfrm_Tartozas::setPendingOnly(bool on)
{
    if (m_aSzur->isChecked() != on) {
        m_aSzur->setChecked(on);  // comes back here through toggled
        return;
    }
    reloadList();
}

DebtRecord Tfrm_Tartozas::currentDebt() const
{
    DebtRecord debt;
    debt.claim = m_direction == DebtDirection::Claims;
    if (!hasRows())
        return debt;
    debt.tartozik = m_qry->fieldByName(QStringLiteral("tartozik")).asInteger();
    debt.ugyfel = m_qry->fieldByName(QStringLiteral("ugyfel")).asInteger();
    debt.ugyfelNev = m_qry->fieldByName(QStringLiteral("ugyfel_nev")).asString();
    debt.marad = m_qry->fieldByName(QStringLiteral("marad")).asFloat();
    debt.megadva = m_qry->fieldByName(QStringLiteral("megadva")).asString() == QLatin1String("I");
    return debt;
}

void Tfrm_Tartozas::refreshTotals()
{
    if (m_hooks.refreshTotals)
        m_hooks.refreshTotals();
}

void Tfrm_Tartozas::newRow()
{
    // Without the loan's cash type the booking would be refused after the loan was written.
    if (!CheckCashTypeSet(loanCashType(), loanSettingName(), this))
        return;
    QString name;
    const int ugyfel = ChooseClient(-1, true, &name, this);
    activateWindow();
    if (ugyfel == -1)
        return;
    const int id = EditTartozas(-1, ugyfel, m_direction == DebtDirection::Claims, this);
    activateWindow();
    if (id == -1)
        return;
    const int client = QueryInt(QStringLiteral("SELECT ugyfel FROM tartozik WHERE tartozik=") +
                                    SqlIntOrZero(id) + QStringLiteral(";"),
                                ugyfel);
    const double osszeg = QueryFloat(QStringLiteral("SELECT osszeg FROM tartozik WHERE tartozik=") +
                                         SqlIntOrZero(id) + QStringLiteral(";"),
                                     0);
    const QString clientName = LookupName(client, QStringLiteral("ugyfel"), name);
    try {
        InsertEntryToday(Cassa(), loanCashType(), client, QStringLiteral("Kölcsön: ") + clientName, osszeg);
    } catch (...) {
        // A loan without its booking is taken back.
        try {
            ExecSql(QStringLiteral("DELETE FROM tartozik WHERE tartozik=") + SqlIntOrZero(id) +
                    QStringLiteral(";"));
        } catch (...) {
        }
        reloadList();
        throw;
    }
    refreshTotals();
    reloadList(id);
}

void Tfrm_Tartozas::editRow()
{
    // A loan changes only through its movements.
}

void Tfrm_Tartozas::deleteRow()
{
    if (!hasRows())
        return;
    if (!AskYesNo(QStringLiteral("Valóban töröljem a tartozást?"), QStringLiteral("Megerősítés"), this))
        return;
    deleteCurrentRow();
}

void Tfrm_Tartozas::deleteCurrentRow()
{
    ExecSql(QStringLiteral("DELETE FROM tartozik WHERE tartozik=") +
            SqlIntOrZero(m_qry->fieldByName(QStringLiteral("tartozik")).value()) + QStringLiteral(";"));
    reloadList();
}

void Tfrm_Tartozas::runMovement(const std::function<bool()> &movement, bool refreshAfter)
{
    const int key = currentKey();
    bool done = false;
    try {
        done = movement();
    } catch (...) {
        activateWindow();
        reloadList(key);
        refreshTotals();
        throw;
    }
    activateWindow();
    if (!done)
        return;
    reloadList(key);
    if (refreshAfter)
        refreshTotals();
}

void Tfrm_Tartozas::repay()
{
    const DebtRecord debt = currentDebt();
    if (debt.tartozik <= 0)
        return;
    if (!CheckCashTypeSet(repaymentCashType(), repaymentSettingName(), this))
        return;
    runMovement([&] { return RepayDebt(debt, repaymentCashType(), this); }, true);
}

void Tfrm_Tartozas::settle()
{
    const DebtRecord debt = currentDebt();
    if (debt.tartozik <= 0 || !CashBoxReady(Cassa(), this))
        return;
    runMovement(
        [&] {
            return SettleDebt(
                debt, [this] { refreshTotals(); }, this);
        },
        false);
}

void Tfrm_Tartozas::lendMore()
{
    const DebtRecord debt = currentDebt();
    if (debt.tartozik <= 0)
        return;
    if (!CheckCashTypeSet(loanCashType(), loanSettingName(), this))
        return;
    const double osszeg = m_qry->fieldByName(QStringLiteral("osszeg")).asFloat();
    runMovement([&] { return LendMore(debt, osszeg, loanCashType(), this); }, true);
}

void Tfrm_Tartozas::showMovements()
{
    if (!hasRows())
        return;
    ShowDebtMovements(currentKey(), this);
    activateWindow();
}

void ShowDebtWindow(DebtDirection direction, const DebtWindowHooks &hooks, QWidget *parent)
{
    Tfrm_Tartozas w(direction, hooks, parent);
    w.openAndExec(-1);
}

void ShowClaims(const DebtWindowHooks &hooks, QWidget *parent)
{
    ShowDebtWindow(DebtDirection::Claims, hooks, parent);
}

void ShowDebts(const DebtWindowHooks &hooks, QWidget *parent)
{
    ShowDebtWindow(DebtDirection::Debts, hooks, parent);
}

}  // namespace zorva
