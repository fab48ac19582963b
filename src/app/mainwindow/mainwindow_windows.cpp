// The windows the main window opens: cash boxes, cash types, clients, the entry editor,
// and the choosers behind the cash-type and client filters.
#include "mainwindow.h"

#include "clientchooser.h"
#include "entryeditor.h"
#include "globals.h"
#include "query.h"
#include "torzskassza.h"
#include "torzskasszatip.h"

#include <QAction>

using namespace zorva;

void Tfrm_Main::wireWindowActions()
{
    // Cash boxes: maintenance without a rights check, the list is not re-read afterwards.
    connect(m_a.aKassza, &QAction::triggered, this, [this] { ChooseCassa(Cassa(), false, nullptr, this); });
    connect(m_a.aKasszaValaszt, &QAction::triggered, this, [this] {
        if (!m_dbOpen)
            return;
        const int id = ChooseCassa(Cassa(), true, nullptr, this);
        if (id == -1)
            return;
        Cassa() = id;
        ReloadList();
    });

    connect(m_a.aTorzsKasszaTipus, &QAction::triggered, this, [this] {
        if (checkRights(QStringLiteral("aTorzsKasszaTipus")))
            ChooseKasszaTip(-1, false, 0, this);
    });
    connect(m_a.aSzur2, &QAction::triggered, this, [this] {
        const int noSignFilter = 0;
        const int id = m_dbOpen ? ChooseKasszaTip(-1, true, noSignFilter, this) : -1;
        if (id == -1) {
            restoreFilterCheck();
            return;
        }
        setFilter(m_a.aSzur2, QStringLiteral("(kasszatip=%1)").arg(id));
    });

    connect(m_a.aTorzsUgyfel, &QAction::triggered, this, [this] {
        if (checkRights(QStringLiteral("aTorzsUgyfel")))
            ChooseClient(-1, false, nullptr, this);
    });
    connect(m_a.aSzur6, &QAction::triggered, this, [this] {
        const int id = m_dbOpen ? ChooseClient(-1, true, nullptr, this) : -1;
        if (id == -1) {
            restoreFilterCheck();
            return;
        }
        setFilter(m_a.aSzur6, QStringLiteral("(ugyfel=%1)").arg(id));
    });

    connect(m_a.aUj, &QAction::triggered, this, [this] {
        if (checkRights(QStringLiteral("aUj")) && m_dbOpen)
            editEntry(-1);
    });
    connect(m_a.aSzerkeszt, &QAction::triggered, this, [this] {
        if (checkRights(QStringLiteral("aSzerkeszt")) && m_dbOpen)
            editEntry(currentHid());
    });
}

// A new entry (hid -1) or the current one; afterwards the list is read again on the
// entry written, and the totals.
void Tfrm_Main::editEntry(int hid)
{
    const int written = EditEntry(hid, this);
    if (written == -1)
        return;
    reopenList(written);
    RefreshTotals();
}
