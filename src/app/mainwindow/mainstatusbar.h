// The main window's status bar: six panels of fixed widths, the first five centred.
#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

namespace zorva {

class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    enum Panel { RecordPos = 0, Hint = 1, Period = 2, CashBox = 3, Recorded = 4, Spare = 5 };

    explicit MainStatusBar(QWidget *parent = nullptr);

    void setPanel(Panel panel, const QString &text);
    QString panel(Panel panel) const;
    QLabel *panelLabel(Panel panel) const { return m_panels[size_t(panel)]; }
    // Panel 1: two spaces and the hint; empty without a hint.
    void setHint(const QString &hint);

private:
    std::array<QLabel *, 6> m_panels{};
};

}  // namespace zorva
