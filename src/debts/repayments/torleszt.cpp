#include "torleszt.h"

#include "bills/types/flagmarkdelegate.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/numberformat.h"
#include "core/querytext.h"
#include "core/sqltext.h"
#include "core/ui/dbgrid.h"

#include "db/query.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QStatusBar>

namespace zorva {

namespace {

constexpr int kNovelColumn = 3;
const QColor kFurtherLoanBackground(255, 221, 221);

}  // namespace

Tfrm_Torleszt::Tfrm_Torleszt(int tartozik, QWidget *parent)
    : ListWindow(QStringLiteral("frm_Torleszt"), QStringLiteral("Részletek"),
                 parent ? parent : QApplication::activeWindow()),
      m_tartozik(tartozik)
{
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));
    m_qry->setSQL(QStringList{QStringLiteral("SELECT * FROM vw_torleszt"), QStringLiteral("WHERE torleszt>0"),
                              QStringLiteral("ORDER BY 1;")});
    connect(m_qry, &TDataSet::afterOpen, this, &Tfrm_Torleszt::applyFormats);

    setDesignSize(552, 390);
    setKeyField(QStringLiteral("torleszt"));
    setDataSet(m_qry);
    setColumns({{QStringLiteral("datum"), QStringLiteral("dátum")},
                {QStringLiteral("osszeg"), QStringLiteral("összeg")},
                {QStringLiteral("megjegyzes"), QStringLiteral("megjegyzés")},
                {QStringLiteral("novel"), QStringLiteral("növel?")}});
    setColumnShares(88, {0.25, 0.25, 0.5, 0});
    setFixedColumnWidth(kNovelColumn, 44);
    setMarkedColumn(0);
    enableSearch(QStringLiteral("datum"), false);
    enableTitleSort(true);
    setSortField(QStringLiteral("datum"));
    grid()->setItemDelegateForColumn(kNovelColumn, new FlagMarkDelegate(14, grid()));
    grid()->setColorRule([this](int row, int column, int role) { return cellColor(row, column, role); });

    // The header: the client's name and, under it, what remains of the loan.
    m_total = new QLabel(titlePanel());
    m_total->setObjectName(QStringLiteral("Label2"));
    QFont totalFont(QStringLiteral("Arial"));
    totalFont.setBold(true);
    totalFont.setPixelSize(12);
    m_total->setFont(totalFont);
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (auto *row = qobject_cast<QBoxLayout *>(titlePanel()->layout())) {
        row->removeWidget(titleLabel());
        auto *header = new QVBoxLayout;
        header->setSpacing(0);
        header->addWidget(titleLabel());
        header->addWidget(m_total);
        row->addLayout(header);
    }

    auto *second = new QLabel(statusBar());
    second->setObjectName(QStringLiteral("StatusPanel1"));
    statusBar()->addWidget(second, 1);

    QAction *aBezar = addStandardAction(Close);
    setToolBarActions({aBezar});
    setContextActions({});
    grid()->setContextMenuPolicy(Qt::NoContextMenu);
}

Tfrm_Torleszt::~Tfrm_Torleszt()
{
    grid()->setColorRule(nullptr);
}

void Tfrm_Torleszt::applyFormats()
{
    for (const char *name : {"osszeg", "osszesen"}) {
        if (TField *f = m_qry->findField(QString::fromLatin1(name)))
            f->setDisplayFormat(beall().Format);
    }
}

void Tfrm_Torleszt::openData()
{
    SetWhereLine(m_qry->sql(), QStringLiteral("tartozik=") + SqlIntOrZero(m_tartozik), true);
    m_qry->open();
    showHeader();
}

void Tfrm_Torleszt::showHeader()
{
    int ugyfel = 0;
    double total = 0;
    if (m_qry->isActive() && !m_qry->isEmpty()) {
        const int first = m_qry->fieldIndex(QStringLiteral("ugyfel"));
        const int sum = m_qry->fieldIndex(QStringLiteral("osszesen"));
        if (first >= 0)
            ugyfel = m_qry->valueAt(0, first).toInt();
        if (sum >= 0)
            total = m_qry->valueAt(0, sum).toDouble();
    }
    setTitle(QueryText(QStringLiteral("SELECT ugyfel_nev FROM ugyfel WHERE ugyfel=") + SqlIntOrZero(ugyfel) +
                           QStringLiteral(";"),
                       QString()) +
             QStringLiteral("  "));
    m_total->setText(FormatFloat(beall().Format, total));
}

void Tfrm_Torleszt::reorder(const QString &field)
{
    // Movements of the same day keep the order they were recorded in.
    m_qry->close();
    SetOrderLine(m_qry->sql(), field + QStringLiteral(",torleszt"));
    m_qry->open();
}

QVariant Tfrm_Torleszt::cellColor(int row, int column, int role) const
{
    if (role != Qt::BackgroundRole || column == kNovelColumn || !m_qry->isActive() ||
        row == m_qry->currentIndex())
        return {};
    const int novel = m_qry->fieldIndex(QStringLiteral("novel"));
    if (novel < 0 || m_qry->valueAt(row, novel).toString() != QLatin1String("I"))
        return {};
    return kFurtherLoanBackground;  // the sort column keeps its own colour
}

void ShowDebtMovements(int tartozik, QWidget *parent)
{
    Tfrm_Torleszt w(tartozik, parent);
    w.openAndExec(-1);
}

}  // namespace zorva
