#include "app/splash.h"

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

int splashCount()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<Tfrm_Splash *>(w) != nullptr;
    return n;
}

TEST(Splash, IsABorderlessWindowOnTopOfFixedSize)
{
    Tfrm_Splash splash;
    EXPECT_EQ(splash.size(), QSize(600, 200));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(splash.alphaBlendValue(), 255);

    // The logo is drawn: not one flat colour.
    const QImage image = splash.grab().toImage();
    QSet<QRgb> colours;
    for (int x = 0; x < image.width(); x += 7)
        colours.insert(image.pixel(x, image.height() / 2));
    EXPECT_GT(colours.size(), 5);
}

TEST(Splash, FadesInStepsOfTenAndClosesAt33OrLess)
{
    QPointer<Tfrm_Splash> splash = new Tfrm_Splash;
    splash->show();
    for (int i = 1; i <= 22; ++i) {
        splash->fadeStep();
        ASSERT_EQ(splash->alphaBlendValue(), 255 - 10 * i);
        ASSERT_TRUE(splash->isVisible()) << i;
    }
    EXPECT_EQ(splash->alphaBlendValue(), 35);
    splash->fadeStep();
    EXPECT_EQ(splash->alphaBlendValue(), 25);
    EXPECT_FALSE(splash->isVisible());
    QTest::qWait(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());  // it frees itself
}

TEST(Splash, ShowSplashReturnsAtOnceAndTheWindowGoesAwayByItself)
{
    const int before = splashCount();
    showSplash();
    EXPECT_EQ(splashCount(), before + 1);
    QTest::qWait(700);  // still fully opaque within the first second
    Tfrm_Splash *shown = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *s = qobject_cast<Tfrm_Splash *>(w))
            shown = s;
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->alphaBlendValue(), 255);
    // 1 s, then 23 steps of 21 ms.
    EXPECT_TRUE(QTest::qWaitFor([&] { return splashCount() == before; }, 3000));
}

}  // namespace
