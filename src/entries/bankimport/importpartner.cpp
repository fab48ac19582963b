#include "importpartner.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/ui/slotguard.h"
#include "db/directquery.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace zorva {

Tfrm_ImportPartner::Tfrm_ImportPartner(const QHash<QString, PartnerChoice> &choices, QWidget *parent)
    : EditDialog(QStringLiteral("frm_ImportPartner"), QStringLiteral("Partnerek ügyfél nélkül"), CallerWrites,
                 parent)
{
    QStringList clientNames;
    TmySQLDirectQuery q(&mainConnection());
    q.setSQL(QStringLiteral("SELECT ugyfel, ugyfel_nev FROM ugyfel ORDER BY ugyfel_nev"));
    for (q.open(); !q.eof(); q.next()) {
        m_clientIds << q.fieldValue(0).toInt();
        clientNames << q.fieldValue(1);
    }
    q.close();
    m_names = choices.keys();
    std::sort(m_names.begin(), m_names.end(),
              [](const QString &a, const QString &b) { return QString::localeAwareCompare(a, b) < 0; });
    m_grid = new QTableWidget(int(m_names.size()), 2, this);
    m_grid->setObjectName(QStringLiteral("GridPartner"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Partner a kivonatban"), QStringLiteral("Ügyfél")});
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_grid->setMinimumSize(560, 320);
    for (int i = 0; i < m_names.size(); ++i) {
        auto *item = new QTableWidgetItem(m_names.at(i));
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        m_grid->setItem(i, 0, item);
        auto *c = new QComboBox(m_grid);
        c->addItem(QStringLiteral("(ügyfél nélkül)"), 0);
        c->addItem(QStringLiteral("(új ügyfél ezzel a névvel)"), -1);
        for (int k = 0; k < m_clientIds.size(); ++k)
            c->addItem(clientNames.at(k), m_clientIds.at(k));
        const PartnerChoice pc = choices.value(m_names.at(i));
        c->setCurrentIndex(pc.kind == PartnerChoice::Create     ? 1
                           : pc.kind == PartnerChoice::Existing ? qMax(0, c->findData(pc.ugyfel))
                                                                : 0);
        m_grid->setCellWidget(i, 1, c);
    }
    addField(QStringLiteral("Válassza ki, melyik partner melyik ügyfélhez tartozzon"), m_grid);
    auto *all = new QPushButton(QStringLiteral("Mind új ügyfél"), this);
    all->setObjectName(QStringLiteral("btnMindUj"));
    addWidget(all);
    connect(all, &QPushButton::clicked, this, guarded([this] {
                for (int i = 0; i < m_grid->rowCount(); ++i)
                    if (auto *c = qobject_cast<QComboBox *>(m_grid->cellWidget(i, 1)))
                        c->setCurrentIndex(1);
            }));
    setFirstFocus(m_grid);
}

QHash<QString, PartnerChoice> Tfrm_ImportPartner::choices() const
{
    QHash<QString, PartnerChoice> out;
    for (int i = 0; i < m_names.size(); ++i) {
        PartnerChoice pc;
        if (auto *c = qobject_cast<QComboBox *>(m_grid->cellWidget(i, 1))) {
            const int v = c->currentData().toInt();
            pc.kind = v == 0 ? PartnerChoice::None : v < 0 ? PartnerChoice::Create : PartnerChoice::Existing;
            pc.ugyfel = v > 0 ? v : 0;
        }
        out.insert(m_names.at(i), pc);
    }
    return out;
}

}  // namespace zorva
