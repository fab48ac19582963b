#include "torzskasszatip.h"

#include "torzskasszatip_szerkeszt.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/ui/dbgrid.h"

#include <QColor>

namespace zorva {

Tfrm_TorzsKasszaTip::Tfrm_TorzsKasszaTip(QWidget *parent)
    : ListWindow(QStringLiteral("frm_TorzsKasszaTip"), QStringLiteral("Kassza típusok"), parent),
      Tbl(&mainConnection())
{
    Tbl.setObjectName(QStringLiteral("Tbl"));
    Tbl.setTableName(QStringLiteral("kasszatip"));

    setTitle(QStringLiteral("Kassza típusok"));
    setDesignSize(462, 393);
    setDataSet(&Tbl);
    setKeyField(QStringLiteral("kasszatip"));
    setNameField(QStringLiteral("kasszatip_nev"));
    setColumns({{QStringLiteral("kasszatip_nev"), QStringLiteral("kassza típus")},
                {QStringLiteral("szorzo"), QStringLiteral("szorzó")}});
    setColumnShares(40, {0.67, 0.33});
    enableSearch(QStringLiteral("kasszatip_nev"), true);
    grid()->setColorRule([this](int row, int column, int role) { return cellColor(row, column, role); });

    QAction *aUj = addStandardAction(New);
    QAction *aSzerkeszt = addStandardAction(Edit);
    QAction *aTorol = addStandardAction(Delete, QStringLiteral("Sor törlése"));
    QAction *aKeres = addStandardAction(Search);
    QAction *aElfogad = addStandardAction(Accept);
    QAction *aBezar = addStandardAction(Close);
    setToolBarActions({aUj, aSzerkeszt, aTorol, nullptr, aElfogad, aBezar});
    setContextActions({aUj, aSzerkeszt, aTorol, nullptr, aKeres, nullptr, aElfogad, aBezar});
}

Tfrm_TorzsKasszaTip::~Tfrm_TorzsKasszaTip()
{
    grid()->setColorRule(nullptr);
}

void Tfrm_TorzsKasszaTip::setSignFilter(int sign)
{
    m_sign = sign;
    if (sign != 0) {
        Tbl.setFilter(QStringLiteral("szorzo=") + QString::number(sign));
        Tbl.setFiltered(true);
    } else {
        Tbl.setFiltered(false);
        Tbl.setFilter(QString());
    }
}

void Tfrm_TorzsKasszaTip::openData()
{
    Tbl.open();
}

QVariant Tfrm_TorzsKasszaTip::cellColor(int row, int column, int role) const
{
    if (role != Qt::BackgroundRole || column == 0)
        return QVariant();
    const int szin = Tbl.fieldIndex(QStringLiteral("szin"));
    if (szin < 0)
        return QVariant();
    const QVariant v = Tbl.valueAt(row, szin);
    return QVariant::fromValue(colorFromTColor(v.isNull() ? 0 : v.toInt()));
}

void Tfrm_TorzsKasszaTip::prepareNewRow()
{
    Tbl.fieldByName(QStringLiteral("szin")).setAsInteger(WindowBackgroundColorValue);
}

std::unique_ptr<QDialog> Tfrm_TorzsKasszaTip::createEditDialog(bool)
{
    return std::make_unique<Tfrm_TorzsKasszaTip_Szerkeszt>(&Tbl, this);
}

int ChooseKasszaTip(int moveTo, bool choiceMode, int signFilter, QWidget *parent)
{
    Tfrm_TorzsKasszaTip w(parent);
    w.setChoiceMode(choiceMode);
    w.setSignFilter(signFilter);
    return w.openAndExec(moveTo);
}

int ChooseKasszaTip(int moveTo, bool choiceMode, QString *name, QWidget *parent)
{
    Tfrm_TorzsKasszaTip w(parent);
    w.setChoiceMode(choiceMode);
    return w.openAndExec(moveTo, name);
}

}  // namespace zorva
