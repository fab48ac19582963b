#include "csekkfizet.h"

#include "csekkfizet_szerkeszt.h"
#include "unpaidtotal.h"
#include "bills/types/flagmarkdelegate.h"
#include "bills/types/torzscsekk.h"
#include "core/ui/mainicons.h"
#include "core/ui/slotguard.h"

#include "core/datehelpers.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/dbhelpers/proccalls.h"
#include "core/globals.h"
#include "core/sqltext.h"
#include "core/ui/dbgrid.h"
#include "core/ui/messagebox.h"
#include "entries/dialogs/dialogclock.h"
#include "entries/dialogs/inpstr.h"
#include "entries/editor/entryroutines.h"
#include "export/ui/grid2html.h"
#include "masterdata/cashboxes/cashboxcheck.h"
#include "masterdata/cashboxes/torzskassza.h"
#include "masterdata/settings/beallit.h"
#include "reports/ui/gridprint.h"

#include "db/query.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace zorva {

namespace {

constexpr int kFizetveColumn = 0;

const QColor kOverdueText(128, 0, 0);
const QColor kOverdueBackground(255, 221, 221);
const QColor kPaidBackground(193, 255, 224);

}  // namespace

Tfrm_CsekkFizet::Tfrm_CsekkFizet(BillPaymentHooks hooks, QWidget *parent)
    : ListWindow(QStringLiteral("frm_CsekkFizet"), QStringLiteral("Csekk befizetések"),
                 parent ? parent : QApplication::activeWindow()),
      m_hooks(std::move(hooks))
{
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(QStringList{QStringLiteral("SELECT * FROM vw_csekkfizet"), QStringLiteral("ORDER BY 1;")});
    connect(m_qry, &TDataSet::afterOpen, this, &Tfrm_CsekkFizet::applyFormats);

    setTitle(QStringLiteral("Csekk befizetések"));
    setDesignSize(750, 564);
    setKeyField(QStringLiteral("csekkfizet"));
    setSortField(QStringLiteral("csekkfizet"));
    setDataSet(m_qry);
    setColumns({{QStringLiteral("fizetve"), QStringLiteral("!")},
                {QStringLiteral("csekkfizet"), QStringLiteral("sorszám")},
                {QStringLiteral("csekk_nev"), QStringLiteral("csekk")},
                {QStringLiteral("idoszak"), QStringLiteral("időszak")},
                {QStringLiteral("ugyfel_nev"), QStringLiteral("ügyfél")},
                {QStringLiteral("dat_hatid"), QStringLiteral("határidő")},
                {QStringLiteral("dat_fizetve"), QStringLiteral("befizetés")},
                {QStringLiteral("osszeg"), QStringLiteral("összeg")}});
    setColumnShares(58, {0, 0.1, 0.2, 0.1, 0.2, 0.15, 0.15, 0.1});
    grid()->horizontalHeader()->setMinimumSectionSize(16);
    setFixedColumnWidth(kFizetveColumn, 18);
    setMarkedColumn(1);
    enableTitleSort(false);
    grid()->setItemDelegateForColumn(kFizetveColumn, new FlagMarkDelegate(1, grid()));
    grid()->setColorRule([this](int row, int column, int role) { return cellColor(row, column, role); });

    m_unpaid = new QLabel(statusBar());
    m_unpaid->setObjectName(QStringLiteral("StatusPanel1"));
    m_unpaid->setFixedWidth(200);
    statusBar()->addWidget(m_unpaid);
    m_third = new QLabel(statusBar());
    m_third->setObjectName(QStringLiteral("StatusPanel2"));
    m_third->setFixedWidth(50);
    statusBar()->addWidget(m_third);

    m_aSzur =
        addWindowAction(QStringLiteral("aSzur"), QStringLiteral("Kifizetetlen csekkek szűrése"),
                        QStringLiteral("Csak a ki nem fizetett csekkek"), QKeySequence(Qt::CTRL | Qt::Key_S),
                        styleIcon(QStyle::SP_FileDialogContentsView));
    m_aSzur->setIconText(QStringLiteral("Kifizetetlen"));
    m_aSzur->setCheckable(true);
    connect(m_aSzur, &QAction::toggled, this, guarded(this, &Tfrm_CsekkFizet::setUnpaidOnly));
    QAction *aUj = addStandardAction(New, QStringLiteral("Új"));
    QAction *aSzerkeszt = addStandardAction(Edit);
    QAction *aTorol = addStandardAction(Delete);
    QAction *aGeneral = addWindowAction(QStringLiteral("aGeneral"), QStringLiteral("Generál"),
                                        QStringLiteral("Az időszak csekkjeinek generálása"),
                                        QKeySequence(Qt::Key_F9), styleIcon(QStyle::SP_BrowserReload));
    connect(aGeneral, &QAction::triggered, this, guarded(this, &Tfrm_CsekkFizet::generate));
    QAction *aKifizet = addWindowAction(QStringLiteral("aKifizet"), QStringLiteral("Kifizet"),
                                        QStringLiteral("Csekk kifizetése, vagy a kifizetés törlése"),
                                        QKeySequence(Qt::Key_F3), styleIcon(QStyle::SP_DialogYesButton));
    connect(aKifizet, &QAction::triggered, this, guarded(this, &Tfrm_CsekkFizet::payOrUnpay));
    QAction *aNyomtat = addStandardAction(Print);
    connect(aNyomtat, &QAction::triggered, this, guarded(this, &Tfrm_CsekkFizet::printGrid));
    QAction *aHtml = addStandardAction(Html, QStringLiteral("HTML export"));
    connect(aHtml, &QAction::triggered, this, guarded([this] { ExportGridHtml(grid(), windowTitle()); }));
    QAction *aBezar = addStandardAction(Close);

    setToolBarActions({m_aSzur, nullptr, aUj, aSzerkeszt, aTorol, nullptr, aGeneral, nullptr, aKifizet,
                       nullptr, aNyomtat, nullptr, aBezar});
    auto *printMenu = new QMenu(this);
    printMenu->setObjectName(QStringLiteral("PopupMenu2"));
    printMenu->addActions({aNyomtat, aHtml});
    printMenu->addSeparator();
    for (QAction *chart : m_hooks.chartActions) {
        if (chart)
            printMenu->addAction(chart);
    }
    if (auto *button = qobject_cast<QToolButton *>(toolBar()->widgetForAction(aNyomtat))) {
        button->setMenu(printMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    setContextActions({m_aSzur, nullptr, aUj, aSzerkeszt, aTorol, nullptr, aGeneral, nullptr, aKifizet,
                       nullptr, aNyomtat, aHtml, nullptr, aBezar});
}

Tfrm_CsekkFizet::~Tfrm_CsekkFizet()
{
    grid()->setColorRule(nullptr);
}

void Tfrm_CsekkFizet::applyFormats()
{
    m_fizetveField = m_qry->fieldIndex(QStringLiteral("fizetve"));
    m_hatidField = m_qry->fieldIndex(QStringLiteral("dat_hatid"));
    if (TField *f = m_qry->findField(QStringLiteral("osszeg")))
        f->setDisplayFormat(beall().Format);
    for (const char *name : {"dat_hatid", "dat_fizetve"}) {
        if (TField *f = m_qry->findField(QString::fromLatin1(name)))
            f->setDisplayFormat(QStringLiteral("yyyy.mm.dd"));
    }
}

QVariant Tfrm_CsekkFizet::cellColor(int row, int column, int role) const
{
    if ((role != Qt::BackgroundRole && role != Qt::ForegroundRole) || column == kFizetveColumn ||
        !m_qry->isActive() || row == m_qry->currentIndex())
        return {};
    const int fizetve = m_fizetveField;
    const int hatid = m_hatidField;
    if (fizetve < 0 || hatid < 0)
        return {};
    const QString flag = m_qry->valueAt(row, fizetve).toString();
    if (flag == QLatin1String("N")) {
        const QVariant due = m_qry->valueAt(row, hatid);
        if (due.isNull() || due.toDate() >= dialogToday())
            return {};
        if (role == Qt::ForegroundRole)
            return kOverdueText;
        if (role == Qt::BackgroundRole)
            return kOverdueBackground;  // the sort column keeps its own colour
        return {};
    }
    if (flag == QLatin1String("I") && role == Qt::BackgroundRole)
        return kPaidBackground;
    return {};
}

void Tfrm_CsekkFizet::showUnpaid(const QString &format)
{
    m_unpaid->setText(UnpaidTotalText(format));
}

void Tfrm_CsekkFizet::setUnpaidOnly(bool on)
{
    if (m_aSzur->isChecked() != on) {
        m_aSzur->setChecked(on);  // comes back here through toggled
        return;
    }
    const int key = currentKey();
    m_qry->setFilter(on ? QStringLiteral("fizetve='N'") : QString());
    m_qry->setFiltered(on);
    if (key != -1)
        moveToKey(key);
    updateStatus();
}

void Tfrm_CsekkFizet::newRow()
{
    TCsekk type;
    if (ChooseCsekk(-1, true, type, this) == -1)
        return;
    activateWindow();
    const int id = EditCsekkFizet(-1, &type, this);
    activateWindow();
    if (id == -1)
        return;
    reopenOn(id);
    showUnpaid();
}

void Tfrm_CsekkFizet::editRow()
{
    if (!hasRows())
        return;
    if (m_qry->fieldByName(QStringLiteral("fizetve")).asString() == QLatin1String("I")) {
        ShowError(QStringLiteral("A csekk kifizetése már megtörtént, nem módosítható"), this);
        return;
    }
    const int key = currentKey();
    const int id = EditCsekkFizet(key, nullptr, this);
    activateWindow();
    reopenOn(id != -1 ? id : key);
    showUnpaid(beall().Format);
}

void Tfrm_CsekkFizet::deleteCurrentRow()
{
    ExecSql(QStringLiteral("DELETE FROM csekkfizet WHERE csekkfizet=") +
            SqlIntOrZero(m_qry->fieldByName(QStringLiteral("csekkfizet")).value()) + QStringLiteral(";"));
    reopenOn(-1);
    showUnpaid();
}

void Tfrm_CsekkFizet::generate()
{
    QString period = PeriodOfDate(dialogToday());
    if (!AskText(QStringLiteral("Időszak"), QStringLiteral("Add meg az időszakot!"), PeriodMask(), -1, period,
                 this))
        return;
    activateWindow();
    ExecSql(callCsekkGen(period));
    reopenOn(-1);
    showUnpaid();
}

void Tfrm_CsekkFizet::payOrUnpay()
{
    if (!hasRows())
        return;
    const int key = currentKey();
    const QString flag = m_qry->fieldByName(QStringLiteral("fizetve")).asString();
    const int ugyfel = m_qry->fieldByName(QStringLiteral("ugyfel")).asInteger();
    const double osszeg = m_qry->fieldByName(QStringLiteral("osszeg")).asFloat();
    if (flag == QLatin1String("N")) {
        // The questions come first; paying and booking then go together as one unit.
        int kassza = -1;
        if (AskYesNo(QStringLiteral("Csökkentsem az összeggel a kasszát?"), QStringLiteral("Kérdés"), this) &&
            !chooseBookingBox(kassza)) {
            reopenOn(key);
            showUnpaid();
            return;
        }
        try {
            PayBill(key, kassza, beall().kasszatip_csekk, ugyfel, osszeg);
        } catch (...) {
            reopenOn(key);
            showUnpaid();
            throw;
        }
        if (kassza != -1 && m_hooks.refreshTotals)
            m_hooks.refreshTotals();
    } else if (AskYesNo(QStringLiteral("Valóban törlöd a kifizetést?"), QStringLiteral("Megerősítés"),
                        this)) {
        ExecSql(callCsekkFizet(key));
        ShowWarning(QStringLiteral("A kasszából a csekk kifizetés összege nem került eltávolításra."), this);
    }
    reopenOn(key);
    showUnpaid();
}

bool Tfrm_CsekkFizet::chooseBookingBox(int &kassza)
{
    const int kasszatip = beall().kasszatip_csekk;
    if (!CashTypeSettingReady(
            kasszatip,
            Tfrm_Beallit::cashTypeLabel(Tfrm_Beallit::rowOfColumn(QStringLiteral("kasszatip_csekk"))),
            this) ||
        !CashBoxReady(-1, this)) {
        activateWindow();
        return false;
    }
    kassza = ChooseCassa(-1, true, nullptr, this);  // -1: paid without booking, as the user chose
    activateWindow();
    return true;
}

void Tfrm_CsekkFizet::printGrid()
{
    PrintGrid(grid(), true, false, windowTitle(), 8, QStringLiteral("osszeg"),
              m_aSzur->isChecked() ? QStringLiteral("Ki nem fizetett") : QStringLiteral("Összes"));
}

void ShowBillPayments(const BillPaymentHooks &hooks, QWidget *parent)
{
    Tfrm_CsekkFizet w(hooks, parent);
    w.openAndExec(-1);
}

}  // namespace zorva
