#include "honap.h"

#include "core/ui/combofill.h"
#include "core/ui/inputbehaviour.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorva {

Tfrm_Honap::Tfrm_Honap(QWidget *parent) : QDialog(parent ? parent : QApplication::activeWindow())
{
    setObjectName(QStringLiteral("frm_Honap"));
    setWindowTitle(QStringLiteral("Időszak megadása"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    applyFontSize(this);

    m_from = new QComboBox(this);
    m_from->setObjectName(QStringLiteral("cbTol"));
    m_to = new QComboBox(this);
    m_to->setObjectName(QStringLiteral("cbIg"));
    for (QComboBox *c : {m_from, m_to}) {
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setMinimumWidth(110);
    }

    const QString sql = QStringLiteral("SELECT DISTINCT idoszak FROM hazikassza ORDER BY 1;");
    FillComboFromQuery(m_from, sql, QString());
    // Both lists are the same; the second is copied rather than read again.
    for (int i = 0; i < m_from->count(); ++i)
        m_to->addItem(m_from->itemText(i));
    if (m_from->count() > 0) {
        m_from->setCurrentIndex(0);
        m_to->setCurrentIndex(m_to->count() - 1);
    } else {
        m_from->setEditText(QString());
        m_to->setEditText(QString());
    }

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Mégsem"), this);
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, guarded(this, &QDialog::accept));
    connect(m_cancel, &QPushButton::clicked, this, guarded(this, &QDialog::reject));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("tól"), m_from);
    form->addRow(QStringLiteral("ig"), m_to);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    installFocusColor(this);
    installEnterAsTab(this);
    m_from->setFocus();
}

QString Tfrm_Honap::fromPeriod() const
{
    return m_from->currentText();
}

QString Tfrm_Honap::toPeriod() const
{
    return m_to->currentText();
}

void Tfrm_Honap::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred over the main window (the top-level window it belongs to); not remembered.
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (owner)
        move(owner->frameGeometry().center() -
             QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}

bool AskMonthRange(QString &from, QString &to, QWidget *parent)
{
    Tfrm_Honap dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    from = dialog.fromPeriod();
    to = dialog.toPeriod();
    return true;
}

}  // namespace zorva
