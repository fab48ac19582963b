#include "fizetnikell.h"

#include "unpaidtotal.h"
#include "core/ui/slotguard.h"

#include "entries/dialogs/dialogclock.h"

#include "core/dbhelpers/mainconnection.h"
#include "db/query.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>

namespace zorva {

Tfrm_FizetniKell::Tfrm_FizetniKell(QWidget *parent)
    : ListWindow(QStringLiteral("frm_FizetniKell"), QStringLiteral("Lejárt csekkek"),
                 parent ? parent : QApplication::activeWindow())
{
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(
        QStringList{QStringLiteral("SELECT"), QStringLiteral(" ugyfel.ugyfel_nev,"),
                    QStringLiteral(" csekkfizet.osszeg,"), QStringLiteral(" csekkfizet.dat_hatid"),
                    QStringLiteral("FROM csekkfizet"),
                    QStringLiteral(" INNER JOIN ugyfel ON (csekkfizet.ugyfel=ugyfel.ugyfel)"),
                    QStringLiteral("WHERE (csekkfizet.dat_hatid<=:d1) AND (csekkfizet.fizetve='N')"),
                    QStringLiteral("ORDER BY 3;")});
    connect(m_qry, &TDataSet::afterOpen, this, &Tfrm_FizetniKell::applyFormats);

    setTitle(QStringLiteral("Lejárt csekkek"));
    setDesignSize(455, 453);
    setDataSet(m_qry);
    setColumns({{QStringLiteral("dat_hatid"), QStringLiteral("határidő")},
                {QStringLiteral("ugyfel_nev"), QStringLiteral("ügyfél")},
                {QStringLiteral("osszeg"), QStringLiteral("összeg")}});
    setColumnShares(44, {0.25, 0.5, 0.25});
    setMarkedColumn(0);

    m_unpaid = new QLabel(statusBar());
    m_unpaid->setObjectName(QStringLiteral("StatusPanel1"));
    m_unpaid->setFixedWidth(200);
    statusBar()->addWidget(m_unpaid);
    auto *third = new QLabel(statusBar());
    third->setObjectName(QStringLiteral("StatusPanel2"));
    third->setFixedWidth(50);
    statusBar()->addWidget(third);
    connect(m_qry, &TDataSet::afterScroll, this, &Tfrm_FizetniKell::showStatus);

    QAction *aBezar = addStandardAction(Close, QStringLiteral("OK, Bezár"));
    auto *menuClose = new QAction(QStringLiteral("Bezár"), this);
    menuClose->setObjectName(QStringLiteral("Bezar1"));
    connect(menuClose, &QAction::triggered, this, guarded(this, &QDialog::reject));
    setToolBarActions({aBezar});
    setContextActions({menuClose});
}

Tfrm_FizetniKell::~Tfrm_FizetniKell() = default;

void Tfrm_FizetniKell::openData()
{
    m_qry->paramByName(QStringLiteral("d1")).setAsDate(dialogToday());
    m_qry->open();
    showStatus();
}

void Tfrm_FizetniKell::applyFormats()
{
    if (TField *f = m_qry->findField(QStringLiteral("osszeg")))
        f->setDisplayFormat(QStringLiteral("### ### ##0"));
    if (TField *f = m_qry->findField(QStringLiteral("dat_hatid")))
        f->setDisplayFormat(QStringLiteral("yyyy.mm.dd"));
}

void Tfrm_FizetniKell::showStatus()
{
    updateStatus();
    m_unpaid->setText(UnpaidTotalText());
}

void ShowDueBills(QWidget *parent)
{
    Tfrm_FizetniKell w(parent);
    w.openAndExec(-1);
}

}  // namespace zorva
