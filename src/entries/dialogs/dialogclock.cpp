#include "dialogclock.h"

#include "core/datehelpers.h"

namespace zorva {

namespace {
std::function<QDate()> &clock()
{
    static std::function<QDate()> c;
    return c;
}
}  // namespace

QDate dialogToday()
{
    return clock() ? clock()() : Today();
}

void setDialogClock(std::function<QDate()> c)
{
    clock() = std::move(c);
}

}  // namespace zorva
