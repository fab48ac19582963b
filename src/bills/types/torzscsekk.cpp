#include "torzscsekk.h"

#include "flagmarkdelegate.h"
#include "torzscsekk_szerkeszt.h"
#include "core/ui/slotguard.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/sqltext.h"
#include "core/ui/dbgrid.h"
#include "export/ui/grid2html.h"

#include "db/query.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace zorva {

namespace {

std::function<void(QWidget *)> &billTypeListPrinter()
{
    static std::function<void(QWidget *)> p;
    return p;
}

constexpr int kKellgenColumn = 4;

}  // namespace

void setBillTypeListPrinter(std::function<void(QWidget *parent)> printer)
{
    billTypeListPrinter() = std::move(printer);
}

Tfrm_TorzsCsekk::Tfrm_TorzsCsekk(bool choiceMode, QWidget *parent)
    : ListWindow(QStringLiteral("frm_TorzsCsekk"), QStringLiteral("Csekkek"),
                 parent ? parent : QApplication::activeWindow())
{
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(
        QStringList{QStringLiteral("SELECT * FROM vw_csekk"), QStringLiteral("ORDER BY csekk_nev;")});
    connect(m_qry, &TDataSet::afterOpen, this, &Tfrm_TorzsCsekk::applyFormats);

    setTitle(QStringLiteral("Csekkek"));
    setDesignSize(673, 436);
    setKeyField(QStringLiteral("csekk"));
    setNameField(QStringLiteral("csekk_nev"));
    setSortField(QStringLiteral("csekk_nev"));
    setDataSet(m_qry);
    setColumns({{QStringLiteral("csekk_nev"), QStringLiteral("csekk")},
                {QStringLiteral("ugyfel_nev"), QStringLiteral("ügyfél")},
                {QStringLiteral("nap_hatid"), QStringLiteral("hatáidő (nap)")},
                {QStringLiteral("osszeg"), QStringLiteral("összeg")},
                {QStringLiteral("kellgen"), QStringLiteral("kell gen.")}});
    setColumnShares(99, {0.35, 0.35, 0.15, 0.15});
    setFixedColumnWidth(kKellgenColumn, 55);
    setMarkedColumn(0);
    // The search column is the sort column; Enter in the box means nothing here.
    enableSearch(QStringLiteral("csekk_nev"), false);
    enableTitleSort(true);
    grid()->setItemDelegateForColumn(kKellgenColumn, new FlagMarkDelegate(12, grid()));

    QAction *aUj = addStandardAction(New);
    QAction *aSzerkeszt = addStandardAction(Edit);
    QAction *aTorol = addStandardAction(Delete, QStringLiteral("Sor törlése"));
    QAction *aNyomtat = addStandardAction(Print);
    aNyomtat->setEnabled(bool(billTypeListPrinter()));
    connect(aNyomtat, &QAction::triggered, this, guarded(this, &Tfrm_TorzsCsekk::printList));
    QAction *aHtml = addStandardAction(Html);
    connect(aHtml, &QAction::triggered, this, guarded(this, &Tfrm_TorzsCsekk::exportHtml));
    QAction *aElfogad = addStandardAction(Accept);
    QAction *aBezar = addStandardAction(Close);

    setToolBarActions({aUj, aSzerkeszt, aTorol, nullptr, aNyomtat, nullptr, aElfogad, aBezar});
    auto *printMenu = new QMenu(this);
    printMenu->setObjectName(QStringLiteral("PopupMenu2"));
    printMenu->addActions({aNyomtat, aHtml});
    if (auto *button = qobject_cast<QToolButton *>(toolBar()->widgetForAction(aNyomtat))) {
        button->setMenu(printMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    auto *output = new QMenu(QStringLiteral("Kimenet"), this);
    output->setObjectName(QStringLiteral("Kimenet1"));
    output->addActions({aNyomtat, aHtml});
    setContextActions(
        {aElfogad, nullptr, aUj, aSzerkeszt, aTorol, nullptr, output->menuAction(), nullptr, aBezar});
    setChoiceMode(choiceMode);
}

Tfrm_TorzsCsekk::~Tfrm_TorzsCsekk() = default;

void Tfrm_TorzsCsekk::applyFormats()
{
    if (TField *f = m_qry->findField(QStringLiteral("osszeg")))
        f->setDisplayFormat(beall().Format);
}

TCsekk Tfrm_TorzsCsekk::currentRecord() const
{
    TCsekk rec;
    if (!hasRows())
        return rec;
    const auto field = [this](const char *name) -> TField & {
        return m_qry->fieldByName(QString::fromLatin1(name));
    };
    rec.csekk = field("csekk").asInteger();
    rec.csekk_nev = field("csekk_nev").asString();
    rec.kellgen = field("kellgen").asString() == QLatin1String("I");
    rec.nap_hatid = field("nap_hatid").asInteger();
    rec.osszeg = field("osszeg").asFloat();
    rec.ugyfel = field("ugyfel").asInteger();
    return rec;
}

void Tfrm_TorzsCsekk::newRow()
{
    const int id = EditCsekk(-1, this);
    activateWindow();
    if (id != -1)
        reopenOn(id);
}

void Tfrm_TorzsCsekk::editRow()
{
    if (!hasRows()) {
        newRow();
        return;
    }
    const int id = EditCsekk(currentKey(), this);
    activateWindow();
    if (id != -1)
        reopenOn(id);
}

void Tfrm_TorzsCsekk::deleteCurrentRow()
{
    // A type that still has payments is refused by the database; its reason reaches
    // the error display and the list is not read again.
    ExecSql(QStringLiteral("DELETE FROM csekk WHERE csekk=") +
            SqlIntOrZero(m_qry->fieldByName(QStringLiteral("csekk")).value()) + QStringLiteral(";"));
    reopenOn(-1);
}

void Tfrm_TorzsCsekk::printList()
{
    if (billTypeListPrinter())
        billTypeListPrinter()(this);
}

void Tfrm_TorzsCsekk::exportHtml()
{
    ExportGridHtml(grid(), windowTitle());
}

int ChooseCsekk(int moveTo, bool choiceMode, QWidget *parent)
{
    Tfrm_TorzsCsekk w(choiceMode, parent);
    const int key = w.openAndExec(moveTo);
    return choiceMode ? key : -1;
}

int ChooseCsekk(int moveTo, bool choiceMode, TCsekk &chosen, QWidget *parent)
{
    Tfrm_TorzsCsekk w(choiceMode, parent);
    TCsekk rec;
    // The record is taken while the list is still open, when the window is accepted.
    QObject::connect(&w, &QDialog::accepted, &w, guarded([&w, &rec] { rec = w.currentRecord(); }));
    const int key = w.openAndExec(moveTo);
    if (!choiceMode)
        return -1;
    if (key != -1)
        chosen = rec;
    return key;
}

}  // namespace zorva
