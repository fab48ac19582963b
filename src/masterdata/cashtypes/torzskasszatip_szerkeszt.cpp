#include "torzskasszatip_szerkeszt.h"

#include "coloursample.h"

#include "db/dataset.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zorva {

Tfrm_TorzsKasszaTip_Szerkeszt::Tfrm_TorzsKasszaTip_Szerkeszt(TDataSet *table, QWidget *parent)
    : EditDialog(QStringLiteral("frm_TorzsKasszaTip_Szerkeszt"), QStringLiteral("Kassza típus szerkesztés"),
                 OkWrites, parent)
{
    setDataSet(table);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("DBEdit1"));
    m_name->setMinimumWidth(300);
    addField(QStringLiteral("kassza típus"), m_name);

    auto *group = new QGroupBox(QStringLiteral("Szorzó"), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto *groupLayout = new QVBoxLayout(group);
    m_expense = new QRadioButton(QStringLiteral("Kiadás"), group);
    m_income = new QRadioButton(QStringLiteral("Bevétel"), group);
    auto *buttons = new QButtonGroup(group);
    buttons->addButton(m_expense);
    buttons->addButton(m_income);
    groupLayout->addWidget(m_expense);
    groupLayout->addWidget(m_income);
    fieldLayout()->addSpacing(6);
    addWidget(group);

    m_sample = new ColourSample(QStringLiteral("szín választás"), this);
    m_sample->setObjectName(QStringLiteral("Shape1"));
    m_sample->setMinimumHeight(36);
    fieldLayout()->addSpacing(6);
    addWidget(m_sample);

    setFirstFocus(m_name);
    // The radio item follows the row at once: -1 is "Kiadás", anything else "Bevétel".
    const TField *szorzo = table ? table->findField(QStringLiteral("szorzo")) : nullptr;
    const bool expense = szorzo && !szorzo->isNull() && szorzo->asInteger() == -1;
    (expense ? m_expense : m_income)->setChecked(true);
}

void Tfrm_TorzsKasszaTip_Szerkeszt::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    TField &name = ds->fieldByName(QStringLiteral("kasszatip_nev"));
    if (name.size() > 0)
        m_name->setMaxLength(name.size());
    m_name->setText(name.asString());
    const TField &szin = ds->fieldByName(QStringLiteral("szin"));
    m_sample->setColorValue(szin.isNull() ? 0 : szin.asInteger());
}

void Tfrm_TorzsKasszaTip_Szerkeszt::storeValues()
{
    TDataSet *ds = dataSet();
    if (!ds)
        return;
    ds->fieldByName(QStringLiteral("kasszatip_nev")).setAsString(m_name->text());
    ds->fieldByName(QStringLiteral("szorzo")).setAsInteger(m_income->isChecked() ? 1 : -1);
    ds->fieldByName(QStringLiteral("szin")).setAsInteger(m_sample->colorValue());
}

}  // namespace zorva
