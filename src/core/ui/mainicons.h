// The program's icons, drawn by the program itself: the main window's image list, which
// every list window's tool bar takes its icons from as well.
#pragma once

#include <QIcon>
#include <QStyle>

namespace zorva {

enum class MainIcon {
    Refresh,
    Settings,
    FontUp,
    FontDown,
    Help,
    HomePage,
    Mail,
    News,
    Close,
    About,
    CashBox,
    Filter,
    New,
    NewFixed,
    Edit,
    Delete,
    Bill,
    Debt,
    Claim,
    Print,
    Preview,
    Excel,
    Html,
    Charts,
    Users,
    Sql,
    Databases,
    Report,
    Note,
    Search,
    Accept
};

QIcon mainIcon(MainIcon icon);
// The style's own icon, drawn once per run like the program's (a window that asks the style
// again gets a new icon each time, and each one fills the pixmap cache anew).
QIcon styleIcon(QStyle::StandardPixmap sp);

}  // namespace zorva
