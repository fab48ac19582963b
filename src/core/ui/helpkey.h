// The manual where the user stands: F1 opens the help folder's page at the section of the
// window that has the focus.  A window names its section by the property "helpSection",
// or else by its class name (the manual's sections carry the window classes' names as
// their ids).  A window the manual has no section for hands over to the window it was
// opened from; with none left, the contents page opens.
#pragma once

#include <QString>
#include <QUrl>

class QCoreApplication;
class QWidget;

namespace zorva {

// The folder the manual is read from: HelpFile()'s when empty (tests point it elsewhere).
QString &HelpFolder();

// The section `window` names ("Tfrm_TorzsKassza").
QString HelpSectionOf(const QWidget *window);
// The page of the help folder that holds the section, with the section as its fragment;
// the contents page (HelpFile()) when no page holds it.
QUrl HelpUrl(const QString &section);
// True when a page of the help folder holds the section.
bool HasHelpSection(const QString &section);
// Opens the manual at the section of `window` (or the nearest window it was opened from
// that has one) through the shell.
void OpenHelpFor(const QWidget *window);
// Makes F1 in every window of the application open its section.  A window's own F1
// action (the main window's "Súgó") goes first.
void InstallHelpKey(QCoreApplication *app);

}  // namespace zorva
