#include "formpos.h"

#include "globals.h"
#include "inifile.h"

namespace zorva {

QString IniReadText(const QString &section, const QString &key, const QString &defaultValue)
{
    return IniFile(IniPath()).readString(section, key, defaultValue);
}

bool IniWriteText(const QString &section, const QString &key, const QString &value)
{
    IniFile ini(IniPath());
    ini.writeString(section, key, value);
    return ini.save();
}

QPoint LoadFormPos(const QString &section)
{
    const IniFile ini(IniPath());
    return QPoint(ini.readInteger(section, QStringLiteral("Left"), 10),
                  ini.readInteger(section, QStringLiteral("Top"), 10));
}

void SaveFormPos(const QString &section, int left, int top)
{
    IniFile ini(IniPath());
    ini.writeInteger(section, QStringLiteral("Left"), left);
    ini.writeInteger(section, QStringLiteral("Top"), top);
    (void)ini.save();
}

void KeepOnWorkArea(int &left, int &top, int &height, int &width, const QRect &workArea)
{
    const int right = workArea.x() + workArea.width();
    const int bottom = workArea.y() + workArea.height();
    if (left > right)
        left = 0;
    if (top > bottom)
        top = 0;
    if (left + width > right) {
        if (width < right) {
            left = right - width;
        } else {
            left = 0;
            width = right;
        }
    }
    if (top + height > bottom) {
        if (height < bottom) {
            top = bottom - height;
        } else {
            top = 0;
            height = bottom;
        }
    }
}

void LoadFormBounds(const QString &section, int &left, int &top, int &height, int &width)
{
    const IniFile ini(IniPath());
    left = ini.readInteger(section, QStringLiteral("Left"), 10);
    top = ini.readInteger(section, QStringLiteral("Top"), 10);
    width = ini.readInteger(section, QStringLiteral("Width"), width);
    height = ini.readInteger(section, QStringLiteral("Height"), height);
    KeepOnWorkArea(left, top, height, width, WorkArea());
}

void SaveFormBounds(const QString &section, int left, int top, int height, int width)
{
    IniFile ini(IniPath());
    ini.writeInteger(section, QStringLiteral("Left"), left);
    ini.writeInteger(section, QStringLiteral("Top"), top);
    ini.writeInteger(section, QStringLiteral("Width"), width);
    ini.writeInteger(section, QStringLiteral("Height"), height);
    (void)ini.save();
}

}  // namespace zorva
