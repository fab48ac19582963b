#include "globals.h"

namespace zorva {

TBeall &beall()
{
    static TBeall b;
    return b;
}

int &Cassa()
{
    static int v = 1;
    return v;
}

QString &SumPeriod()
{
    static QString v;
    return v;
}

int &CassaDecimals()
{
    static int v = 0;
    return v;
}

QString &ProgramDir()
{
    static QString v;
    return v;
}

QString &DataDir()
{
    static QString v;
    return v;
}

QString &IniPath()
{
    static QString v;
    return v;
}

QRect &WorkArea()
{
    static QRect v(0, 0, 1024, 768);
    return v;
}

QColor colorFromTColor(int value)
{
    // System colours (negative values, e.g. clWindow) map to the palette's window colour.
    if (value < 0)
        return QColor(Qt::white);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int tColorFromColor(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

}  // namespace zorva
