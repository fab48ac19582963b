#include "idoszak.h"

#include "dialogclock.h"
#include "core/ui/inputbehaviour.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"

#include <QApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorva {

std::pair<QDate, QDate> intervalDates(DateInterval interval, const QDate &today)
{
    switch (interval) {
        case DateInterval::Today:
            return {today, today};
        case DateInterval::ThisWeek: {
            const QDate monday = today.addDays(1 - today.dayOfWeek());
            return {monday, monday.addDays(6)};
        }
        case DateInterval::ThisMonth: {
            const QDate first(today.year(), today.month(), 1);
            return {first, first.addMonths(1).addDays(-1)};
        }
        case DateInterval::LastMonth: {
            const QDate first = QDate(today.year(), today.month(), 1).addMonths(-1);
            return {first, first.addMonths(1).addDays(-1)};
        }
        case DateInterval::ThisYear:
            return {QDate(today.year(), 1, 1), QDate(today.year(), 12, 31)};
    }
    return {today, today};
}

namespace {

QDateEdit *makeDateEdit(QWidget *parent)
{
    auto *e = new QDateEdit(parent);
    e->setCalendarPopup(true);
    e->setDisplayFormat(QStringLiteral("yyyy.MM.dd."));
    e->setMinimumWidth(120);
    return e;
}

}  // namespace

Tfrm_Idoszak::Tfrm_Idoszak(const QString &caption, QWidget *parent)
    : QDialog(parent ? parent : QApplication::activeWindow())
{
    setObjectName(QStringLiteral("frm_Idoszak"));
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Időszak megadása") : caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto *period = new QGroupBox(QStringLiteral("Időszak"), this);
    m_from = makeDateEdit(period);
    m_from->setObjectName(QStringLiteral("dtTol"));
    m_to = makeDateEdit(period);
    m_to->setObjectName(QStringLiteral("dtIg"));
    auto *periodLayout = new QGridLayout(period);
    periodLayout->addWidget(new QLabel(QStringLiteral("tól"), period), 0, 1);
    periodLayout->addWidget(m_from, 0, 0);
    periodLayout->addWidget(new QLabel(QStringLiteral("ig"), period), 1, 1);
    periodLayout->addWidget(m_to, 1, 0);
    periodLayout->setColumnStretch(0, 1);

    auto *intervals = new QGroupBox(QStringLiteral("Intervallum"), this);
    auto *intervalLayout = new QVBoxLayout(intervals);
    const char *captions[5] = {"Csak a mai nap", "Ez a hét", "Ez a hónap", "Múlt hónap", "Idén"};
    for (int i = 0; i < 5; ++i) {
        m_buttons[i] = new QPushButton(QString::fromUtf8(captions[i]), intervals);
        m_buttons[i]->setAutoDefault(false);
        intervalLayout->addWidget(m_buttons[i]);
        const auto interval = DateInterval(i);
        connect(m_buttons[i], &QPushButton::clicked, this,
                guarded([this, interval] { setInterval(interval); }));
    }

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_cancel = new QPushButton(QStringLiteral("Mégsem"), this);
    m_cancel->setObjectName(QStringLiteral("btnMegsem"));
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, guarded(this, &QDialog::accept));
    connect(m_cancel, &QPushButton::clicked, this, guarded(this, &QDialog::reject));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *groups = new QHBoxLayout;
    groups->addWidget(period, 1);
    groups->addWidget(intervals);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_from, m_to);
    installFocusColor(this);
    installEnterAsTab(this, true);
    restoreDialogPos(this);
    m_from->setFocus();
}

void Tfrm_Idoszak::setDates(const QDate &from, const QDate &to)
{
    m_from->setDate(from);
    m_to->setDate(to);
}

QDate Tfrm_Idoszak::fromDate() const
{
    return m_from->date();
}

QDate Tfrm_Idoszak::toDate() const
{
    return m_to->date();
}

QPushButton *Tfrm_Idoszak::intervalButton(DateInterval interval) const
{
    return m_buttons[int(interval)];
}

void Tfrm_Idoszak::setInterval(DateInterval interval)
{
    const auto [from, to] = intervalDates(interval, dialogToday());
    setDates(from, to);
}

void Tfrm_Idoszak::done(int result)
{
    storeDialogPos(this);
    QDialog::done(result);
}

bool AskDateRange(QDate &from, QDate &to, const QString &caption, QWidget *parent)
{
    Tfrm_Idoszak dialog(caption, parent);
    dialog.setDates(from, to);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    from = dialog.fromDate();
    to = dialog.toDate();
    return true;
}

}  // namespace zorva
