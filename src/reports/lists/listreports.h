// The printed lists of the master data: the clients with what they owe, and the
// bill types.
#pragma once

#include "reports/cashbook/cashbookreports.h"

class QWidget;

namespace zorva {

// "Ügyfelek, tartozások": every client but the placeholder 0, by name, with the
// total owed.  Throws EmySQLDatabaseError when the data cannot be read.
std::unique_ptr<CashbookReport> buildClientList(TmySQLDatabase &db);
// "Csekkek": the bill types by name, the amount in the Format setting.
std::unique_ptr<CashbookReport> buildBillTypeList(TmySQLDatabase &db);

// Ask the output and the printer (starting on the system's default printer),
// then preview, print or export the list; a chosen printer is the one the
// preview and the print use.
void PrintClientList(QWidget *parent = nullptr);
void PrintBillTypeList(QWidget *parent = nullptr);

}  // namespace zorva
