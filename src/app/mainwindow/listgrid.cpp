#include "listgrid.h"

#include "searchbox.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QWheelEvent>

namespace zorva {

ListGrid::ListGrid(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionsClickable(false);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setMinimumWidth(14);
    setItemDelegate(new SelectedTextColorDelegate(this));
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &ListGrid::titleClicked);
    // The selection keeps its colours when the grid loses the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);
    fitRowHeight();
}

void ListGrid::fitRowHeight()
{
    const int h = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(h);
    verticalHeader()->setDefaultSectionSize(h);
}

void ListGrid::setCurrentRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount()) {
        return;
    }
    const int column = qMax(0, currentIndex().column());
    const QModelIndex idx = model()->index(row, column);
    selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(idx);
}

int ListGrid::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void ListGrid::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (mods == Qt::NoModifier && text.size() == 1 && isSearchStartChar(text.at(0))) {
        emit textTyped(text);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();  // the window decides what Enter does
        return;
    }
    QTableView::keyPressEvent(event);
}

void ListGrid::wheelEvent(QWheelEvent *event)
{
    // One row per notch: away from the user is Up, towards the user (or zero) Down.
    const int delta = event->angleDelta().y();
    const Qt::Key key = delta > 0 ? Qt::Key_Up : Qt::Key_Down;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QTableView::keyPressEvent(&press);
    event->accept();
}

void ListGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    emit resized();
}

void ListGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        emit rowDoubleClicked();
}

void ListGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowHeight();
}

void SelectedTextColorDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->state & QStyle::State_Selected) {
        const QVariant fg = index.data(Qt::ForegroundRole);
        if (fg.isValid()) {
            const QColor c = fg.value<QBrush>().color();
            option->palette.setColor(QPalette::Active, QPalette::HighlightedText, c);
            option->palette.setColor(QPalette::Inactive, QPalette::HighlightedText, c);
        }
    }
}

}  // namespace zorva
