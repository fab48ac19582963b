// The program's logo, drawn rather than loaded: a cash book with a stack of coins and
// the name "Zorva".
#pragma once

#include <QRect>

class QPainter;

namespace zorva {

// The whole logo (background, picture and name) filling `area`.
void paintLogo(QPainter &p, const QRect &area);
// Only the picture (book and coins) inside `area`, on a transparent background.
void paintLogoPicture(QPainter &p, const QRect &area);

}  // namespace zorva
