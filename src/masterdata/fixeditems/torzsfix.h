// The fixed items window: the templates of recurring cash-book entries (table fix), kept
// in maintenance mode and chosen from in choice mode; and the booking of a chosen item.
#pragma once

#include "core/ui/listwindow.h"

#include "db/query.h"
#include "db/table.h"

#include <QString>

class QMenu;

namespace zorva {

// What a chosen fixed item holds: the keys and the amount are 0 when empty, the texts
// empty when empty.
struct TFix {
    int kasszatip = 0;
    int ugyfel = 0;
    double osszeg = 0;
    QString szoveg;
    QString kasszatip_nev;
    QString ugyfel_nev;
};

class Tfrm_Torzsfix : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_Torzsfix(QWidget *parent = nullptr);
    ~Tfrm_Torzsfix() override;

    TmySQLTable &table() { return Tbl; }
    TmySQLQuery &types() { return QryTip; }
    TmySQLQuery &clients() { return QryUgyfel; }
    QMenu *outputMenu() const { return m_output; }

    // The item accepted last ("Elfogad"); empty until then.
    const TFix &chosen() const { return m_chosen; }

    // The output actions.
    void printList(bool print);
    void exportDelimited();
    void exportHtml();

public slots:
    void newRow() override;
    void editRow() override;
    void acceptRow() override;

protected:
    void openData() override;
    void closeData() override;
    std::unique_ptr<QDialog> createEditDialog(bool inserting) override;

private:
    // After a dialog whose choosers read the cash types or clients again: the list reads
    // its rows again, so that every row shows the names as they are now.
    void rereadAfterDialog();

    TmySQLQuery QryTip;
    TmySQLQuery QryUgyfel;
    TmySQLTable Tbl;
    QMenu *m_output = nullptr;
    TFix m_chosen;
    bool m_lookupsReread = false;
};

// Form 1: opens the fixed items window moved to `moveTo` (-1: the first row).  In choice
// mode "Elfogad" returns the chosen item's fix; otherwise, and after "Bezár", -1.
int ChooseFix(int moveTo, bool choiceMode, QWidget *parent = nullptr);
// Form 2: on a choice also the item itself in `item` (unchanged after "Bezár").
int ChooseFix(int moveTo, bool choiceMode, TFix *item, QWidget *parent = nullptr);

// "Új fix tétel": lets the user choose a fixed item and books it into cash box `kassza`
// dated today by the server (InsertEntryToday).  Returns the new entry's hid, -1 when no
// item was chosen, 0 when the entry was booked but its id was lost with the connection.
// A refused booking throws EmySQLDatabaseError.
int BookFixedItem(int kassza, QWidget *parent = nullptr);

}  // namespace zorva
