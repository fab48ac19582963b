// The database-wide settings row (table beallit) read into the program's settings record.
#pragma once

#include "core/globals.h"

class TmySQLDatabase;

namespace zorva {

// The first row of beallit: vanbelep ("I" gives true) and the five cash types (NULL: -1).
// Without a row the values are left as they are.  Database errors are thrown.
void readBeallit(TmySQLDatabase &db, TBeall &b);

}  // namespace zorva
