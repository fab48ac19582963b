// Single values of the settings file and the window positions kept in it, one section
// per window named after the window object.  All work on IniPath().
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

namespace zorva {

QString IniReadText(const QString &section, const QString &key, const QString &defaultValue);
// False when the file could not be written.
bool IniWriteText(const QString &section, const QString &key, const QString &value);

// Left and Top of a dialog (10, 10 when missing).
QPoint LoadFormPos(const QString &section);
// Write failures are ignored.
void SaveFormPos(const QString &section, int left, int top);

// Left/Top (default 10), Width/Height (default: the values passed in), then kept on
// WorkArea() by KeepOnWorkArea.
void LoadFormBounds(const QString &section, int &left, int &top, int &height, int &width);
// Write failures are ignored.
void SaveFormBounds(const QString &section, int left, int top, int height, int width);

// Keeps a window on the work area, with right = the work area's right edge and
// bottom = its bottom edge (left + width and top + height of the rectangle):
//  1. left > right: left = 0;  top > bottom: top = 0;
//  2. left + width > right: left = right - width when width < right, else left = 0, width = right;
//  3. top + height > bottom: the same with top and height.
void KeepOnWorkArea(int &left, int &top, int &height, int &width, const QRect &workArea);

}  // namespace zorva
