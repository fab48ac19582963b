// The day the dialogs take as today.  Tests replace the clock to get a fixed day.
#pragma once

#include <QDate>

#include <functional>

namespace zorva {

QDate dialogToday();
// An empty function goes back to the system clock.
void setDialogClock(std::function<QDate()> clock);

}  // namespace zorva
