#include "cashboxcheck.h"

#include "torzskassza.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/ui/messagebox.h"

namespace zorva {

namespace {

bool offer(const QString &text, QWidget *parent)
{
    // No is the default: Enter alone never opens a window the user did not ask for.
    return MessageBox::show(parent, MessageBox::Question, QStringLiteral("Nincs kassza"), text,
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace

bool CashBoxReady(int kassza, QWidget *parent)
{
    const qint64 boxes = QueryInt(QStringLiteral("SELECT COUNT(*) FROM kassza;"), 0);
    if (boxes > 0 && kassza == -1)
        return true;
    if (kassza != -1 &&
        QueryInt(QStringLiteral("SELECT COUNT(*) FROM kassza WHERE kassza=%1;").arg(kassza), 0) > 0)
        return true;
    if (boxes == 0) {
        if (offer(QStringLiteral("Még nincs egyetlen kassza sem. Könyvelni csak kasszába lehet, ezért előbb "
                                 "létre kell hozni egy kasszát (például \"Pénztárca\").\r\n"
                                 "Megnyissam most a kasszák ablakát?"),
                  parent))
            ChooseCassa(-1, false, nullptr, parent);
        return false;
    }
    if (offer(QStringLiteral("A kiválasztott kassza (azonosító: %1) már nem létezik, ezért nem lehet bele "
                             "könyvelni.\r\nVálaszt most egy másik kasszát?")
                  .arg(kassza),
              parent)) {
        const int chosen = ChooseCassa(-1, true, nullptr, parent);
        if (chosen != -1)
            Cassa() = chosen;
    }
    return false;
}

}  // namespace zorva
