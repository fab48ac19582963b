// The read-only list grid every list window uses: whole-row selection that stays
// visible without focus, titles, a row indicator, lines, no editing in place; the mouse
// wheel as Up/Down; typing a search character hands it to the search box; a title
// click and a resize are reported.
#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

namespace zorva {

class ListGrid : public QTableView {
    Q_OBJECT
public:
    explicit ListGrid(QWidget *parent = nullptr);

    // Row height follows the font; every row has the same height (fast on long lists).
    void fitRowHeight();
    // Makes the row current (0-based) without any selection anchor games.
    void setCurrentRow(int row);
    int currentRow() const;

signals:
    void textTyped(const QString &character);  // a search start character, as typed
    void titleClicked(int column);
    void resized();
    void rowDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
};

// A text colour the model gives for the selected row is kept on the selection's
// background (the standard painting would use the selection's text colour).
class SelectedTextColorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};

}  // namespace zorva
