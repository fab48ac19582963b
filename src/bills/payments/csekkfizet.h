// The bill payments window: the list of vw_csekkfizet with its unpaid filter; new and
// edited payments through the edit dialog, generating a period, paying and un-paying,
// and the booking of a paid bill into a chosen cash box.
#pragma once

#include "core/ui/listwindow.h"

#include <QList>
#include <QString>

#include <functional>

class QAction;
class QLabel;
class TmySQLQuery;

namespace zorva {

// What the window needs of the main window.
struct BillPaymentHooks {
    // Re-reads the main window's totals after an entry was booked.
    std::function<void()> refreshTotals;
    // Chart actions added to the "Nyomtat" button's menu.
    QList<QAction *> chartActions;
};

class Tfrm_CsekkFizet : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_CsekkFizet(BillPaymentHooks hooks = {}, QWidget *parent = nullptr);
    ~Tfrm_CsekkFizet() override;

    TmySQLQuery *query() const { return m_qry; }
    QLabel *unpaidPanel() const { return m_unpaid; }

    // The unpaid total into the second status panel.
    void showUnpaid(const QString &format = QStringLiteral("### ### ##0"));

    // Background and text colours of a cell (the colour rule of the grid).
    QVariant cellColor(int row, int column, int role) const;

public slots:
    void newRow() override;
    void editRow() override;
    void setUnpaidOnly(bool on);
    void generate();
    void payOrUnpay();

protected:
    void deleteCurrentRow() override;

private:
    void applyFormats();
    void printGrid();
    // The cash box a payment is booked into (-1: the chooser was closed, paid without
    // booking); false when no booking can be made (no cash type set, no cash box), and then
    // the payment is not paid either.
    bool chooseBookingBox(int &kassza);

    BillPaymentHooks m_hooks;
    TmySQLQuery *m_qry = nullptr;
    int m_fizetveField = -1;  // field indexes of the colour rule, found when the rows are read
    int m_hatidField = -1;
    QLabel *m_unpaid = nullptr;
    QLabel *m_third = nullptr;
    QAction *m_aSzur = nullptr;
};

// Opens the bill payments window modally; returns when it is closed.
void ShowBillPayments(const BillPaymentHooks &hooks = {}, QWidget *parent = nullptr);

}  // namespace zorva
