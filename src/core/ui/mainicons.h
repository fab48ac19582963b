// The program's icons, drawn by the program itself: the main window's image list, which
// every list window's tool bar takes its icons from as well.
#pragma once

#include <QIcon>

namespace zorva {

enum class MainIcon {
    Refresh, Settings, FontUp, FontDown, Help, HomePage, Mail, News, Close, About,
    CashBox, Filter, New, NewFixed, Edit, Delete, Bill, Debt, Claim, Print, Preview,
    Excel, Html, Charts, Users, Sql, Databases, Report, Note, Search, Accept
};

QIcon mainIcon(MainIcon icon);

}  // namespace zorva
