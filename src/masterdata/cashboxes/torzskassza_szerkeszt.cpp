#include "torzskassza_szerkeszt.h"

#include "db/dataset.h"

#include <QLineEdit>

namespace zorva {

Tfrm_TorzsKassza_Szerkeszt::Tfrm_TorzsKassza_Szerkeszt(TDataSet *table, QWidget *parent)
    : EditDialog(QStringLiteral("frm_TorzsKassza_Szerkeszt"), QStringLiteral("Kassza szerkesztés"), OkWrites,
                 parent)
{
    setDataSet(table);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("DBEdit1"));
    m_name->setFont(emphasisFont());
    m_name->setMinimumWidth(300);
    m_decimals = new QLineEdit(this);
    m_decimals->setObjectName(QStringLiteral("DBEdit2"));
    m_decimals->setMaximumWidth(80);

    addField(QStringLiteral("kassza"), m_name);
    addField(QStringLiteral("tizedesjegyek száma"), m_decimals);
    setFirstFocus(m_name);
}

void Tfrm_TorzsKassza_Szerkeszt::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    TField &name = ds->fieldByName(QStringLiteral("kassza_nev"));
    // The box takes as many characters as the column holds.
    if (name.size() > 0)
        m_name->setMaxLength(name.size());
    m_name->setText(name.asString());
    m_decimals->setText(ds->fieldByName(QStringLiteral("tizedesjegy")).asString());
}

void Tfrm_TorzsKassza_Szerkeszt::storeValues()
{
    TDataSet *ds = dataSet();
    if (!ds)
        return;
    ds->fieldByName(QStringLiteral("kassza_nev")).setAsString(m_name->text());
    ds->fieldByName(QStringLiteral("tizedesjegy")).setAsString(m_decimals->text().trimmed());
}

}  // namespace zorva
