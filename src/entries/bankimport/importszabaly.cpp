#include "importszabaly.h"

#include "importszabaly_szerkeszt.h"
#include "core/dbhelpers/mainconnection.h"

#include <QAction>

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

void EditImportRules(QWidget *parent)
{
    Tfrm_ImportSzabaly w(parent);
    w.openAndExec(-1);
}

}  // namespace zorva
