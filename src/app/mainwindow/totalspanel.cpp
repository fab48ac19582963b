#include "totalspanel.h"

#include "core/ui/mainicons.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace zorva {

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setEnabled(false);  // greyed
    return l;
}

QLabel *value(const QString &name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(110);
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

}  // namespace

TotalsPanel::TotalsPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlOsszesen"));
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    m_nyito = value(QStringLiteral("lblNyito"), this);
    m_bevetel = value(QStringLiteral("lblBevetel"), this);
    m_zaro = value(QStringLiteral("lblZaro"), this);
    m_kiadas = value(QStringLiteral("lblKiadas"), this);
    grid->addWidget(caption(QStringLiteral("nyitó"), this), 0, 0);
    grid->addWidget(m_nyito, 0, 1);
    grid->addWidget(caption(QStringLiteral("bevétel"), this), 0, 2);
    grid->addWidget(m_bevetel, 0, 3);
    grid->addWidget(caption(QStringLiteral("záró"), this), 1, 0);
    grid->addWidget(m_zaro, 1, 1);
    grid->addWidget(caption(QStringLiteral("kiadás"), this), 1, 2);
    grid->addWidget(m_kiadas, 1, 3);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("lblSzoveg"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setFrameShape(QFrame::StyledPanel);
    m_text->setFrameShadow(QFrame::Sunken);
    m_text->setMinimumHeight(2 * fontMetrics().height() + 8);

    auto *icon = new QLabel(this);
    icon->setPixmap(mainIcon(MainIcon::Note).pixmap(32, 32));
    icon->setAlignment(Qt::AlignCenter);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    row->addLayout(grid);
    row->addWidget(m_text, 1);
    row->addWidget(icon);
}

void TotalsPanel::setTotals(const QString &nyito, const QString &bevetel, const QString &zaro,
                            const QString &kiadas)
{
    m_nyito->setText(nyito);
    m_bevetel->setText(bevetel);
    m_zaro->setText(zaro);
    m_kiadas->setText(kiadas);
}

void TotalsPanel::clearTotals()
{
    setTotals({}, {}, {}, {});
}

void TotalsPanel::setEntryText(const QString &text)
{
    m_text->setText(text);
}

QString TotalsPanel::nyito() const { return m_nyito->text(); }
QString TotalsPanel::bevetel() const { return m_bevetel->text(); }
QString TotalsPanel::zaro() const { return m_zaro->text(); }
QString TotalsPanel::kiadas() const { return m_kiadas->text(); }
QString TotalsPanel::entryText() const { return m_text->text(); }

}  // namespace zorva
