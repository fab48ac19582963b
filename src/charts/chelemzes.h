// The cash-flow browser: incomes, expenses or the balance of every cash box per period
// over a date range, optionally of one cash type, with the range changed in place.
#pragma once

#include "chartwindow.h"

#include <QDate>
#include <QString>

#include <memory>

class QComboBox;
class QLabel;
class QRadioButton;
class TmySQLQuery;

namespace zorva {

namespace charts {
class PeriodBars;
}

class Tfrm_chElemzes : public ChartWindow {
    Q_OBJECT
public:
    enum class Direction { Bevetelek, Kiadasok, Egyenleg };

    Tfrm_chElemzes(const QDate &from, const QDate &to, QWidget *parent = nullptr);
    ~Tfrm_chElemzes() override;

    QDate fromDate() const { return m_from; }
    QDate toDate() const { return m_to; }
    Direction direction() const { return m_direction; }
    void setDirection(Direction direction);
    void setDateRange(const QDate &from, const QDate &to);

    QAction *aIdoszak() const { return m_aIdoszak; }
    QRadioButton *directionButton(Direction direction) const;
    QComboBox *typeCombo() const { return m_type; }
    QLabel *statusPanel(int index) const { return m_panels[index]; }
    TmySQLQuery *query() const { return m_qry; }
    charts::PeriodBars &bars() const { return *m_bars; }

    // The statement of the current direction, type and date range.
    QStringList statement() const;

public slots:
    void refresh();
    // "Időszak megadás": the date range dialog with the current range.
    void askDateRange();

private:
    void fillTypes();

    TmySQLQuery *m_qry = nullptr;
    std::unique_ptr<charts::PeriodBars> m_bars;
    QAction *m_aIdoszak = nullptr;
    QRadioButton *m_directions[3] = {};
    QComboBox *m_type = nullptr;
    QLabel *m_panels[4] = {};
    QDate m_from;
    QDate m_to;
    Direction m_direction = Direction::Bevetelek;
};

void ShowCashFlowBrowser(const QDate &from, const QDate &to, QWidget *parent = nullptr);

}  // namespace zorva
