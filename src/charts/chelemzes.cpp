#include "chelemzes.h"

#include "chartparts.h"
#include "periodbars.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/sqltext.h"
#include "core/ui/combofill.h"
#include "core/ui/slotguard.h"
#include "db/field.h"
#include "db/query.h"
#include "entries/dialogs/idoszak.h"

#include <QAction>
#include <QButtonGroup>
#include <QChart>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zorva {

namespace {

const QString kNoFilter = QStringLiteral("<nincs szűrés>");

QString columnOf(Tfrm_chElemzes::Direction d)
{
    switch (d) {
        case Tfrm_chElemzes::Direction::Bevetelek:
            return QStringLiteral("bevetel");
        case Tfrm_chElemzes::Direction::Kiadasok:
            return QStringLiteral("kiadas");
        case Tfrm_chElemzes::Direction::Egyenleg:
            break;
    }
    return QStringLiteral("osszeg");
}

}  // namespace

Tfrm_chElemzes::Tfrm_chElemzes(const QDate &from, const QDate &to, QWidget *parent)
    : ChartWindow(QStringLiteral("frm_chElemzes"), QStringLiteral("Pénzforgalom böngésző"), Buttons::ToolBar,
                  parent),
      m_from(from),
      m_to(to)
{
    m_aIdoszak = new QAction(QStringLiteral("Időszak megadás"), this);
    m_aIdoszak->setObjectName(QStringLiteral("aIdoszak"));
    m_aIdoszak->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    addAction(m_aIdoszak);
    connect(m_aIdoszak, &QAction::triggered, this, guarded(this, &Tfrm_chElemzes::askDateRange));
    toolBar()->addAction(m_aIdoszak);
    toolBar()->addSeparator();
    toolBar()->addAction(aNyomtat());
    toolBar()->addAction(aMentes());
    toolBar()->addSeparator();
    toolBar()->addAction(aBezar());

    auto *row = new QHBoxLayout;
    row->setContentsMargins(4, 0, 4, 0);
    auto *irany = new QGroupBox(QStringLiteral("Irány"), this);
    irany->setObjectName(QStringLiteral("rgIrany"));
    auto *iranyLayout = new QHBoxLayout(irany);
    auto *group = new QButtonGroup(this);
    const QString names[3] = {QStringLiteral("Bevételek"), QStringLiteral("Kiadások"),
                              QStringLiteral("Egyenleg")};
    for (int i = 0; i < 3; ++i) {
        m_directions[i] = new QRadioButton(names[i], irany);
        iranyLayout->addWidget(m_directions[i]);
        group->addButton(m_directions[i], i);
    }
    m_directions[0]->setChecked(true);
    auto *tipus = new QGroupBox(QStringLiteral("Típus"), this);
    auto *tipusLayout = new QHBoxLayout(tipus);
    m_type = new QComboBox(tipus);
    m_type->setObjectName(QStringLiteral("cbTipus"));
    m_type->setEditable(false);
    m_type->setMinimumWidth(200);
    m_type->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    tipusLayout->addWidget(m_type);
    row->addWidget(irany);
    row->addWidget(tipus);
    row->addStretch();
    controlsLayout()->addLayout(row);

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    const int widths[4] = {200, 200, 200, 50};
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(status);
        m_panels[i]->setFixedWidth(widths[i]);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        status->addWidget(m_panels[i]);
    }
    layout()->addWidget(status);

    setChartTitle(QStringLiteral("Pénzforgalom böngésző"));
    m_bars = std::make_unique<charts::PeriodBars>(chart(), QStringLiteral("Bevételek"), true);
    m_qry = new TmySQLQuery(&mainConnection(), this);
    m_qry->setObjectName(QStringLiteral("Qry"));

    fillTypes();
    refresh();
    connect(group, &QButtonGroup::idClicked, this, guarded([this](int id) { setDirection(Direction(id)); }));
    connect(m_type, &QComboBox::activated, this, guarded([this] { refresh(); }));
}

Tfrm_chElemzes::~Tfrm_chElemzes()
{
    m_qry->close();
}

QRadioButton *Tfrm_chElemzes::directionButton(Direction direction) const
{
    return m_directions[int(direction)];
}

void Tfrm_chElemzes::fillTypes()
{
    QString where;
    if (m_direction == Direction::Bevetelek)
        where = QStringLiteral("WHERE szorzo=1 ");
    else if (m_direction == Direction::Kiadasok)
        where = QStringLiteral("WHERE szorzo=-1 ");
    FillComboFromQuery(
        m_type,
        QStringLiteral("SELECT kasszatip_nev FROM kasszatip ") + where + QStringLiteral(" ORDER BY 1;"),
        kNoFilter);
    m_type->setCurrentIndex(0);
}

void Tfrm_chElemzes::setDirection(Direction direction)
{
    m_direction = direction;
    if (!m_directions[int(direction)]->isChecked())
        m_directions[int(direction)]->setChecked(true);
    fillTypes();
    refresh();
}

void Tfrm_chElemzes::setDateRange(const QDate &from, const QDate &to)
{
    m_from = from;
    m_to = to;
    refresh();
}

QStringList Tfrm_chElemzes::statement() const
{
    QStringList sql{
        QStringLiteral("SELECT"),
        QStringLiteral(" idoszak,"),
        QStringLiteral(" SUM(") + columnOf(m_direction) + QStringLiteral(") AS osszeg,"),
        QStringLiteral(" MIN(zaro) AS legkevesebb,"),
        QStringLiteral(" MAX(zaro) AS legtobb"),
        QStringLiteral("FROM hazikassza"),
        QStringLiteral(" LEFT OUTER JOIN kasszatip ON (hazikassza.kasszatip=kasszatip.kasszatip)"),
        QStringLiteral("WHERE (datum BETWEEN ") + SqlDate(m_from) + QStringLiteral(" AND ") + SqlDate(m_to) +
            QStringLiteral(")")};
    if (m_type->currentIndex() > 0)
        sql << QStringLiteral(" AND (kasszatip.kasszatip_nev=") + SqlText(m_type->currentText()) +
                   QStringLiteral(")");
    sql << QStringLiteral("GROUP BY idoszak") << QStringLiteral("ORDER BY 1;");
    return sql;
}

void Tfrm_chElemzes::refresh()
{
    m_qry->close();
    // A failing read leaves the chart empty until the next refresh that works.
    m_bars->clear();
    for (QLabel *p : m_panels)
        p->clear();
    m_qry->setSQL(statement());
    m_qry->open();

    QStringList periods;
    QList<double> sums;
    double highest = 0, lowest = 0;
    TField &idoszak = m_qry->fieldByName(QStringLiteral("idoszak"));
    TField &osszeg = m_qry->fieldByName(QStringLiteral("osszeg"));
    TField &legtobb = m_qry->fieldByName(QStringLiteral("legtobb"));
    TField &legkevesebb = m_qry->fieldByName(QStringLiteral("legkevesebb"));
    for (m_qry->first(); !m_qry->eof(); m_qry->next()) {
        periods << idoszak.asString();
        sums << osszeg.asFloat();
        // The highest and lowest closing balance of the whole range, not of its
        // first period only.
        const double hi = legtobb.asFloat(), lo = legkevesebb.asFloat();
        highest = periods.size() == 1 ? hi : std::max(highest, hi);
        lowest = periods.size() == 1 ? lo : std::min(lowest, lo);
    }
    m_qry->first();
    m_bars->setData(periods, sums);

    const QString day = QStringLiteral("yyyy.MM.dd");
    m_panels[0]->setText(m_from.toString(day) + QStringLiteral(" - ") + m_to.toString(day));
    m_panels[1]->setText(QStringLiteral("Maximum %1").arg(qint64(std::llround(highest))));
    m_panels[2]->setText(QStringLiteral("Minimum %1").arg(qint64(std::llround(lowest))));
}

void Tfrm_chElemzes::askDateRange()
{
    QDate from = m_from, to = m_to;
    if (AskDateRange(from, to, QString(), this))
        setDateRange(from, to);
}

void ShowCashFlowBrowser(const QDate &from, const QDate &to, QWidget *parent)
{
    Tfrm_chElemzes w(from, to, parent);
    w.exec();
}

}  // namespace zorva
