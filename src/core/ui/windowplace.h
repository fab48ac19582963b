// Window positions and font size applied to widgets.  The section is the window's
// object name unless given.
#pragma once

#include <QString>

class QWidget;

namespace zorva {

// Dialogs: when they show, move to the stored position and take the font size; when
// they close, store the position.
void restoreDialogPos(QWidget *w, const QString &section = QString());
void storeDialogPos(QWidget *w, const QString &section = QString());
// List windows: stored bounds (the current size when none), kept on the work area.
void restoreListBounds(QWidget *w, const QString &section = QString());
void storeListBounds(QWidget *w, const QString &section = QString());

// The font size in points (FontSize of the settings when 0 or less).
void applyFontSize(QWidget *w, int points = 0);

// The name of the system's default printer; empty when there is none.
QString CurrentPrinterName();

// The application title: "Zorva", or "Zorva - " + the database's display name once one
// is open.  The global error display uses it as caption.
QString &ApplicationTitle();

}  // namespace zorva
