// The main window's icons, drawn by the program itself.
#pragma once

#include <QIcon>

namespace zorva {

enum class MainIcon {
    Refresh, Settings, FontUp, FontDown, Help, HomePage, Mail, News, Close, About,
    CashBox, Filter, New, NewFixed, Edit, Delete, Bill, Debt, Claim, Print, Preview,
    Excel, Html, Charts, Users, Sql, Databases, Report, Note
};

QIcon mainIcon(MainIcon icon);

}  // namespace zorva
