#include "tartozas_szerkeszt.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/numberformat.h"
#include "core/texthelpers.h"
#include "core/ui/messagebox.h"
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

QString amountText(const TField &field)
{
    return field.isNull() ? QString() : FormatFloat(beall().Format, field.asFloat());
}

}  // namespace

QDate DueDateOfLoan(const QDate &date)
{
    return date.addMonths(1);  // clamps to the last day of a shorter month
}

Tfrm_Tartozas_Szerkeszt::Tfrm_Tartozas_Szerkeszt(TDataSet *table, QWidget *parent)
    : EditDialog(QStringLiteral("frm_Tartozas_Szerkeszt"), QStringLiteral("Tartozás"), CallerWrites,
                 parent ? parent : QApplication::activeWindow())
{
    setDataSet(table);

    m_client = readOnlyBox(QStringLiteral("DBEdit1"), 300);
    addField(QStringLiteral("ügyfél"), m_client);

    m_amount = amountBox(QStringLiteral("DBEdit2"), 160);
    addField(QStringLiteral("összeg"), m_amount);

    m_date = datePicker(QStringLiteral("DateTimePicker1"));
    addField(QStringLiteral("dátum"), m_date);
    m_due = datePicker(QStringLiteral("DateTimePicker2"));
    addField(QStringLiteral("hat.idő"), m_due);

    m_note = new QLineEdit(this);
    m_note->setObjectName(QStringLiteral("DBEdit3"));
    m_note->setMaxLength(50);
    m_note->setMinimumWidth(360);
    addField(QStringLiteral("szöveg"), m_note);

    m_settled = readOnlyBox(QStringLiteral("DBEdit4"), 130);
    addField(QStringLiteral("megadva"), m_settled);
    m_repaid = readOnlyBox(QStringLiteral("DBEdit5"), 160);
    addField(QStringLiteral("ebből törl."), m_repaid);
    m_remaining = readOnlyBox(QStringLiteral("DBEdit6"), 160);
    addField(QStringLiteral("marad"), m_remaining);

    QWidget::setTabOrder(m_amount, m_date);
    QWidget::setTabOrder(m_date, m_due);
    QWidget::setTabOrder(m_due, m_note);
    QWidget::setTabOrder(m_note, okButton());
    QWidget::setTabOrder(okButton(), cancelButton());
    setFirstFocus(m_amount);
}

double Tfrm_Tartozas_Szerkeszt::amount() const
{
    const double value = ParseAmount(m_amount->text().remove(QLatin1Char(' ')), 0);
    return std::isnan(value) ? 0 : value;
}

void Tfrm_Tartozas_Szerkeszt::accept()
{
    const QString typed = m_amount->text().remove(QLatin1Char(' '));
    if (!typed.isEmpty() && std::isnan(ParseAmount(typed, qQNaN()))) {
        ShowError(QStringLiteral("Az összeg nem szám: \"%1\".").arg(m_amount->text()), this);
        m_amount->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (amount() == 0) {
        ShowError(QStringLiteral("Nincs összeg megadva"), this);
        m_amount->setFocus(Qt::OtherFocusReason);
        return;
    }
    EditDialog::accept();
}

bool Tfrm_Tartozas_Szerkeszt::checkValues(QString *)
{
    return true;  // the amount is checked in accept, with its own message
}

void Tfrm_Tartozas_Szerkeszt::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    const double osszeg = ds->fieldByName(QStringLiteral("osszeg")).asFloat();
    m_amount->setText(osszeg == 0 ? QString() : FormatFloat(QStringLiteral("0.####"), osszeg));
    m_note->setText(ds->fieldByName(QStringLiteral("szoveg")).asString());
    const TField &megad = ds->fieldByName(QStringLiteral("dat_megad"));
    m_settled->setText(megad.isNull() ? QString() : megad.asDate().toString(QStringLiteral("yyyy.MM.dd.")));
    m_repaid->setText(amountText(ds->fieldByName(QStringLiteral("torlesztve"))));
    m_remaining->setText(amountText(ds->fieldByName(QStringLiteral("marad"))));
    const QVariant client = ds->fieldByName(QStringLiteral("ugyfel")).value();
    m_client->setText(client.isNull() ? QString()
                                      : LookupName(client.toLongLong(), QStringLiteral("ugyfel"), QString()));
    const QDate today = dialogToday();
    const QDate datum = ds->fieldByName(QStringLiteral("datum")).asDate();
    const QDate due = ds->fieldByName(QStringLiteral("dat_megad_kell")).asDate();
    m_date->setDate(datum.isValid() ? datum : today);
    m_due->setDate(due.isValid() ? due : DueDateOfLoan(m_date->date()));
}

void Tfrm_Tartozas_Szerkeszt::storeValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    ds->fieldByName(QStringLiteral("osszeg")).setAsFloat(amount());
    const QString note = m_note->text();
    if (note.isEmpty())
        ds->fieldByName(QStringLiteral("szoveg")).clear();
    else
        ds->fieldByName(QStringLiteral("szoveg")).setAsString(note);
}

int EditTartozas(int id, int ugyfel, bool claim, QWidget *parent)
{
    TmySQLTable tbl(&mainConnection());
    tbl.setObjectName(QStringLiteral("Tbl"));
    tbl.setTableName(QStringLiteral("tartozik"));
    tbl.setIndexFieldNames(QStringLiteral("tartozik"));
    tbl.open();
    if (id == -1) {
        const QDate today = dialogToday();
        tbl.append();
        tbl.fieldByName(QStringLiteral("ugyfel")).setAsInteger(ugyfel);
        tbl.fieldByName(QStringLiteral("datum")).setAsDate(today);
        tbl.fieldByName(QStringLiteral("dat_megad_kell")).setAsDate(DueDateOfLoan(today));
        tbl.fieldByName(QStringLiteral("osszeg")).setAsFloat(0);
        tbl.fieldByName(QStringLiteral("torlesztve")).setAsFloat(0);
        tbl.fieldByName(QStringLiteral("marad")).setAsFloat(0);
        tbl.fieldByName(QStringLiteral("megadva")).setAsString(QStringLiteral("N"));
        tbl.fieldByName(QStringLiteral("tartozas"))
            .setAsString(claim ? QStringLiteral("I") : QStringLiteral("N"));
    } else {
        if (!tbl.locate(QStringLiteral("tartozik"), id))
            throw EmySQLDatabaseError(QStringLiteral("A tartozás nem található (azonosító: %1)").arg(id));
        tbl.edit();
    }

    Tfrm_Tartozas_Szerkeszt dialog(&tbl, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    tbl.fieldByName(QStringLiteral("datum")).setAsDate(dialog.dateEdit()->date());
    tbl.fieldByName(QStringLiteral("dat_megad_kell")).setAsDate(dialog.dueDateEdit()->date());
    if (!ok) {
        tbl.cancel();
        return -1;
    }
    tbl.fieldByName(QStringLiteral("marad")).setAsFloat(tbl.fieldByName(QStringLiteral("osszeg")).asFloat());
    EditDialog::postPending(tbl);
    return tbl.fieldByName(QStringLiteral("tartozik")).asInteger();
}

}  // namespace zorva
