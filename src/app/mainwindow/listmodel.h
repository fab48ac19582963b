// A read-only table model over a dataset: the columns a list window shows, the display
// texts of the dataset's fields, the raw values under Qt::UserRole, the sort column's
// colour, the row indicator of the current row, and the window's colour rule.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

#include "dataset.h"

namespace zorva {

struct ListColumn {
    QString field;
    QString title;
    double share = 0;  // of the grid's width
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Colours of one cell: the model passes the visible row, the column index, whether the
    // row is the current one and whether the column is the sort column.
    using ColorRule = std::function<std::pair<QColor, QColor>(int row, int column, bool current, bool sortColumn)>;

    ListModel(TDataSet *ds, const QList<ListColumn> &columns, QObject *parent = nullptr);

    TDataSet *dataSet() const { return m_ds; }
    const QList<ListColumn> &columns() const { return m_columns; }
    int columnOf(const QString &field) const;  // -1 when not shown
    void setColorRule(ColorRule rule) { m_rule = std::move(rule); }

    // The column whose field is `field` gets the sort colour, every other the normal one.
    void highlightSortColumn(const QString &field);
    QString sortColumnField() const { return m_sortField; }
    bool isSortColumn(int column) const;

    // The current row (0-based, -1 none); rows repaint when it changes.
    void setCurrentRow(int row);
    int currentRow() const { return m_current; }

    // The dataset's column index of a field (-1 when missing), cached between resets.
    int fieldIndex(const QString &field) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void reset();
    void rowChanged(int row);

    QPointer<TDataSet> m_ds;
    QList<ListColumn> m_columns;
    QList<int> m_dsColumns;  // dataset column per shown column
    int m_rows = 0;
    int m_current = -1;
    QString m_sortField;
    ColorRule m_rule;
};

}  // namespace zorva
