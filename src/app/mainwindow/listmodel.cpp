#include "listmodel.h"

#include "dataset.h"
#include "globals.h"

#include <QBrush>

namespace zorva {

ListModel::ListModel(TDataSet *ds, const QList<ListColumn> &columns, QObject *parent)
    : QAbstractTableModel(parent), m_ds(ds), m_columns(columns)
{
    connect(ds, &TDataSet::rowsReset, this, &ListModel::reset);
    connect(ds, &TDataSet::controlsEnabled, this, &ListModel::reset);
    connect(ds, &TDataSet::rowChanged, this, &ListModel::rowChanged);
    reset();
}

int ListModel::columnOf(const QString &field) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].field == field)
            return i;
    }
    return -1;
}

void ListModel::highlightSortColumn(const QString &field)
{
    m_sortField = field;
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1), {Qt::BackgroundRole});
}

bool ListModel::isSortColumn(int column) const
{
    return column >= 0 && column < m_columns.size() && !m_sortField.isEmpty() &&
           m_columns[column].field == m_sortField;
}

void ListModel::setCurrentRow(int row)
{
    if (row == m_current)
        return;
    const int old = m_current;
    m_current = row;
    const int last = columnCount() - 1;
    for (int r : {old, row}) {
        if (r >= 0 && r < m_rows) {
            emit dataChanged(index(r, 0), index(r, last));
            emit headerDataChanged(Qt::Vertical, r, r);
        }
    }
}

int ListModel::fieldIndex(const QString &field) const
{
    return m_ds && m_ds->isActive() ? m_ds->fieldIndex(field) : -1;
}

void ListModel::reset()
{
    beginResetModel();
    m_dsColumns.clear();
    const bool active = m_ds && m_ds->isActive() && !m_ds->controlsDisabled();
    for (const ListColumn &c : m_columns)
        m_dsColumns.append(active ? m_ds->fieldIndex(c.field) : -1);
    m_rows = active ? m_ds->recordCount() : 0;
    m_current = active ? m_ds->currentIndex() : -1;
    endResetModel();
}

void ListModel::rowChanged(int row)
{
    if (row >= 0 && row < m_rows)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || !m_ds)
        return {};
    const int dsColumn = m_dsColumns.value(index.column(), -1);
    switch (role) {
    case Qt::DisplayRole:
        return dsColumn < 0 ? QString() : m_ds->displayTextAt(index.row(), dsColumn);
    case Qt::UserRole:
        return dsColumn < 0 ? QVariant() : m_ds->valueAt(index.row(), dsColumn);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[index.column()].alignment);
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const bool sortColumn = isSortColumn(index.column());
        QColor text, background;
        if (m_rule)
            std::tie(text, background) = m_rule(index.row(), index.column(), index.row() == m_current, sortColumn);
        else if (sortColumn)
            background = SortColumnColor();
        const QColor &c = role == Qt::ForegroundRole ? text : background;
        return c.isValid() ? QVariant(QBrush(c)) : QVariant();
    }
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
            return m_columns[section].title;
        return {};
    }
    // The row indicator: a marker on the current row.
    if (role == Qt::DisplayRole)
        return section == m_current ? QStringLiteral("\u25B6") : QString();
    return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace zorva
