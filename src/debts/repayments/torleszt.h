// The movements of one loan: its repayments and further loans from vw_torleszt, the
// client's name and what remains of the loan in the header.
#pragma once

#include "core/ui/listwindow.h"

class QLabel;
class TmySQLQuery;

namespace zorva {

class Tfrm_Torleszt : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_Torleszt(int tartozik, QWidget *parent = nullptr);
    ~Tfrm_Torleszt() override;

    TmySQLQuery *query() const { return m_qry; }
    QLabel *clientLabel() const { return titleLabel(); }
    QLabel *totalLabel() const { return m_total; }

    // Background of a cell: further loans are light red outside the selected row and the
    // sort column.
    QVariant cellColor(int row, int column, int role) const;

protected:
    void openData() override;
    void reorder(const QString &field) override;

private:
    void applyFormats();
    void showHeader();

    int m_tartozik;
    TmySQLQuery *m_qry = nullptr;
    QLabel *m_total = nullptr;
};

// Opens the movements of loan `tartozik` modally; returns when the window is closed.
void ShowDebtMovements(int tartozik, QWidget *parent = nullptr);

}  // namespace zorva
