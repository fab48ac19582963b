#include "entrychoosers.h"

#include "entries/dialogs/ugyfelvalaszt.h"
#include "masterdata/cashtypes/torzskasszatip.h"

namespace zorva {

namespace {

// The list windows in choice mode, every cash type and every client offered.
EntryChoosers defaultChoosers()
{
    EntryChoosers c;
    c.cashType = [](int current, QWidget *parent) { return ChooseKasszaTip(current, true, 0, parent); };
    c.client = [](int current, QWidget *parent) { return ChooseClient(current, true, nullptr, parent); };
    return c;
}

int ask(const std::function<int(int, QWidget *)> &chooser, int current, QWidget *parent)
{
    return chooser ? chooser(current, parent) : -1;
}

}  // namespace

EntryChoosers &entryChoosers()
{
    static EntryChoosers choosers = defaultChoosers();
    return choosers;
}

void resetEntryChoosers()
{
    entryChoosers() = defaultChoosers();
}

int chooseEntryCashType(int current, QWidget *parent)
{
    return ask(entryChoosers().cashType, current, parent);
}

int chooseEntryClient(int current, QWidget *parent)
{
    return ask(entryChoosers().client, current, parent);
}

}  // namespace zorva
