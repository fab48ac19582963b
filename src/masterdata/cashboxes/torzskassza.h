// The cash boxes window: the list of table kassza, in maintenance or in choice mode.
#pragma once

#include "core/ui/listwindow.h"

#include "db/table.h"

namespace zorva {

class Tfrm_TorzsKassza : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_TorzsKassza(QWidget *parent = nullptr);
    ~Tfrm_TorzsKassza() override;

    TmySQLTable &table() { return Tbl; }

protected:
    std::unique_ptr<QDialog> createEditDialog(bool inserting) override;

private:
    TmySQLTable Tbl;
};

// Opens the cash boxes window, moved to `moveTo` (-1: the first row).  In choice mode
// "Elfogad" returns the chosen box's key and its kassza_nev in `name`; otherwise, and
// after "Bezár", -1 (and `name` unchanged).
int ChooseCassa(int moveTo, bool choiceMode, QString *name = nullptr, QWidget *parent = nullptr);

}  // namespace zorva
