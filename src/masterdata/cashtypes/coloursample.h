// The colour sample of the cash-type dialog: a filled rectangle with a link-like text
// over it; a click (or Space) asks for a new colour through the colour dialog.
#pragma once

#include <QString>
#include <QWidget>

namespace zorva {

class ColourSample : public QWidget {
    Q_OBJECT
public:
    explicit ColourSample(const QString &text, QWidget *parent = nullptr);

    // The colour as a stored colour value (0x00BBGGRR, or a negative system code).
    int colorValue() const { return m_value; }
    void setColorValue(int value);
    // Opens the colour dialog preset to the sample's colour; a confirmed choice becomes
    // the sample's colour.  True when the colour changed hands.
    bool chooseColor();

    QSize sizeHint() const override;

signals:
    void colorChanged(int value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_text;
    int m_value = 0;
};

}  // namespace zorva
