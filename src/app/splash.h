// The splash window shown with the main window: the logo, fully opaque for a second,
// then fading out until it closes and frees itself.
#pragma once

#include <QTimer>
#include <QWidget>

namespace zorva {

class Tfrm_Splash : public QWidget {
    Q_OBJECT
public:
    static constexpr int StartDelayMs = 1000;
    static constexpr int StepMs = 21;
    static constexpr int StepAlpha = 10;
    static constexpr int CloseAlpha = 33;

    explicit Tfrm_Splash(QWidget *parent = nullptr);

    // Opacity in 0..255.
    int alphaBlendValue() const { return m_alpha; }
    // One fading step: the opacity drops by StepAlpha; at CloseAlpha or less the window closes.
    void fadeStep();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    int m_alpha = 255;
    QTimer m_fade;
};

// Creates a splash window that frees itself, shows it and returns at once.
void showSplash();

}  // namespace zorva
