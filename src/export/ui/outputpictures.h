// The pictures beside the choices of the output chooser, drawn by the program:
// 0 preview, 1 printing, 2 delimited export (spreadsheet), 3 HTML page.
#pragma once

#include <QPixmap>

namespace zorva {

QPixmap outputPicture(int choice, int size = 96);

}  // namespace zorva
