#include "datasetmodel.h"

#include "dataset.h"

TDataSetModel::TDataSetModel(TDataSet *dataSet, QObject *parent) : QAbstractTableModel(parent)
{
    setDataSet(dataSet);
}

TDataSetModel::~TDataSetModel() = default;

TDataSet *TDataSetModel::dataSet() const
{
    return m_ds;
}

void TDataSetModel::setDataSet(TDataSet *dataSet)
{
    for (const auto &c : m_connections)
        disconnect(c);
    m_connections.clear();
    beginResetModel();
    m_ds = dataSet;
    if (dataSet) {
        m_connections << connect(dataSet, &TDataSet::rowsReset, this, &TDataSetModel::reset)
                      << connect(dataSet, &TDataSet::rowChanged, this, &TDataSetModel::onRowChanged)
                      << connect(dataSet, &TDataSet::afterScroll, this, &TDataSetModel::onScrolled)
                      << connect(dataSet, &TDataSet::stateChanged, this, &TDataSetModel::onScrolled)
                      << connect(dataSet, &TDataSet::controlsEnabled, this, &TDataSetModel::onControlsEnabled)
                      << connect(dataSet, &QObject::destroyed, this, [this] { setDataSet(nullptr); });
    }
    resolveColumns();
    endResetModel();
}

void TDataSetModel::setColumns(const QList<Column> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_autoColumns = columns.isEmpty();
    m_backgrounds.clear();
    resolveColumns();
    endResetModel();
}

void TDataSetModel::addColumn(const QString &fieldName, const QString &title, Qt::Alignment alignment)
{
    QList<Column> list = m_autoColumns ? QList<Column>() : m_columns;
    list << Column{fieldName, title, alignment, true};
    setColumns(list);
}

void TDataSetModel::resolveColumns()
{
    m_shown.clear();
    TDataSet *ds = m_ds;
    QList<Column> wanted = m_columns;
    if (m_autoColumns) {
        wanted.clear();
        if (ds)
            for (int i = 0; i < ds->fieldCount(); ++i)
                wanted << Column{ds->fields(i).fieldName(), QString(), {}, ds->fields(i).visible()};
    }
    for (const Column &c : wanted) {
        if (!c.visible)
            continue;
        Shown s;
        s.column = c;
        s.fieldIndex = ds ? ds->fieldIndex(c.fieldName) : -1;
        s.alignment = c.alignment;
        if (!s.alignment) {
            const bool number = s.fieldIndex >= 0 && isNumericType(ds->fields(s.fieldIndex).dataType());
            s.alignment = (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        }
        m_shown << s;
    }
    m_rows = ds && ds->isActive() ? ds->recordCount() : 0;
    m_currentRow = ds && ds->isActive() ? ds->currentIndex() : -1;
}

void TDataSetModel::reset()
{
    if (m_ds && m_ds->controlsDisabled())
        return;
    beginResetModel();
    resolveColumns();
    endResetModel();
}

void TDataSetModel::onRowChanged(int row)
{
    if (!m_ds || m_ds->controlsDisabled() || row < 0 || row >= m_rows || m_shown.isEmpty())
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TDataSetModel::onScrolled()
{
    if (!m_ds || m_ds->controlsDisabled())
        return;
    const int old = m_currentRow;
    m_currentRow = m_ds->isActive() ? m_ds->currentIndex() : -1;
    if (old >= 0 && old < m_rows)
        emit headerDataChanged(Qt::Vertical, old, old);
    if (m_currentRow >= 0 && m_currentRow < m_rows)
        emit headerDataChanged(Qt::Vertical, m_currentRow, m_currentRow);
}

void TDataSetModel::onControlsEnabled()
{
    if (!m_ds)
        return;
    const int rows = m_ds->isActive() ? m_ds->recordCount() : 0;
    if (rows != m_rows) {
        reset();
        return;
    }
    if (m_rows > 0 && !m_shown.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
    onScrolled();
}

int TDataSetModel::columnOfField(const QString &fieldName) const
{
    for (int i = 0; i < m_shown.size(); ++i)
        if (m_shown[i].column.fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TDataSetModel::fieldNameOf(int column) const
{
    return column >= 0 && column < m_shown.size() ? m_shown[column].column.fieldName : QString();
}

int TDataSetModel::fieldIndexOf(int column) const
{
    return column >= 0 && column < m_shown.size() ? m_shown[column].fieldIndex : -1;
}

void TDataSetModel::setColorRule(ColorRule rule)
{
    m_rule = std::move(rule);
    if (m_rows > 0 && !m_shown.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole, SelectedForegroundRole});
}

void TDataSetModel::setColumnBackground(int column, const QVariant &colorOrBrush)
{
    if (colorOrBrush.isValid())
        m_backgrounds.insert(column, colorOrBrush);
    else
        m_backgrounds.remove(column);
    if (m_rows > 0 && column >= 0 && column < columnCount())
        emit dataChanged(index(0, column), index(m_rows - 1, column), {Qt::BackgroundRole});
}

QVariant TDataSetModel::columnBackground(int column) const
{
    return m_backgrounds.value(column);
}

void TDataSetModel::clearColumnBackgrounds()
{
    m_backgrounds.clear();
    if (m_rows > 0 && !m_shown.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1), {Qt::BackgroundRole});
}

int TDataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TDataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant TDataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_ds || index.row() >= m_rows || index.column() >= m_shown.size())
        return QVariant();
    const Shown &s = m_shown[index.column()];
    switch (role) {
        case Qt::DisplayRole:
            return s.fieldIndex >= 0 ? m_ds->displayTextAt(index.row(), s.fieldIndex) : QString();
        case RawValueRole:
            return s.fieldIndex >= 0 ? m_ds->valueAt(index.row(), s.fieldIndex) : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(s.alignment);
        case Qt::BackgroundRole: {
            const auto it = m_backgrounds.constFind(index.column());
            if (it != m_backgrounds.cend())
                return *it;
            return m_rule ? m_rule(index.row(), index.column(), role) : QVariant();
        }
        case Qt::ForegroundRole:
        case SelectedForegroundRole:
            return m_rule ? m_rule(index.row(), index.column(), role) : QVariant();
        default:
            return QVariant();
    }
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_shown.size())
            return QVariant();
        const Shown &s = m_shown[section];
        if (role == Qt::DisplayRole) {
            if (!s.column.title.isEmpty() || !m_ds || s.fieldIndex < 0)
                return s.column.title.isEmpty() ? s.column.fieldName : s.column.title;
            return m_ds->fields(s.fieldIndex).displayLabel();
        }
        if (role == FieldNameRole)
            return s.column.fieldName;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return QVariant();
    }
    if (role == Qt::DisplayRole && section >= 0 && section < m_rows) {
        if (section != m_currentRow)
            return QString();
        // The row indicator: a triangle on the current row, a star on a row being inserted.
        const bool inserting = m_ds && m_ds->state() == TDataSetState::dsInsert;
        return inserting ? QStringLiteral("*") : QString(QChar(0x25BA));
    }
    return QVariant();
}

Qt::ItemFlags TDataSetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
