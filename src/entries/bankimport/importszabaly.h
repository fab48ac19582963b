// The cash-type rules of the statement import: a list window over table importszabaly (rows
// read "a text or counterparty containing ... gets cash type ...").
#pragma once

#include "core/ui/listwindow.h"
#include "db/query.h"
#include "db/table.h"

namespace zorva {

class Tfrm_ImportSzabaly : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_ImportSzabaly(QWidget *parent = nullptr);
    ~Tfrm_ImportSzabaly() override;

protected:
    void openData() override;
    void closeData() override;
    std::unique_ptr<QDialog> createEditDialog(bool inserting) override;
    void prepareNewRow() override;

private:
    TmySQLQuery QryTip;
    TmySQLTable Tbl;
};

// Opens the rules window over the main connection.
void EditImportRules(QWidget *parent);

}  // namespace zorva
