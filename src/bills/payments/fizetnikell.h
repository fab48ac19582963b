// The due list: the unpaid payments whose due date has come, shown once after start-up
// as a reminder.  Read-only; it can only be closed.
#pragma once

#include "core/ui/listwindow.h"

class QLabel;
class TmySQLQuery;

namespace zorva {

class Tfrm_FizetniKell : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_FizetniKell(QWidget *parent = nullptr);
    ~Tfrm_FizetniKell() override;

    TmySQLQuery *query() const { return m_qry; }
    QLabel *unpaidPanel() const { return m_unpaid; }

protected:
    void openData() override;

private:
    void applyFormats();
    void showStatus();

    TmySQLQuery *m_qry = nullptr;
    QLabel *m_unpaid = nullptr;
};

// Opens the due list modally (also when nothing is due); returns when it is closed.
void ShowDueBills(QWidget *parent = nullptr);

}  // namespace zorva
