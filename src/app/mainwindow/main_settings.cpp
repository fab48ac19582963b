// The settings window and the owner's data opened from the main window, the hint that
// leads to the owner's data while they are missing, and the check for a cash box before
// anything is booked into the current one.
#include "main.h"

#include "mainstatusbar.h"
#include "app/mainconnectionopen.h"
#include "core/globals.h"
#include "core/ui/mainicons.h"
#include "core/ui/slotguard.h"
#include "masterdata/cashboxes/cashboxcheck.h"
#include "masterdata/settings/beallit.h"
#include "masterdata/settings/tulajdonos.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

using namespace zorva;

void Tfrm_Main::wireSettingsActions()
{
    connect(m_a.aBeallit, &QAction::triggered, this, guarded([this] {
                if (checkRights(QStringLiteral("aBeallit")) && m_dbOpen)
                    ShowSettings(this);
            }));

    m_aTulajdonos = new QAction(QStringLiteral("Tulajdonos adatai"), this);
    m_aTulajdonos->setObjectName(QStringLiteral("aTulajdonos"));
    m_aTulajdonos->setProperty("category", QStringLiteral("Rendszer"));
    const QString hint =
        QStringLiteral("A háztartás neve és elérhetőségei a nyomtatott kimutatások fejlécéhez");
    m_aTulajdonos->setStatusTip(hint);
    m_aTulajdonos->setToolTip(hint);
    // Next to the settings in the "Rendszer" menu.
    for (QAction *top : menuBar()->actions()) {
        if (top->menu() && top->menu()->actions().contains(m_a.aBeallit)) {
            top->menu()->insertAction(m_a.aBeallit, m_aTulajdonos);
            break;
        }
    }
    connect(m_aTulajdonos, &QAction::triggered, this, guarded(this, &Tfrm_Main::editOwner));

    // While the owner's name is empty (a new database) the status bar leads to it.
    m_ownerHint = new QLabel(this);
    m_ownerHint->setObjectName(QStringLiteral("lblTulajdonos"));
    m_ownerHint->setText(QStringLiteral("<a href=\"tulajdonos\">Adja meg a tulajdonos adatait</a>"));
    m_ownerHint->setToolTip(QStringLiteral("Rendszer / Tulajdonos adatai: a nyomtatott kimutatások fejléce"));
    m_ownerHint->setVisible(false);
    statusBar()->addPermanentWidget(m_ownerHint);
    connect(m_ownerHint, &QLabel::linkActivated, this, guarded(this, &Tfrm_Main::editOwner));
    connect(this, &QWidget::windowTitleChanged, this, guarded([this](const QString &title) {
                m_ownerHint->setVisible(m_dbOpen && title == mainCaption(QString()));
            }));
}

void Tfrm_Main::editOwner()
{
    if (!checkRights(QStringLiteral("aTulajdonos")) || !m_dbOpen)
        return;
    if (EditOwner(this))
        setWindowTitle(mainCaption(readOwnerName(*m_db)));
}

bool Tfrm_Main::cashBoxReady()
{
    const int before = Cassa();
    if (CashBoxReady(before, this))
        return true;
    if (Cassa() != before)
        ReloadList();  // another box was chosen instead
    return false;
}
