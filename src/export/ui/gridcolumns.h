// A grid's columns as the exports and the grid printout take them: field,
// title, width in pixels, hidden or not, alignment.
#pragma once

#include "export/exportcolumn.h"

class TDBGrid;

namespace zorva {

ExportColumns gridColumns(const TDBGrid &grid);
// The grid's own width, the base of the columns' shares.
int gridWidth(const TDBGrid &grid);

}  // namespace zorva
