#include "tulajdonos.h"

#include "core/dbhelpers/mainconnection.h"

#include "db/field.h"
#include "db/table.h"

#include <QApplication>
#include <QLineEdit>

namespace zorva {

const std::array<Tfrm_Tulajdonos::Column, Tfrm_Tulajdonos::FieldCount> &Tfrm_Tulajdonos::columns()
{
    static const std::array<Column, FieldCount> c{{
        {"tulajdonos", "Név", 100},
        {"telefon", "Telefon", 25},
        {"mobil", "Mobil", 25},
        {"fax", "Fax", 25},
        {"irsz", "Irányítószám", 5},
        {"varos", "Város", 25},
        {"cim", "Cím", 50},
        {"adoszam", "Adószám", 11},
        {"bankszamlaszam", "Bankszámlaszám", 24},
    }};
    return c;
}

Tfrm_Tulajdonos::Tfrm_Tulajdonos(TDataSet *table, QWidget *parent)
    : EditDialog(QStringLiteral("frm_Tulajdonos"), QStringLiteral("Tulajdonos adatai"), OkWrites,
                 parent ? parent : QApplication::activeWindow())
{
    setDataSet(table);
    for (int i = 0; i < FieldCount; ++i) {
        const Column &c = columns()[size_t(i)];
        auto *e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("DBEdit%1").arg(i + 1));
        e->setMaxLength(c.length);
        e->setMinimumWidth(c.length > 25 ? 360 : 200);
        addField(QString::fromUtf8(c.label), e);
        m_edits[size_t(i)] = e;
    }
    edit(QStringLiteral("irsz"))->setMaximumWidth(80);
    edit(QStringLiteral("irsz"))->setMinimumWidth(80);
}

QLineEdit *Tfrm_Tulajdonos::edit(const QString &column) const
{
    for (int i = 0; i < FieldCount; ++i) {
        if (column == QLatin1String(columns()[size_t(i)].name))
            return m_edits[size_t(i)];
    }
    return nullptr;
}

void Tfrm_Tulajdonos::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    for (int i = 0; i < FieldCount; ++i)
        m_edits[size_t(i)]->setText(
            ds->fieldByName(QString::fromLatin1(columns()[size_t(i)].name)).asString());
}

bool Tfrm_Tulajdonos::checkValues(QString *reason)
{
    for (int i = 0; i < FieldCount; ++i) {
        QLineEdit *e = m_edits[size_t(i)];
        const QString bad = UnstorableChars(e->text());
        if (!bad.isEmpty()) {
            *reason = QStringLiteral(
                          "A(z) \"%1\" mezőben olyan karakter van, amelyet az adatbázis nem tud "
                          "tárolni: %2")
                          .arg(QString::fromUtf8(columns()[size_t(i)].label), bad);
            e->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

void Tfrm_Tulajdonos::storeValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    for (int i = 0; i < FieldCount; ++i)
        ds->fieldByName(QString::fromLatin1(columns()[size_t(i)].name))
            .setAsString(m_edits[size_t(i)]->text().trimmed());
}

bool EditOwner(QWidget *parent)
{
    // The reports read the first row; a database that lost it gets it back.
    ExecSql(QStringLiteral("INSERT IGNORE INTO tulajdonos (tulajdonos_id, tulajdonos) VALUES (1, '');"));
    TmySQLTable tbl(&mainConnection());
    tbl.setObjectName(QStringLiteral("Tbl"));
    tbl.setTableName(QStringLiteral("tulajdonos"));
    tbl.setIndexFieldNames(QStringLiteral("tulajdonos_id"));
    tbl.open();
    tbl.first();
    tbl.edit();
    Tfrm_Tulajdonos dialog(&tbl, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (!ok && tbl.state() != TDataSetState::dsBrowse)
        tbl.cancel();
    return ok;
}

}  // namespace zorva
