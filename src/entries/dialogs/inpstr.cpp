#include "inpstr.h"

#include "core/ui/inputbehaviour.h"
#include "core/ui/inputtext.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zorva {

Tfrm_InpStr::Tfrm_InpStr(const QString &caption, const QString &prompt, const QString &mask, int maxLength,
                         const QString &value, QWidget *parent)
    : QDialog(parent ? parent : QApplication::activeWindow()), m_mask(mask)
{
    setObjectName(QStringLiteral("frm_InpStr"));
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    m_prompt = new QLabel(prompt, this);
    m_prompt->setWordWrap(true);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setMinimumWidth(260);
    if (maxLength >= 0)
        m_edit->setMaxLength(maxLength);
    if (!mask.isEmpty())
        m_edit->setInputMask(qtInputMask(mask));
    m_edit->setText(value);
    m_edit->installEventFilter(this);
    m_prompt->setBuddy(m_edit);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Mégsem"), this);
    connect(m_ok, &QPushButton::clicked, this, guarded(this, &QDialog::accept));
    connect(m_cancel, &QPushButton::clicked, this, guarded(this, &QDialog::reject));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_edit);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    installFocusColor(this);
    restoreDialogPos(this);
    m_edit->setFocus();
}

QString Tfrm_InpStr::value() const
{
    return m_mask.isEmpty() ? m_edit->text() : maskedValue(m_mask, m_edit->displayText());
}

bool Tfrm_InpStr::eventFilter(QObject *watched, QEvent *event)
{
    // The value is selected whenever the field gets the focus, so typing replaces it (a
    // masked field would otherwise put the caret at the start).
    if (watched == m_edit && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_edit, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void Tfrm_InpStr::done(int result)
{
    storeDialogPos(this);
    QDialog::done(result);
}

bool AskText(const QString &caption, const QString &prompt, const QString &mask, int maxLength,
             QString &value, QWidget *parent)
{
    Tfrm_InpStr dialog(caption, prompt, mask, maxLength, value, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.value();
    return true;
}

}  // namespace zorva
