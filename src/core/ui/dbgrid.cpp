#include "dbgrid.h"

#include "griddelegate.h"
#include "searchbox.h"
#include "slotguard.h"

#include "core/globals.h"
#include "db/dataset.h"

#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>
#include <QWheelEvent>

namespace {

// The row indicator column: its rows all have the grid's row height and its width is fixed,
// so its size never depends on its texts.  (The general header measures the texts of two
// hundred rows after every reset of the model, that is after every search keystroke.)
class RowIndicatorHeader : public QHeaderView {
public:
    explicit RowIndicatorHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent) {}

protected:
    QSize sectionSizeFromContents(int) const override { return QSize(width(), defaultSectionSize()); }
};

// The header's size hint measures every title anew after each reset of the model (opening,
// sorting, filtering): a title's size depends only on its text, font and sort arrow, so each
// is measured once.
class TitleHeader : public QHeaderView {
public:
    explicit TitleHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        const QAbstractItemModel *m = model();
        if (!m || m->headerData(logicalIndex, orientation(), Qt::DecorationRole).isValid())
            return QHeaderView::sectionSizeFromContents(logicalIndex);
        const QVariant font = m->headerData(logicalIndex, orientation(), Qt::FontRole);
        const bool arrow = isSortIndicatorShown() && sortIndicatorSection() == logicalIndex;
        const QString key = (font.isValid() ? font.value<QFont>().key() : this->font().key()) +
                            QChar(arrow ? u'1' : u'0') +
                            m->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        if (const auto it = m_sizes.constFind(key); it != m_sizes.cend())
            return *it;
        const QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
        if (m_sizes.size() > 256)
            m_sizes.clear();
        m_sizes.insert(key, size);
        return size;
    }

    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
            m_sizes.clear();
        QHeaderView::changeEvent(event);
    }

private:
    mutable QHash<QString, QSize> m_sizes;
};

}  // namespace

TDBGrid::TDBGrid(QWidget *parent) : QTableView(parent), m_model(new TDataSetModel(nullptr, this))
{
    auto *rows = new RowIndicatorHeader(this);
    rows->setSectionsClickable(true);
    setVerticalHeader(rows);
    setHorizontalHeader(new TitleHeader(this));
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(true);
    setSortingEnabled(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setFixedWidth(14);

    // The selection stays visible when the grid has no focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            zorva::guarded([this](int section) { emit titleClicked(fieldNameOf(section), section); }));
    connect(this, &QAbstractItemView::doubleClicked, this, zorva::guarded([this](const QModelIndex &index) {
                if (index.isValid())
                    emit rowActivated();
            }));
    connect(m_model, &QAbstractItemModel::modelReset, this, zorva::guarded(this, &TDBGrid::followDataSet));
    updateRowHeight();
}

TDBGrid::~TDBGrid() = default;

void TDBGrid::setDataSet(TDataSet *dataSet)
{
    for (const auto &c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_model->setDataSet(dataSet);
    if (dataSet) {
        // Connected after the model, so that the model has been reset when these run.
        m_connections << connect(dataSet, &TDataSet::afterScroll, this, &TDBGrid::followDataSet)
                      << connect(dataSet, &TDataSet::controlsEnabled, this, &TDBGrid::followDataSet);
    }
    followDataSet();
}

TDataSet *TDBGrid::dataSet() const
{
    return m_model->dataSet();
}

void TDBGrid::setColumns(const QList<TDataSetModel::Column> &columns)
{
    m_model->setColumns(columns);
}

void TDBGrid::setColumnWidths(const QList<int> &widths)
{
    for (int i = 0; i < widths.size() && i < m_model->columnCount(); ++i)
        setColumnWidth(i, widths[i]);
}

QString TDBGrid::fieldNameOf(int column) const
{
    return m_model->fieldNameOf(column);
}

int TDBGrid::columnOfField(const QString &fieldName) const
{
    return m_model->columnOfField(fieldName);
}

void TDBGrid::setColumnColor(int column, const QColor &color)
{
    m_model->setColumnBackground(column, color.isValid() ? QVariant::fromValue(color) : QVariant());
}

QColor TDBGrid::columnColor(int column) const
{
    const QVariant v = m_model->columnBackground(column);
    return v.typeId() == QMetaType::QColor ? v.value<QColor>() : QColor();
}

void TDBGrid::setColorRule(TDataSetModel::ColorRule rule)
{
    m_model->setColorRule(std::move(rule));
}

// The dataset moved (or was re-read): the grid's current row goes with it.
void TDBGrid::followDataSet()
{
    TDataSet *ds = dataSet();
    if (!ds || ds->controlsDisabled() || m_syncing)
        return;
    const int row = ds->isActive() ? ds->currentIndex() : -1;
    if (row < 0 || row >= m_model->rowCount() || m_model->columnCount() == 0) {
        return;
    }
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == row && selectionModel()->isRowSelected(row, QModelIndex()))
        return;
    m_syncing = true;
    const int column = current.isValid() ? current.column() : 0;
    const QModelIndex target = m_model->index(row, std::max(0, column));
    selectionModel()->setCurrentIndex(target,
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(target);
    m_syncing = false;
}

// The user moved the grid's current row: the dataset's cursor goes with it.
void TDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    TDataSet *ds = dataSet();
    if (m_syncing || !ds || !ds->isActive() || ds->controlsDisabled() || !current.isValid())
        return;
    if (ds->currentIndex() == current.row())
        return;
    m_syncing = true;
    try {
        ds->setRecNo(current.row() + 1);
    } catch (const EmySQLDatabaseError &e) {
        // A pending row could not be written: the grid goes back to the dataset's row, and the
        // error is shown from the event loop, once Qt's item-view code is done.
        m_syncing = false;
        QTimer::singleShot(0, this, &TDBGrid::followDataSet);
        QTimer::singleShot(0, this, [e] { zorva::reportSlotError(e); });
        return;
    }
    m_syncing = false;
}

void TDBGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            emit rowActivated();
            event->accept();
            return;
        }
    }
    const QString text = event->text();
    if (text.size() == 1 &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
        isSearchStartChar(text.at(0))) {
        emit textTyped(text);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// One row per wheel message: away from the user is Up, towards the user (or nothing) Down.
void TDBGrid::wheelEvent(QWheelEvent *event)
{
    const int key = event->angleDelta().y() > 0 ? Qt::Key_Up : Qt::Key_Down;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QTableView::keyPressEvent(&press);
    event->accept();
}

void TDBGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateRowHeight();
}

void TDBGrid::updateRowHeight()
{
    const int height = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(std::min(height, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(height);
}

bool TDBGrid::isSearchStartChar(QChar c)
{
    return zorva::isSearchStartChar(c);
}

void HighlightSortColumn(TDBGrid *grid, const QString &field)
{
    for (int c = 0; c < grid->dataModel()->columnCount(); ++c)
        grid->setColumnColor(c, grid->fieldNameOf(c) == field ? zorva::SortColumnColor() : QColor());
}

void HighlightColumn(TDBGrid *grid, int column)
{
    for (int c = 0; c < grid->dataModel()->columnCount(); ++c)
        grid->setColumnColor(c, QColor());
    grid->setColumnColor(column, zorva::SortColumnColor());
}
