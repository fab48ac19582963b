// The windows the main window opens: cash boxes, cash types, clients, fixed items, bills,
// debts, users, the entry editor, and the choosers behind the cash-type and client filters.
#include "main.h"

#include "admin/users/felhasznalo.h"
#include "bills/payments/csekkfizet.h"
#include "bills/payments/fizetnikell.h"
#include "bills/types/torzscsekk.h"
#include "core/globals.h"
#include "core/ui/slotguard.h"
#include "db/query.h"
#include "debts/debts/tartozas.h"
#include "entries/bankimport/import.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "entries/editor/szerkeszt.h"
#include "masterdata/cashboxes/torzskassza.h"
#include "masterdata/cashtypes/torzskasszatip.h"
#include "masterdata/fixeditems/torzsfix.h"

#include <QAction>

using namespace zorva;

void Tfrm_Main::wireWindowActions()
{
    // Cash boxes: maintenance without a rights check, the list is not re-read afterwards.
    connect(m_a.aKassza, &QAction::triggered, this,
            guarded([this] { ChooseCassa(Cassa(), false, nullptr, this); }));
    connect(m_a.aKasszaValaszt, &QAction::triggered, this, guarded([this] {
                if (!m_dbOpen)
                    return;
                const int id = ChooseCassa(Cassa(), true, nullptr, this);
                if (id == -1)
                    return;
                Cassa() = id;
                ReloadList();
            }));

    connect(m_a.aTorzsKasszaTipus, &QAction::triggered, this, guarded([this] {
                if (checkRights(QStringLiteral("aTorzsKasszaTipus")))
                    ChooseKasszaTip(-1, false, 0, this);
            }));
    connect(m_a.aSzur2, &QAction::triggered, this, guarded([this] {
                const int noSignFilter = 0;
                const int id = m_dbOpen ? ChooseKasszaTip(-1, true, noSignFilter, this) : -1;
                if (id == -1) {
                    restoreFilterCheck();
                    return;
                }
                setFilter(m_a.aSzur2, QStringLiteral("(kasszatip=%1)").arg(id));
            }));

    connect(m_a.aTorzsUgyfel, &QAction::triggered, this, guarded([this] {
                if (checkRights(QStringLiteral("aTorzsUgyfel")))
                    ChooseClient(-1, false, nullptr, this);
            }));
    connect(m_a.aSzur6, &QAction::triggered, this, guarded([this] {
                const int id = m_dbOpen ? ChooseClient(-1, true, nullptr, this) : -1;
                if (id == -1) {
                    restoreFilterCheck();
                    return;
                }
                setFilter(m_a.aSzur6, QStringLiteral("(ugyfel=%1)").arg(id));
            }));

    connect(m_a.aUj, &QAction::triggered, this, guarded([this] {
                if (checkRights(QStringLiteral("aUj")) && m_dbOpen && cashBoxReady())
                    editEntry(-1);
            }));
    connect(m_a.aSzerkeszt, &QAction::triggered, this, guarded([this] {
                if (checkRights(QStringLiteral("aSzerkeszt")) && m_dbOpen)
                    editEntry(currentHid());
            }));

    // Fixed items: upkeep, and booking one into the current cash box dated today.
    connect(m_a.aTorzsFix, &QAction::triggered, this, guarded([this] {
                if (checkRights(QStringLiteral("aTorzsFix")) && m_dbOpen)
                    ChooseFix(-1, false, this);
            }));
    connect(m_a.aUjFix, &QAction::triggered, this, guarded([this] {
                if (!checkRights(QStringLiteral("aUjFix")) || !m_dbOpen || !cashBoxReady())
                    return;
                const int hid = BookFixedItem(Cassa(), this);
                if (hid == -1)
                    return;
                if (hid > 0)
                    reopenList(hid);
                else
                    ReloadList();  // booked, but its id was lost with a re-connection
                RefreshTotals();
            }));

    // Bank statements: the list and the totals show what the import booked.
    connect(m_a.aImport, &QAction::triggered, this, guarded([this] {
                if (!checkRights(QStringLiteral("aImport")) || !m_dbOpen)
                    return;
                if (ImportStatement(this) > 0) {
                    ReloadList();
                    RefreshTotals();
                }
            }));

    // Bills: payments may book entries, so the list is read again afterwards.
    connect(m_a.aCsekkFizet, &QAction::triggered, this, guarded([this] {
                if (!m_dbOpen)
                    return;
                BillPaymentHooks hooks;
                hooks.refreshTotals = [this] { RefreshTotals(); };
                hooks.chartActions = {m_a.aChCsekkMegoszlik, m_a.aChCsekkFizet};
                ShowBillPayments(hooks, this);
                ReloadList();
            }));
    connect(m_a.aCsekkTipus, &QAction::triggered, this, guarded([this] {
                if (m_dbOpen)
                    ChooseCsekk(-1, false, this);
            }));
    onDueBillsTimer = [this] {
        if (m_dbOpen)
            ShowDueBills(this);
    };

    // Money lent and borrowed: bookings and repayments reach the cash book.
    const auto debtWindow = [this](void (*open)(const DebtWindowHooks &, QWidget *)) {
        if (!m_dbOpen)
            return;
        DebtWindowHooks hooks;
        hooks.refreshTotals = [this] { RefreshTotals(); };
        open(hooks, this);
        ReloadList();
    };
    connect(m_a.aTartozik, &QAction::triggered, this, guarded([debtWindow] { debtWindow(&ShowClaims); }));
    connect(m_a.aKovetel, &QAction::triggered, this, guarded([debtWindow] { debtWindow(&ShowDebts); }));

    connect(m_a.aFelhasznalo, &QAction::triggered, this, guarded([this] {
                if (checkRights(QStringLiteral("aFelhasznalo")) && m_dbOpen)
                    ShowUsers(this);
            }));
}

// A new entry (hid -1) or the current one; afterwards the list is read again on the
// entry written, and the totals.
void Tfrm_Main::editEntry(int hid)
{
    const int written = EditEntry(hid, this);
    if (written == -1)
        return;
    reopenList(written);
    RefreshTotals();
}
