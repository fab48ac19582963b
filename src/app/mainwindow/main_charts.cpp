// The analysis charts opened from the main window (and, through the same actions, from
// the bill payments window): a month range or a date range first, then the chart.
#include "main.h"

#include "charts/charts.h"
#include "core/ui/slotguard.h"
#include "entries/dialogs/honap.h"
#include "entries/dialogs/idoszak.h"

#include <QAction>
#include <QApplication>
#include <QDate>

using namespace zorva;

namespace {

// The window the chart opens over: the bill payments window when it is the one in
// front, otherwise the main window.
QWidget *ownerOf(QWidget *main)
{
    QWidget *modal = QApplication::activeModalWidget();
    return modal ? modal : main;
}

}  // namespace

void Tfrm_Main::wireChartActions()
{
    const auto byMonths =
        [this](const std::function<void(const QString &, const QString &, QWidget *)> &show) {
            if (!m_dbOpen)
                return;
            QWidget *owner = ownerOf(this);
            QString from, to;
            if (AskMonthRange(from, to, owner))
                show(from, to, owner);
        };
    connect(m_a.aChBevKiad, &QAction::triggered, this, guarded([byMonths] {
                byMonths([](auto &f, auto &t, QWidget *o) { ShowIncomeExpenseChart(f, t, o); });
            }));
    connect(m_a.aChBevMegoszlas, &QAction::triggered, this, guarded([byMonths] {
                byMonths([](auto &f, auto &t, QWidget *o) { ShowDistributionChart(f, t, 1, o); });
            }));
    connect(m_a.aChKiadMegoszlas, &QAction::triggered, this, guarded([byMonths] {
                byMonths([](auto &f, auto &t, QWidget *o) { ShowDistributionChart(f, t, -1, o); });
            }));
    connect(m_a.aChCsekkMegoszlik, &QAction::triggered, this, guarded([byMonths] {
                byMonths([](auto &f, auto &t, QWidget *o) { ShowBillTypeChart(f, t, o); });
            }));
    connect(m_a.aChCsekkFizet, &QAction::triggered, this, guarded([byMonths] {
                byMonths([](auto &f, auto &t, QWidget *o) { ShowBillPaymentChart(f, t, o); });
            }));
    connect(m_a.aChPenzforg, &QAction::triggered, this, guarded([this] {
                if (!m_dbOpen)
                    return;
                QWidget *owner = ownerOf(this);
                const QDate today = QDate::currentDate();
                QDate from(today.year(), 1, 1), to = today;
                if (AskDateRange(from, to, QString(), owner))
                    ShowCashFlowBrowser(from, to, owner);
            }));
    for (QAction *a : {m_a.aChBevKiad, m_a.aChBevMegoszlas, m_a.aChKiadMegoszlas, m_a.aChCsekkMegoszlik,
                       m_a.aChCsekkFizet, m_a.aChPenzforg})
        a->setEnabled(true);
}
