// The frame every chart window shares: the chart filling the window, "Nyomtat",
// "Mentés" and "Bezár" (Esc) on a panel at the right or on a tool bar, the font size
// of the settings, and the window's place and size kept in the settings file.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

class QAction;
class QBoxLayout;
class QChart;
class QToolBar;
class QVBoxLayout;

namespace zorva::charts {
class ZoomChartView;
}

namespace zorva {

class ChartWindow : public QDialog {
    Q_OBJECT
public:
    enum class Buttons { RightPanel, ToolBar };
    // `name` is the object name and the settings-file section.
    ChartWindow(const QString &name, const QString &caption, Buttons buttons, QWidget *parent = nullptr);
    ~ChartWindow() override;

    QChart *chart() const { return m_chart; }
    charts::ZoomChartView *chartView() const { return m_view; }
    QAction *aNyomtat() const { return m_aNyomtat; }
    QAction *aMentes() const { return m_aMentes; }
    QAction *aBezar() const { return m_aBezar; }
    QToolBar *toolBar() const { return m_toolBar; }  // null with the right panel

    // The chart as shown, at its on-screen size, on white.
    QImage chartImage() const;

public slots:
    // On the current printer in landscape, without a print dialog.
    bool printChart();
    // Asks for a file name and writes the chart as a Windows bitmap (or a PNG picture
    // when the name ends in ".png").  False when cancelled or not written.
    bool saveChart();

protected:
    // Where a window puts its own controls above the chart.
    QVBoxLayout *controlsLayout() const { return m_controls; }
    // The chart's title in Arial 11 pt bold, black.
    void setChartTitle(const QString &title);
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    QChart *m_chart = nullptr;
    charts::ZoomChartView *m_view = nullptr;
    QAction *m_aNyomtat = nullptr;
    QAction *m_aMentes = nullptr;
    QAction *m_aBezar = nullptr;
    QToolBar *m_toolBar = nullptr;
    QVBoxLayout *m_controls = nullptr;
    bool m_placed = false;
};

}  // namespace zorva
