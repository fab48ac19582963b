#include "ugyfelvalaszt.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/sqltext.h"
#include "core/ui/dbgrid.h"
#include "core/ui/slotguard.h"
#include "masterdata/clients/torzsugyfel.h"

#include "db/query.h"

#include <QAction>
#include <QApplication>
#include <QEvent>

#include <cmath>

namespace zorva {

namespace {

std::function<void(QWidget *)> &clientListPrinter()
{
    static std::function<void(QWidget *)> p;
    return p;
}

const QList<double> &shares()
{
    static const QList<double> s{0.20, 0.15, 0.15, 0.15, 0.25, 0.10};
    return s;
}

// The light red of clients that owe money ($00DDDDFF).
QColor debtorColor()
{
    return colorFromTColor(0x00DDDDFF);
}

}  // namespace

void setClientListPrinter(std::function<void(QWidget *parent)> printer)
{
    clientListPrinter() = std::move(printer);
}

QList<int> Tfrm_UgyfelValaszt::columnWidthsFor(int gridWidth)
{
    QList<int> widths;
    for (double share : shares())
        widths << qMax(0, int(std::floor((gridWidth - 40) * share + 1e-9)));
    return widths;
}

Tfrm_UgyfelValaszt::Tfrm_UgyfelValaszt(bool choiceMode, QWidget *parent)
    : ListWindow(QStringLiteral("frm_UgyfelValaszt"), QStringLiteral("Ügyfél választása"),
                 parent ? parent : QApplication::activeWindow())
{
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(QStringList{QStringLiteral("SELECT * FROM vw_ugyfel"), QStringLiteral("WHERE ugyfel>0"),
                              QStringLiteral("ORDER BY ugyfel_nev;")});

    setTitle(QStringLiteral("Ügyfelek"));
    setDesignSize(720, 420);
    setKeyField(QStringLiteral("ugyfel"));
    setNameField(QStringLiteral("ugyfel_nev"));
    setSortField(QStringLiteral("ugyfel_nev"));
    setDataSet(m_qry);
    setColumns({{QStringLiteral("ugyfel_nev"), QStringLiteral("név")},
                {QStringLiteral("kapcsolat"), QStringLiteral("kapcsolat")},
                {QStringLiteral("telefon"), QStringLiteral("telefon")},
                {QStringLiteral("emil"), QStringLiteral("e-mail")},
                {QStringLiteral("cimstr"), QStringLiteral("cím")},
                {QStringLiteral("tartozik"), QStringLiteral("tartozás")}});
    enableSearch(QStringLiteral("ugyfel_nev"), true);
    enableTitleSort(true);
    setMarkedColumn(0);

    // Clients that owe money are light red, except in the sort column (its own colour
    // comes first) and in the selected row.
    grid()->setColorRule([this](int row, int, int role) -> QVariant {
        if (role != Qt::BackgroundRole || !m_qry->isActive())
            return {};
        const int field = m_qry->fieldIndex(QStringLiteral("tartozik"));
        if (field < 0)
            return {};
        const QVariant v = m_qry->valueAt(row, field);
        if (v.isValid() && !v.isNull() && v.toDouble() < 0)
            return debtorColor();
        return {};
    });
    // The column widths drop the fraction here: see eventFilter (the base window
    // already watches the grid's resizing).

    QAction *aUj = addStandardAction(New, QStringLiteral("Új ügyfél"));
    QAction *aSzerkeszt = addStandardAction(Edit);
    aSzerkeszt->setToolTip(QStringLiteral("Ügyfél szerkesztése"));
    aSzerkeszt->setStatusTip(aSzerkeszt->toolTip());
    QAction *aTorol = addStandardAction(Delete);
    aTorol->setToolTip(QStringLiteral("Ügyfél törlése"));
    aTorol->setStatusTip(aTorol->toolTip());
    QAction *aNyomtat = addStandardAction(Print);
    aNyomtat->setEnabled(bool(clientListPrinter()));
    connect(aNyomtat, &QAction::triggered, this, guarded(this, &Tfrm_UgyfelValaszt::printList));
    QAction *aElfogad = addStandardAction(Accept);
    QAction *aBezar = addStandardAction(Close);
    const QList<QAction *> actions{aUj, aSzerkeszt, aTorol, nullptr, aNyomtat, nullptr, aElfogad, aBezar};
    setToolBarActions(actions);
    setContextActions(actions);
    setChoiceMode(choiceMode);
}

Tfrm_UgyfelValaszt::~Tfrm_UgyfelValaszt() = default;

void Tfrm_UgyfelValaszt::openData()
{
    ExecSql(QStringLiteral("UPDATE ugyfel SET tartozik=0 WHERE tartozik IS NULL;"));
    ListWindow::openData();
}

void Tfrm_UgyfelValaszt::newRow()
{
    const int id = EditClient(-1, this);
    if (id != -1)
        reopenOn(id);
}

void Tfrm_UgyfelValaszt::editRow()
{
    const int id = EditClient(currentKey(), this);
    if (id != -1)
        reopenOn(id);
}

void Tfrm_UgyfelValaszt::deleteCurrentRow()
{
    // A client still in use is refused by the database; its reason reaches the error
    // display and the list stays as it was.
    ExecSql(QStringLiteral("DELETE FROM ugyfel WHERE ugyfel=") + QString::number(currentKey()) +
            QStringLiteral(";"));
    reopenOn(-1);
}

void Tfrm_UgyfelValaszt::printList()
{
    if (clientListPrinter())
        clientListPrinter()(this);
}

void Tfrm_UgyfelValaszt::applyTruncatedWidths()
{
    grid()->setColumnWidths(columnWidthsFor(grid()->width()));
}

bool Tfrm_UgyfelValaszt::eventFilter(QObject *watched, QEvent *event)
{
    const bool handled = ListWindow::eventFilter(watched, event);
    if (watched == grid() && event->type() == QEvent::Resize)
        applyTruncatedWidths();
    return handled;
}

int ChooseClient(int id, bool choiceMode, QString *name, QWidget *parent)
{
    Tfrm_UgyfelValaszt window(choiceMode, parent);
    const int key = window.openAndExec(id, name);
    return choiceMode ? key : -1;
}

}  // namespace zorva
