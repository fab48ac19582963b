#include "felhasznalo.h"

#include "felhasznaloszerkeszt.h"
#include "rightdelegate.h"
#include "userrules.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/ui/dbgrid.h"
#include "core/ui/messagebox.h"

#include <QAction>
#include <QKeyEvent>

namespace zorva {

namespace {

const QString UserField = QStringLiteral("felhasznalo");

}  // namespace

Tfrm_Felhasznalo::Tfrm_Felhasznalo(QWidget *parent)
    : ListWindow(QStringLiteral("frm_Felhasznalo"), QStringLiteral("Felhasználók adatai"), parent),
      Tbl(&mainConnection())
{
    Tbl.setObjectName(QStringLiteral("Tbl"));
    Tbl.setTableName(UserField);
    Tbl.setIndexFieldNames(UserField);

    setTitle(QStringLiteral("Felhasználók"));
    // The first column is 164 pixels wide at the design size.
    setDesignSize(512, 339);
    setDataSet(&Tbl);
    setNameField(UserField);
    setColumns({{UserField, QStringLiteral("felhasználó")},
                {QStringLiteral("rendszergazda"), QString(), Qt::AlignCenter},
                {QStringLiteral("torzsszerkeszt"), QStringLiteral("szerkesztés"), Qt::AlignCenter},
                {QStringLiteral("szerkeszthet"), QString()},
                {QStringLiteral("torolhet"), QStringLiteral("törölhet")}});
    setColumnShares(348, {1.0});
    auto *rights = new RightDelegate(grid());
    for (int column = 1; column <= 4; ++column) {
        setFixedColumnWidth(column, 77);
        grid()->setItemDelegateForColumn(column, rights);
    }

    QAction *aUj = addStandardAction(New, QStringLiteral("Új"));
    aUj->setToolTip(QStringLiteral("Új Felhasználó"));
    aUj->setStatusTip(QStringLiteral("Új Felhasználó"));
    QAction *aSzerkeszt = addStandardAction(Edit);
    QAction *aTorol = addStandardAction(Delete);
    QAction *aBezar = addStandardAction(Close);
    setToolBarActions({aUj, aSzerkeszt, aTorol, nullptr, aBezar});
    setContextActions({aUj, aSzerkeszt, aTorol, nullptr, aBezar});
}

Tfrm_Felhasznalo::~Tfrm_Felhasznalo() = default;

void Tfrm_Felhasznalo::openData()
{
    Tbl.open();
}

QString Tfrm_Felhasznalo::currentUser() const
{
    return currentName();
}

bool Tfrm_Felhasznalo::moveToUser(const QString &user)
{
    if (!Tbl.isActive() || user.isEmpty())
        return false;
    for (int row = 0; row < Tbl.recordCount(); ++row) {
        if (Tbl.valueAt(row, Tbl.fieldIndex(UserField)).toString() == user) {
            Tbl.setRecNo(row + 1);
            return true;
        }
    }
    return false;
}

void Tfrm_Felhasznalo::prepareNewRow()
{
    for (const char *column : {"rendszergazda", "torzsszerkeszt", "szerkeszthet", "torolhet"})
        Tbl.fieldByName(QString::fromLatin1(column)).setAsString(QStringLiteral("N"));
}

std::unique_ptr<QDialog> Tfrm_Felhasznalo::createEditDialog(bool)
{
    return std::make_unique<Tfrm_FelhasznaloSzerkeszt>(&Tbl, this);
}

void Tfrm_Felhasznalo::reread()
{
    const QString user = currentUser();
    Tbl.refresh();
    moveToUser(user);
    updateStatus();
}

void Tfrm_Felhasznalo::newRow()
{
    if (runEditor(true))
        reread();
}

void Tfrm_Felhasznalo::editRow()
{
    if (!hasRows()) {
        newRow();
        return;
    }
    if (runEditor(false))
        reread();
}

void Tfrm_Felhasznalo::deleteRow()
{
    if (!hasRows())
        return;
    if (LosesLastAdministrator(currentUser(), false)) {
        ShowError(QStringLiteral("Az utolsó rendszergazdát nem lehet törölni: legalább egy rendszergazdának "
                                 "maradnia kell."),
                  this);
        return;
    }
    ListWindow::deleteRow();
}

bool Tfrm_Felhasznalo::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on the grid edits the current row.
    if (watched == grid() && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (QAction *a = action(QStringLiteral("aSzerkeszt")); a && a->isEnabled())
                a->trigger();
            return true;
        }
    }
    return ListWindow::eventFilter(watched, event);
}

void ShowUsers(QWidget *parent)
{
    Tfrm_Felhasznalo w(parent);
    w.openAndExec(-1);
}

}  // namespace zorva
