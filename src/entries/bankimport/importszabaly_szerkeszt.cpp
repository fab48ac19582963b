#include "importszabaly_szerkeszt.h"

#include "core/dbhelpers/mainconnection.h"
#include "masterdata/fixeditems/lookupcombo.h"

#include <QLineEdit>
#include <QSpinBox>

namespace zorva {

Tfrm_ImportSzabaly_Szerkeszt::Tfrm_ImportSzabaly_Szerkeszt(TDataSet *table, TDataSet *types, QWidget *parent)
    : EditDialog(QStringLiteral("frm_ImportSzabaly_Szerkeszt"), QStringLiteral("Importálási szabály"),
                 OkWrites, parent)
{
    setDataSet(table);
    m_pattern = new QLineEdit(this);
    m_pattern->setObjectName(QStringLiteral("Edit1"));
    m_pattern->setMaxLength(100);
    m_pattern->setMinimumWidth(300);
    addField(QStringLiteral("ha a szöveg vagy a partner tartalmazza"), m_pattern);
    m_type = new LookupCombo(this);
    m_type->setObjectName(QStringLiteral("DBLookupComboBox1"));
    m_type->setLookup(types, QStringLiteral("kasszatip"), QStringLiteral("kasszatip_nev"), false);
    addField(QStringLiteral("kassza típus"), m_type);
    m_order = new QSpinBox(this);
    m_order->setObjectName(QStringLiteral("SpinEdit1"));
    m_order->setRange(0, 999999);
    addField(QStringLiteral("sorrend (a kisebb előbb érvényes)"), m_order);
    setFirstFocus(m_pattern);
}

void Tfrm_ImportSzabaly_Szerkeszt::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    m_pattern->setText(ds->fieldByName(QStringLiteral("minta")).asString());
    m_type->setKey(ds->fieldByName(QStringLiteral("kasszatip")).value());
    m_order->setValue(ds->fieldByName(QStringLiteral("sorrend")).asInteger());
}

bool Tfrm_ImportSzabaly_Szerkeszt::checkValues(QString *reason)
{
    if (m_pattern->text().trimmed().isEmpty()) {
        *reason = QStringLiteral("Adja meg, milyen szöveget keressen a szabály.");
        m_pattern->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const QString bad = UnstorableChars(m_pattern->text());
    if (!bad.isEmpty()) {
        *reason = QStringLiteral("A mintában olyan karakter van, amelyet az adatbázis nem tud tárolni: %1")
                      .arg(bad);
        m_pattern->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (m_type->key().isNull()) {
        *reason = QStringLiteral("Válasszon kassza típust.");
        m_type->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void Tfrm_ImportSzabaly_Szerkeszt::storeValues()
{
    TDataSet *ds = dataSet();
    ds->fieldByName(QStringLiteral("minta")).setAsString(m_pattern->text().trimmed());
    ds->fieldByName(QStringLiteral("kasszatip")).setValue(m_type->key());
    ds->fieldByName(QStringLiteral("sorrend")).setAsInteger(m_order->value());
}

}  // namespace zorva
