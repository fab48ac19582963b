// The two choosers the entry editor opens: the cash type and the client of an entry.
// They are reached through this seam so that tests can answer them without a modal
// window; the program's defaults open the list windows in choice mode.
#pragma once

#include <functional>

class QWidget;

namespace zorva {

struct EntryChoosers {
    // Each gets the id to preselect (-1 for none) and the window to open over; it
    // returns the chosen id, or -1 when the user cancels.  An unset chooser answers -1.
    std::function<int(int current, QWidget *parent)> cashType;
    std::function<int(int current, QWidget *parent)> client;
};

// The choosers in use; tests replace them and put the defaults back with
// resetEntryChoosers().
EntryChoosers &entryChoosers();
void resetEntryChoosers();

// Calls the chooser in use; -1 when it is unset.
int chooseEntryCashType(int current, QWidget *parent);
int chooseEntryClient(int current, QWidget *parent);

}  // namespace zorva
