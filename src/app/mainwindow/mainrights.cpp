#include "mainrights.h"

namespace zorva {

RequiredRights requiredRights(const QString &actionName)
{
    RequiredRights r;
    if (actionName == u"aUj" || actionName == u"aUjFix" || actionName == u"aImport" ||
        actionName == u"aTorzsKasszaTipus" || actionName == u"aTorzsUgyfel" || actionName == u"aTorzsFix") {
        r.torzsszerkeszt = true;
    } else if (actionName == u"aSzerkeszt") {
        r.torzsszerkeszt = r.szerkeszthet = true;
    } else if (actionName == u"aTorol") {
        r.torzsszerkeszt = r.torolhet = true;
    } else if (actionName == u"aFelhasznalo" || actionName == u"aSQL" || actionName == u"aBeallit" ||
               actionName == u"aTulajdonos") {
        r.rendszergazda = true;
    }
    return r;
}

bool rightsAllow(const QString &actionName, const TBeall &rights)
{
    const RequiredRights r = requiredRights(actionName);
    return (!r.rendszergazda || rights.rendszergazda) && (!r.torzsszerkeszt || rights.torzsszerkeszt) &&
           (!r.szerkeszthet || rights.szerkeszthet) && (!r.torolhet || rights.torolhet);
}

}  // namespace zorva
