// Behaviour shared by the input fields of every window.
#pragma once

class QWidget;

namespace zorva {

// Input fields (line edits, combo boxes, spin and date fields, text edits) inside `root`
// take FocusColor() as their background while they have the focus and their own colour
// otherwise.  Fields added later are covered too.
void installFocusColor(QWidget *root);

// Inside `dialog`, Enter moves the focus to the next field, as Tab does (check boxes
// included).  Enter on a focused push or tool button presses it, whatever its default
// settings; multi-line text fields and lists keep their Enter.  With
// ctrlEnterAccepts, Ctrl+Enter accepts the dialog (when it is a QDialog).
void installEnterAsTab(QWidget *dialog, bool ctrlEnterAccepts = false);

}  // namespace zorva
