// The check of the actions that book into a cash box: a database without any cash box
// (a new one, say) leads the user to the cash boxes window instead of a server error.
#pragma once

class QWidget;

namespace zorva {

// True when the cash box `kassza` exists (with kassza -1: when any cash box exists).
// Otherwise the user is told in Hungarian and offered the cash boxes window; when cash
// boxes exist but not `kassza`, the chooser instead, and the chosen box becomes Cassa().
// The action is refused either way: false.
bool CashBoxReady(int kassza, QWidget *parent = nullptr);

}  // namespace zorva
