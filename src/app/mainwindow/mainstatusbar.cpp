#include "mainstatusbar.h"

#include <QLabel>

namespace zorva {

MainStatusBar::MainStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(true);
    static constexpr int widths[6] = {77, 200, 110, 150, 200, 50};
    for (int i = 0; i < 6; ++i) {
        auto *l = new QLabel(this);
        l->setObjectName(QStringLiteral("panel%1").arg(i));
        l->setFixedWidth(widths[i]);
        l->setAlignment(i < 5 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        addWidget(l);
        m_panels[size_t(i)] = l;
    }
}

void MainStatusBar::setPanel(Panel panel, const QString &text)
{
    m_panels[size_t(panel)]->setText(text);
}

QString MainStatusBar::panel(Panel panel) const
{
    return m_panels[size_t(panel)]->text();
}

void MainStatusBar::setHint(const QString &hint)
{
    setPanel(Hint, hint.isEmpty() ? QString() : QStringLiteral("  ") + hint);
}

}  // namespace zorva
