#include "torzscsekk_szerkeszt.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/numberformat.h"
#include "core/texthelpers.h"
#include "core/ui/amountfield.h"
#include "core/ui/slotguard.h"
#include "entries/dialogs/ugyfelvalaszt.h"

#include "db/dataset.h"
#include "db/errors.h"
#include "db/table.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <cmath>

namespace zorva {

Tfrm_TorzsCsekk_Szerkeszt::Tfrm_TorzsCsekk_Szerkeszt(TDataSet *table, QWidget *parent)
    : EditDialog(QStringLiteral("frm_TorzsCsekk_Szerkeszt"), QStringLiteral("Csekk szerkesztés"),
                 CallerWrites, parent ? parent : QApplication::activeWindow())
{
    setDataSet(table);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("DBEdit1"));
    m_name->setMaxLength(25);
    m_name->setMinimumWidth(280);
    addField(QStringLiteral("csekk"), m_name);

    m_active = new QCheckBox(QStringLiteral("aktív?"), this);
    m_active->setObjectName(QStringLiteral("DBCheckBox1"));
    m_active->setLayoutDirection(Qt::RightToLeft);  // the caption on the left
    fieldLayout()->addSpacing(6);
    auto *activeRow = new QHBoxLayout;
    activeRow->addWidget(m_active);
    activeRow->addStretch(1);
    fieldLayout()->addLayout(activeRow);

    m_day = new QLineEdit(this);
    m_day->setObjectName(QStringLiteral("DBEdit2"));
    m_day->setMaxLength(2);
    m_day->setFixedWidth(60);
    addField(QStringLiteral("hónap napja"), m_day);

    m_amount = amountBox(QStringLiteral("DBEdit3"), 160);
    addField(QStringLiteral("összeg"), m_amount);

    m_client = new QLineEdit;
    m_client->setObjectName(QStringLiteral("Edit1"));
    m_client->setReadOnly(true);
    m_client->setFocusPolicy(Qt::NoFocus);
    m_clientButton = new QToolButton;
    m_clientButton->setObjectName(QStringLiteral("SpeedButton1"));
    m_clientButton->setText(QStringLiteral("..."));
    m_clientButton->setToolTip(QStringLiteral("Ügyfél választása"));
    m_clientButton->setFocusPolicy(Qt::TabFocus);
    connect(m_clientButton, &QToolButton::clicked, this,
            guarded(this, &Tfrm_TorzsCsekk_Szerkeszt::chooseClient));
    auto *clientRow = new QWidget(this);
    auto *clientLayout = new QHBoxLayout(clientRow);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(2);
    clientLayout->addWidget(m_client, 1);
    clientLayout->addWidget(m_clientButton);
    addField(QStringLiteral("ügyfél"), clientRow);

    QWidget::setTabOrder(m_name, m_active);
    QWidget::setTabOrder(m_active, m_day);
    QWidget::setTabOrder(m_day, m_amount);
    QWidget::setTabOrder(m_amount, okButton());
    QWidget::setTabOrder(okButton(), cancelButton());
    QWidget::setTabOrder(cancelButton(), m_clientButton);
    setFirstFocus(m_name);
}

void Tfrm_TorzsCsekk_Szerkeszt::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    m_name->setText(ds->fieldByName(QStringLiteral("csekk_nev")).asString());
    m_active->setChecked(ds->fieldByName(QStringLiteral("kellgen")).asString() == QLatin1String("I"));
    const TField &day = ds->fieldByName(QStringLiteral("nap_hatid"));
    m_day->setText(day.isNull() ? QString() : QString::number(day.asInteger()));
    showAmount(m_amount, ds->fieldByName(QStringLiteral("osszeg")).asFloat(), beall().Format);
    const TField &client = ds->fieldByName(QStringLiteral("ugyfel"));
    m_ugyfel = client.isNull() ? 0 : client.asInteger();
    m_client->setText(m_ugyfel > 0 ? LookupName(m_ugyfel, QStringLiteral("ugyfel"), QString()) : QString());
}

bool Tfrm_TorzsCsekk_Szerkeszt::checkValues(QString *reason)
{
    const QString day = m_day->text().trimmed();
    bool dayOk = false;
    const int d = day.toInt(&dayOk);
    if (!day.isEmpty() && (!dayOk || d < 1 || d > 31)) {
        *reason = QStringLiteral("A hónap napja 1 és 31 közötti egész szám legyen.");
        m_day->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (std::isnan(ParseAmount(m_amount->text(), qQNaN()))) {
        *reason = QStringLiteral("Az összeg nem szám: \"%1\".").arg(m_amount->text());
        m_amount->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void Tfrm_TorzsCsekk_Szerkeszt::storeValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    ds->fieldByName(QStringLiteral("csekk_nev")).setAsString(m_name->text());
    ds->fieldByName(QStringLiteral("kellgen"))
        .setAsString(m_active->isChecked() ? QStringLiteral("I") : QStringLiteral("N"));
    TField &day = ds->fieldByName(QStringLiteral("nap_hatid"));
    if (m_day->text().trimmed().isEmpty())
        day.clear();
    else
        day.setAsInteger(m_day->text().trimmed().toInt());
    ds->fieldByName(QStringLiteral("osszeg")).setAsFloat(amountToStore(m_amount, 0));
    TField &client = ds->fieldByName(QStringLiteral("ugyfel"));
    if (m_ugyfel > 0)
        client.setAsInteger(m_ugyfel);
    else
        client.clear();
}

void Tfrm_TorzsCsekk_Szerkeszt::chooseClient()
{
    QString name;
    const int id = ChooseClient(-1, true, &name, this);
    activateWindow();
    if (id != -1) {
        m_ugyfel = id;
        m_client->setText(name);
    }
    okButton()->setFocus(Qt::OtherFocusReason);
}

int EditCsekk(int id, QWidget *parent)
{
    TmySQLTable tbl(&mainConnection());
    tbl.setObjectName(QStringLiteral("Tbl"));
    tbl.setTableName(QStringLiteral("csekk"));
    tbl.setIndexFieldNames(QStringLiteral("csekk"));
    tbl.open();
    if (id == -1) {
        tbl.append();
        tbl.fieldByName(QStringLiteral("kellgen")).setAsString(QStringLiteral("I"));
        tbl.fieldByName(QStringLiteral("nap_hatid")).setAsInteger(1);
        tbl.fieldByName(QStringLiteral("osszeg")).setAsFloat(0);
    } else {
        if (!tbl.locate(QStringLiteral("csekk"), id)) {
            // Never edit some other bill type instead.
            throw EmySQLDatabaseError(QStringLiteral("A csekk nem található (azonosító: %1)").arg(id));
        }
        tbl.edit();
    }
    if (TField *f = tbl.findField(QStringLiteral("osszeg")))
        f->setDisplayFormat(beall().Format);
    Tfrm_TorzsCsekk_Szerkeszt dialog(&tbl, parent);
    if (dialog.exec() != QDialog::Accepted) {
        tbl.cancel();
        return -1;
    }
    EditDialog::postPending(tbl);
    return tbl.fieldByName(QStringLiteral("csekk")).asInteger();
}

}  // namespace zorva
