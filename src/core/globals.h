// Program-wide values that live for the whole run.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

// The program-wide settings record, read from the settings file, the database's
// beallit row and the sign-in.
struct TBeall {
    QString Format = QStringLiteral("### ### ##0");
    bool LookFor = false;
    int Left = 0;
    int Top = 0;
    int Width = 777;
    int Height = 550;
    bool FullScreen = false;
    QString ConStr;
    QString DbName;
    int kasszatip_ki = -1;
    int kasszatip_vissza = -1;
    int kapkasszatip_ki = -1;
    int kapkasszatip_vissza = -1;
    int kasszatip_csekk = -1;
    bool vanbelep = false;
    bool rendszergazda = true;
    bool torzsszerkeszt = true;
    bool szerkeszthet = true;
    bool torolhet = true;
    QString UserName = QStringLiteral("rendszergazda");
    int FontSize = 9;
    QString CassaName = QStringLiteral("Zorva");
    QString HtmlPath;
    QString Archived;
};

namespace zorva {

TBeall &beall();

// Current cash box, period of the totals panel, decimals of the current cash box.
int &Cassa();
QString &SumPeriod();
int &CassaDecimals();

// Folders and the settings file.  Paths use "/".
QString &ProgramDir();
QString &DataDir();
QString &IniPath();
QRect &WorkArea();

// Pale yellow that marks a list's sort column ($00B9FFFF).
inline QColor SortColumnColor()
{
    return QColor(0xFF, 0xFF, 0xB9);
}
// Light blue of a focused input field ($00F0CAA6).
inline QColor FocusColor()
{
    return QColor(0xA6, 0xCA, 0xF0);
}

// A Windows colour value (blue in the high byte, red in the low byte) as a QColor and back.
QColor colorFromTColor(int value);
int tColorFromColor(const QColor &c);

}  // namespace zorva
