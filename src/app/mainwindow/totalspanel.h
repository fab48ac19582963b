// The totals panel under the cash-book list: four greyed captions with right-aligned
// values on the left, the current entry's full text and an icon on the right.
#pragma once

#include <QWidget>

class QLabel;

namespace zorva {

class TotalsPanel : public QWidget {
    Q_OBJECT
public:
    explicit TotalsPanel(QWidget *parent = nullptr);

    void setTotals(const QString &nyito, const QString &bevetel, const QString &zaro, const QString &kiadas);
    void clearTotals();
    void setEntryText(const QString &text);

    QString nyito() const;
    QString bevetel() const;
    QString zaro() const;
    QString kiadas() const;
    QString entryText() const;

private:
    QLabel *m_nyito;
    QLabel *m_bevetel;
    QLabel *m_zaro;
    QLabel *m_kiadas;
    QLabel *m_text;
};

}  // namespace zorva
