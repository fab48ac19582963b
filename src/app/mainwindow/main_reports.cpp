// The "Nyomtatások" menu: the cash-book reports with the dialogs that ask their
// date range, month range, client or cash type first.
#include "main.h"

#include "mainstatusbar.h"
#include "totalspanel.h"
#include "bills/types/torzscsekk.h"
#include "core/globals.h"
#include "core/ui/slotguard.h"
#include "entries/dialogs/dialogclock.h"
#include "entries/dialogs/honap.h"
#include "entries/dialogs/idoszak.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "masterdata/cashtypes/torzskasszatip.h"
#include "reports/cashbook/cashbookreports.h"
#include "reports/lists/listreports.h"

#include <QAction>

using namespace zorva;

namespace {

// From today minus one calendar month to today; false when the dialog was cancelled.
bool askReportRange(QDate &from, QDate &to, QWidget *parent)
{
    to = dialogToday();
    from = to.addMonths(-1);
    return AskDateRange(from, to, QString(), parent);
}

}  // namespace

void Tfrm_Main::wireReportActions()
{
    // The lists printed from the client chooser and the bill-types window.
    setClientListPrinter([](QWidget *parent) { PrintClientList(parent); });
    setBillTypeListPrinter([](QWidget *parent) { PrintBillTypeList(parent); });

    connect(m_a.aNyomKassza, &QAction::triggered, this, guarded([this] {
                if (m_dbOpen)
                    PrintCashHistory(m_totals->nyito(), m_totals->bevetel(), m_totals->kiadas(),
                                     m_totals->zaro(), m_status->panel(MainStatusBar::Period));
            }));

    // Movements of a range: mode 0 all, 1 incomes, 2 expenses; the current box or every box.
    const auto movements = [this](int mode, bool everyBox) {
        QDate from, to;
        if (m_dbOpen && askReportRange(from, to, this))
            PrintPeriodMovements(mode, everyBox ? -1 : Cassa(), from, to);
    };
    connect(m_a.aNyomOssz, &QAction::triggered, this, guarded([movements] { movements(0, false); }));
    connect(m_a.aNyomBevet, &QAction::triggered, this, guarded([movements] { movements(1, false); }));
    connect(m_a.aNyomKiad, &QAction::triggered, this, guarded([movements] { movements(2, false); }));
    connect(m_a.aNyomOssz2, &QAction::triggered, this, guarded([movements] { movements(0, true); }));
    connect(m_a.aNyomBevet2, &QAction::triggered, this, guarded([movements] { movements(1, true); }));
    connect(m_a.aNyomKiad2, &QAction::triggered, this, guarded([movements] { movements(2, true); }));

    // Entries grouped by client or by cash type: every one, or one chosen after the range.
    const auto grouped = [this](bool byClient, bool chooseOne) {
        QDate from, to;
        if (!m_dbOpen || !askReportRange(from, to, this))
            return;
        int id = -1;
        if (chooseOne) {
            id = byClient ? ChooseClient(-1, true, nullptr, this) : ChooseKasszaTip(-1, true, 0, this);
            if (id == -1)
                return;
        }
        if (byClient)
            PrintEntriesByClient(id, from, to);
        else
            PrintEntriesByType(id, from, to);
    };
    connect(m_a.aNyomUgyfTetel, &QAction::triggered, this, guarded([grouped] { grouped(true, false); }));
    connect(m_a.aNyomUgyfTetel2, &QAction::triggered, this, guarded([grouped] { grouped(true, true); }));
    connect(m_a.aNyomTipTetel, &QAction::triggered, this, guarded([grouped] { grouped(false, false); }));
    connect(m_a.aNyomTipTetel2, &QAction::triggered, this, guarded([grouped] { grouped(false, true); }));

    connect(m_a.aNyomIdoszak, &QAction::triggered, this, guarded([this] {
                QString first, last;
                if (m_dbOpen && AskMonthRange(first, last, this))
                    PrintPeriodSummary(first, last, Cassa());
            }));
}
