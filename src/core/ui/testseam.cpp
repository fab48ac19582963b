#include "testseam.h"

#include <QGuiApplication>

namespace zorva::seam {

namespace {
int forced = -1;  // -1: by platform
}

bool testMode()
{
    if (forced >= 0)
        return forced == 1;
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void setTestMode(bool on)
{
    forced = on ? 1 : 0;
}

void resetTestMode()
{
    forced = -1;
}

}  // namespace zorva::seam
