// Which rights the guarded actions of the main window need.
#pragma once

#include "core/globals.h"

#include <QString>

namespace zorva {

struct RequiredRights {
    bool rendszergazda = false;
    bool torzsszerkeszt = false;
    bool szerkeszthet = false;
    bool torolhet = false;
    bool any() const { return rendszergazda || torzsszerkeszt || szerkeszthet || torolhet; }
};

// The rights an action (by object name) needs; none for an action that is not guarded.
RequiredRights requiredRights(const QString &actionName);
// Whether `rights` holds every right the action needs.
bool rightsAllow(const QString &actionName, const TBeall &rights);

// The message of a refused right.
inline QString noRightText() { return QStringLiteral("Nincs jogosultság a művelethez."); }

}  // namespace zorva
