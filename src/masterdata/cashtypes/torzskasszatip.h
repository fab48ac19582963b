// The cash types window: the list of table kasszatip, in maintenance or in choice mode,
// optionally showing only the income or only the expense types.
#pragma once

#include "core/ui/listwindow.h"

#include "db/table.h"

#include <QVariant>

namespace zorva {

class Tfrm_TorzsKasszaTip : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_TorzsKasszaTip(QWidget *parent = nullptr);
    ~Tfrm_TorzsKasszaTip() override;

    TmySQLTable &table() { return Tbl; }
    // 1: income types only, -1: expense types only, 0: every type.
    void setSignFilter(int sign);
    int signFilter() const { return m_sign; }

    // The background of a cell: the row's szin (black when empty) outside the first
    // column; an invalid value leaves the cell to the grid.
    QVariant cellColor(int row, int column, int role) const;

protected:
    void openData() override;
    void prepareNewRow() override;
    std::unique_ptr<QDialog> createEditDialog(bool inserting) override;

private:
    TmySQLTable Tbl;
    int m_sign = 0;
};

// The system's window-background colour as a stored colour value (0xFF000005).
constexpr int WindowBackgroundColorValue = -16777211;

// Form 1: moved to `moveTo` (-1: the first row); a sign filter other than 0 shows only the
// types whose szorzo equals it.  Returns the chosen key in choice mode, else -1.
int ChooseKasszaTip(int moveTo, bool choiceMode, int signFilter = 0, QWidget *parent = nullptr);
// Form 2: also returns the chosen type's kasszatip_nev in `name` (unchanged after "Bezár").
int ChooseKasszaTip(int moveTo, bool choiceMode, QString *name, QWidget *parent = nullptr);

}  // namespace zorva
