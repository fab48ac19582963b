#include "csekkfizet_szerkeszt.h"

#include "bills/types/torzscsekk.h"

#include "core/ui/amountfield.h"

#include "core/datehelpers.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/numberformat.h"
#include "core/texthelpers.h"
#include "entries/dialogs/dialogclock.h"

#include "db/dataset.h"
#include "db/errors.h"
#include "db/table.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace zorva {

namespace {

const QString kAmountFormat = QStringLiteral("### ### ##0");

}  // namespace

Tfrm_CsekkFizet_Szerkeszt::Tfrm_CsekkFizet_Szerkeszt(TDataSet *table, QWidget *parent)
    : EditDialog(QStringLiteral("frm_CsekkFizet_Szerkeszt"), QStringLiteral("Csekk fizetés szerkesztés"),
                 CallerWrites, parent ? parent : QApplication::activeWindow())
{
    setDataSet(table);

    m_period = new QLineEdit(this);
    m_period->setObjectName(QStringLiteral("DBEdit1"));
    m_period->setInputMask(QStringLiteral("0000.00;_"));
    m_period->setFixedWidth(90);
    addField(QStringLiteral("időszak"), m_period);

    m_due = datePicker(QStringLiteral("DateTimePicker1"));
    addField(QStringLiteral("határidő"), m_due);

    m_amount = amountBox(QStringLiteral("DBEdit2"), 200);
    addField(QStringLiteral("összeg"), m_amount);

    QWidget::setTabOrder(m_period, m_due);
    QWidget::setTabOrder(m_due, m_amount);
    QWidget::setTabOrder(m_amount, okButton());
    QWidget::setTabOrder(okButton(), cancelButton());
    setFirstFocus(m_period);
}

void Tfrm_CsekkFizet_Szerkeszt::setDueDate(const QDate &date)
{
    m_due->setDate(date.isValid() ? date : dialogToday());
}

QDate Tfrm_CsekkFizet_Szerkeszt::dueDate() const
{
    return m_due->date();
}

void Tfrm_CsekkFizet_Szerkeszt::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    m_period->setText(PeriodToMaskText(ds->fieldByName(QStringLiteral("idoszak")).asString()));
    showAmount(m_amount, ds->fieldByName(QStringLiteral("osszeg")).asFloat(), kAmountFormat);
}

bool Tfrm_CsekkFizet_Szerkeszt::checkValues(QString *reason)
{
    if (std::isnan(ParseAmount(m_amount->text(), qQNaN()))) {
        *reason = QStringLiteral("Az összeg nem szám: \"%1\".").arg(m_amount->text());
        m_amount->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void Tfrm_CsekkFizet_Szerkeszt::storeValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    ds->fieldByName(QStringLiteral("idoszak"))
        .setAsString(RemoveChars(QStringLiteral("._ "), m_period->text()));
    ds->fieldByName(QStringLiteral("osszeg")).setAsFloat(amountToStore(m_amount, 0));
}

int EditCsekkFizet(int id, const TCsekk *type, QWidget *parent)
{
    TmySQLTable tbl(&mainConnection());
    tbl.setObjectName(QStringLiteral("Tbl"));
    tbl.setTableName(QStringLiteral("csekkfizet"));
    tbl.setIndexFieldNames(QStringLiteral("csekkfizet"));
    tbl.open();
    if (id == -1) {
        if (!type)
            return -1;
        const QDate today = dialogToday();
        tbl.append();
        tbl.fieldByName(QStringLiteral("csekk")).setAsInteger(type->csekk);
        tbl.fieldByName(QStringLiteral("idoszak")).setAsString(PeriodOfDate(today));
        tbl.fieldByName(QStringLiteral("dat_hatid")).setAsDate(today);
        tbl.fieldByName(QStringLiteral("osszeg")).setAsFloat(type->osszeg);
        TField &client = tbl.fieldByName(QStringLiteral("ugyfel"));
        if (type->ugyfel > 0)
            client.setAsInteger(type->ugyfel);
        else
            client.clear();
        tbl.fieldByName(QStringLiteral("fizetve")).setAsString(QStringLiteral("N"));
    } else {
        if (!tbl.locate(QStringLiteral("csekkfizet"), id)) {
            // Never edit some other payment instead.
            throw EmySQLDatabaseError(
                QStringLiteral("A csekk befizetés nem található (azonosító: %1)").arg(id));
        }
        tbl.edit();
    }

    Tfrm_CsekkFizet_Szerkeszt dialog(&tbl, parent);
    dialog.setDueDate(tbl.fieldByName(QStringLiteral("dat_hatid")).asDate());
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (!ok) {
        tbl.cancel();
        return -1;
    }
    // The period follows the due date, whatever was typed into the period box.
    const QDate due = dialog.dueDate();
    tbl.fieldByName(QStringLiteral("dat_hatid")).setAsDate(due);
    tbl.fieldByName(QStringLiteral("idoszak")).setAsString(PeriodOfDate(due));
    EditDialog::postPending(tbl);
    return tbl.fieldByName(QStringLiteral("csekkfizet")).asInteger();
}

}  // namespace zorva
