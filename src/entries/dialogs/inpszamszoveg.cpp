#include "inpszamszoveg.h"

#include "core/texthelpers.h"
#include "core/ui/inputbehaviour.h"
#include "core/ui/messagebox.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zorva {

namespace {

QString withoutSpaces(const QString &text)
{
    QString out = RemoveSpaces(text);
    out.remove(QChar(0x00A0));  // a locale's grouping space, if one got pasted in
    return out;
}

}  // namespace

bool isAmountChar(QChar c)
{
    return c.isDigit() || c == QLatin1Char(',') || c == QLatin1Char('-') || c == QLatin1Char('.');
}

QString amountText(double amount)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(amount, 'f', QLocale::FloatingPointShortest);
}

bool isLocaleNumber(const QString &text)
{
    // Only what ParseAmount reads: the locale would also take "1e3", which is stored as 13.
    const QString compact = withoutSpaces(text);
    if (!std::all_of(compact.begin(), compact.end(), isAmountChar))
        return false;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    locale.toDouble(compact, &ok);
    return ok;
}

Tfrm_InpSzamSzoveg::Tfrm_InpSzamSzoveg(const QString &caption, const QString &amountPrompt, double amount,
                                       const QString &textPrompt, const QString &text, QWidget *parent)
    : QDialog(parent ? parent : QApplication::activeWindow())
{
    setObjectName(QStringLiteral("frm_InpSzamSzoveg"));
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto *amountLabel = new QLabel(amountPrompt, this);
    m_amount = new QLineEdit(amountText(amount), this);
    m_amount->setObjectName(QStringLiteral("edSzam"));
    m_amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_amount->installEventFilter(this);
    amountLabel->setBuddy(m_amount);
    auto *textLabel = new QLabel(textPrompt, this);
    m_text = new QLineEdit(text, this);
    m_text->setObjectName(QStringLiteral("edSzoveg"));
    m_text->setMinimumWidth(280);
    textLabel->setBuddy(m_text);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Mégsem"), this);
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, guarded(this, &Tfrm_InpSzamSzoveg::checkAndAccept));
    connect(m_cancel, &QPushButton::clicked, this, guarded(this, &QDialog::reject));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(amountLabel);
    layout->addWidget(m_amount);
    layout->addWidget(textLabel);
    layout->addWidget(m_text);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    installFocusColor(this);
    installEnterAsTab(this, true);  // Ctrl+Enter accepts without the check
    restoreDialogPos(this);
    m_amount->selectAll();
    m_amount->setFocus();
}

double Tfrm_InpSzamSzoveg::amount() const
{
    return ParseAmount(withoutSpaces(m_amount->text()), 0);
}

QString Tfrm_InpSzamSzoveg::text() const
{
    return m_text->text();
}

void Tfrm_InpSzamSzoveg::checkAndAccept()
{
    if (!isLocaleNumber(m_amount->text())) {
        ShowError(QStringLiteral("Nem megfelelő érték."), this);
        m_amount->setFocus();
        return;
    }
    accept();
}

bool Tfrm_InpSzamSzoveg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_amount && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString typed = key->text();
        // Only typed characters are sifted; moving keys, Backspace and shortcuts pass.
        if (!typed.isEmpty() && typed.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier) &&
            !isAmountChar(typed.at(0)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void Tfrm_InpSzamSzoveg::done(int result)
{
    storeDialogPos(this);
    QDialog::done(result);
}

bool AskAmountAndText(const QString &caption, const QString &amountPrompt, double &amount,
                      const QString &textPrompt, QString &text, QWidget *parent)
{
    Tfrm_InpSzamSzoveg dialog(caption, amountPrompt, amount, textPrompt, text, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    amount = dialog.amount();
    text = dialog.text();
    return true;
}

}  // namespace zorva
