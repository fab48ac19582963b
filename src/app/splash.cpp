#include "splash.h"

#include "logo.h"
#include "core/ui/slotguard.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace zorva {

Tfrm_Splash::Tfrm_Splash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frm_Splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(600, 200);
    m_fade.setInterval(StepMs);
    connect(&m_fade, &QTimer::timeout, this, guarded(this, &Tfrm_Splash::fadeStep));
}

void Tfrm_Splash::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    if (!m_fade.isActive())
        QTimer::singleShot(StartDelayMs, this, [this] { m_fade.start(); });
}

void Tfrm_Splash::fadeStep()
{
    m_alpha = qMax(0, m_alpha - StepAlpha);
    setWindowOpacity(m_alpha / 255.0);
    if (m_alpha <= CloseAlpha) {
        m_fade.stop();
        close();
    }
}

void Tfrm_Splash::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintLogo(p, rect());
}

void showSplash()
{
    auto *splash = new Tfrm_Splash;
    splash->show();
}

}  // namespace zorva
