#include "importrules.h"

#include "lookupcombo.h"
#include "mainconnection.h"

#include <QAction>
#include <QLineEdit>
#include <QSpinBox>

namespace zorva {

namespace {

const QString fKasszatipNev = QStringLiteral("kasszatip_nev");

}  // namespace

Tfrm_ImportSzabaly::Tfrm_ImportSzabaly(QWidget *parent)
    : ListWindow(QStringLiteral("frm_ImportSzabaly"), QStringLiteral("Importálási szabályok"), parent),
      QryTip(&mainConnection()),
      Tbl(&mainConnection())
{
    QryTip.setObjectName(QStringLiteral("QryTip"));
    QryTip.setSQL(
        QStringLiteral("SELECT kasszatip, kasszatip_nev, szorzo FROM kasszatip ORDER BY kasszatip_nev;"));
    Tbl.setObjectName(QStringLiteral("Tbl"));
    Tbl.setTableName(QStringLiteral("importszabaly"));
    Tbl.setIndexFieldNames(QStringLiteral("sorrend;importszabaly"));
    Tbl.addLookupField(fKasszatipNev, TFieldType::ftString, 50, QStringLiteral("kasszatip"), &QryTip,
                       QStringLiteral("kasszatip"), fKasszatipNev);
    setTitle(QStringLiteral("Szöveg vagy partner tartalmazza → kassza típus  "));
    setDesignSize(560, 400);
    setDataSet(&Tbl);
    setKeyField(QStringLiteral("importszabaly"));
    setColumns({{QStringLiteral("sorrend"), QStringLiteral("sorrend")},
                {QStringLiteral("minta"), QStringLiteral("ha tartalmazza")},
                {fKasszatipNev, QStringLiteral("kassza típus")}});
    setColumnShares(40, {0.15, 0.45, 0.4});
    QAction *aUj = addStandardAction(New);
    QAction *aSzerkeszt = addStandardAction(Edit);
    QAction *aTorol = addStandardAction(Delete);
    QAction *aBezar = addStandardAction(Close);
    setToolBarActions({aUj, aSzerkeszt, aTorol, nullptr, aBezar});
    setContextActions({aUj, aSzerkeszt, aTorol, nullptr, aBezar});
}

Tfrm_ImportSzabaly::~Tfrm_ImportSzabaly() = default;

void Tfrm_ImportSzabaly::openData()
{
    QryTip.open();
    Tbl.open();
}

void Tfrm_ImportSzabaly::closeData()
{
    ListWindow::closeData();
    QryTip.close();
}

std::unique_ptr<QDialog> Tfrm_ImportSzabaly::createEditDialog(bool)
{
    return std::make_unique<Tfrm_ImportSzabaly_Szerkeszt>(&Tbl, &QryTip, this);
}

void Tfrm_ImportSzabaly::prepareNewRow()
{
    const qint64 next =
        QueryInt(QStringLiteral("SELECT COALESCE(MAX(sorrend), 0) + 10 FROM importszabaly"), 10);
    Tbl.fieldByName(QStringLiteral("sorrend")).setAsInteger(next);
}

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
    m_type->setLookup(types, QStringLiteral("kasszatip"), fKasszatipNev, false);
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

void EditImportRules(QWidget *parent)
{
    Tfrm_ImportSzabaly w(parent);
    w.openAndExec(-1);
}

}  // namespace zorva
