// The busy cursor for the length of a scope: reading a report's rows or a whole cash box
// can take seconds on a large book, and the window cannot answer meanwhile.
#pragma once

#include <QApplication>

namespace zorva {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

}  // namespace zorva
