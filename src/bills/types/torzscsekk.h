// The bill types window: the list of vw_csekk, in maintenance mode or as the bill-type
// chooser of a new payment.  New and edited types go through the edit dialog, which
// writes table csekk; the list is read again afterwards.
#pragma once

#include "core/ui/listwindow.h"

#include <QString>

#include <functional>

class TmySQLQuery;

namespace zorva {

// One bill type as the chooser hands it out.
struct TCsekk {
    int csekk = 0;
    QString csekk_nev;
    bool kellgen = false;
    int nap_hatid = 0;
    double osszeg = 0;
    int ugyfel = 0;
};

class Tfrm_TorzsCsekk : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_TorzsCsekk(bool choiceMode, QWidget *parent = nullptr);
    ~Tfrm_TorzsCsekk() override;

    TmySQLQuery *query() const { return m_qry; }
    // The current row as a record: an empty kellgen reads as false, empty numbers as 0.
    TCsekk currentRecord() const;

public slots:
    void newRow() override;
    void editRow() override;

protected:
    void deleteCurrentRow() override;

private:
    void applyFormats();
    void printList();
    void exportHtml();

    TmySQLQuery *m_qry = nullptr;
};

// Form 1: moved to `moveTo` (-1: the first row); the chosen csekk in choice mode, else -1.
int ChooseCsekk(int moveTo, bool choiceMode, QWidget *parent = nullptr);
// Form 2: also fills `chosen` from the accepted row (left as it was after "Bezár").
int ChooseCsekk(int moveTo, bool choiceMode, TCsekk &chosen, QWidget *parent = nullptr);

// The bill-type list report behind "Nyomtat"; the action stays disabled until one is set.
void setBillTypeListPrinter(std::function<void(QWidget *parent)> printer);

}  // namespace zorva
