#include "torzskassza.h"

#include "torzskassza_szerkeszt.h"

#include "core/dbhelpers/mainconnection.h"

namespace zorva {

Tfrm_TorzsKassza::Tfrm_TorzsKassza(QWidget *parent)
    : ListWindow(QStringLiteral("frm_TorzsKassza"), QStringLiteral("Kasszák"), parent), Tbl(&mainConnection())
{
    Tbl.setObjectName(QStringLiteral("Tbl"));
    Tbl.setTableName(QStringLiteral("kassza"));

    setTitle(QStringLiteral("Kasszák"));
    setDesignSize(401, 339);
    setDataSet(&Tbl);
    setKeyField(QStringLiteral("kassza"));
    setNameField(QStringLiteral("kassza_nev"));
    setColumns({{QStringLiteral("kassza_nev"), QStringLiteral("kassza")}});
    setColumnShares(40, {1.0});
    enableSearch(QStringLiteral("kassza_nev"), true);

    QAction *aUj = addStandardAction(New);
    QAction *aSzerkeszt = addStandardAction(Edit);
    QAction *aTorol = addStandardAction(Delete, QStringLiteral("Töröl"));
    QAction *aKeres = addStandardAction(Search);
    QAction *aElfogad = addStandardAction(Accept);
    QAction *aBezar = addStandardAction(Close);
    setToolBarActions({aUj, aSzerkeszt, aTorol, nullptr, aElfogad, aBezar});
    setContextActions({aUj, aSzerkeszt, aTorol, nullptr, aKeres, nullptr, aElfogad, aBezar});
}

Tfrm_TorzsKassza::~Tfrm_TorzsKassza() = default;

std::unique_ptr<QDialog> Tfrm_TorzsKassza::createEditDialog(bool)
{
    return std::make_unique<Tfrm_TorzsKassza_Szerkeszt>(&Tbl, this);
}

int ChooseCassa(int moveTo, bool choiceMode, QString *name, QWidget *parent)
{
    Tfrm_TorzsKassza w(parent);
    w.setChoiceMode(choiceMode);
    return w.openAndExec(moveTo, name);
}

}  // namespace zorva
