#include "dataset.h"

#include "cellconv.h"
#include "database.h"
#include "dataset_p.h"

#include <QMetaMethod>
#include <QSignalBlocker>

#include <algorithm>
#include <functional>

namespace {

[[noreturn]] void fail(const QString &message)
{
    throw EmySQLDatabaseError(message);
}

}  // namespace

// ---------------------------------------------------------------- Private

void TDataSet::Private::requireActive() const
{
    if (!active)
        fail(QStringLiteral("Az adathalmaz nincs megnyitva (%1)").arg(q->objectName()));
}

void TDataSet::Private::requireEditing() const
{
    if (state != TDataSetState::dsEdit && state != TDataSetState::dsInsert)
        fail(QStringLiteral("Az adathalmaz nincs szerkesztés vagy beszúrás állapotban (%1)")
                 .arg(q->objectName()));
}

// A move away from a row being edited or inserted posts it when it was changed and drops
// it otherwise.
void TDataSet::Private::checkBrowseMode()
{
    if (state != TDataSetState::dsEdit && state != TDataSetState::dsInsert)
        return;
    if (q->modified())
        q->post();
    else
        q->cancel();
}

void TDataSet::Private::syncFields()
{
    std::vector<std::unique_ptr<TField>> old = std::move(dataFields);
    dataFields.clear();
    for (int c = 0; c < store->dataColumnCount(); ++c) {
        const ColumnInfo &col = store->column(c);
        std::unique_ptr<TField> f;
        for (auto &candidate : old) {
            if (candidate && candidate->m_name.compare(col.name, Qt::CaseInsensitive) == 0) {
                f = std::move(candidate);
                break;
            }
        }
        if (!f)
            f = std::make_unique<TField>(q, c, col.name, col.type, col.size);
        f->m_index = c;
        f->m_name = col.name;
        f->m_type = col.type;
        f->m_size = col.size;
        f->m_primaryKey = col.primaryKey;
        f->m_bitField = col.bitField;
        dataFields.push_back(std::move(f));
    }
    std::vector<ColumnInfo> extraColumns;
    for (size_t k = 0; k < extraFields.size(); ++k) {
        TField *f = extraFields[k].get();
        f->m_index = store->dataColumnCount() + int(k);
        ColumnInfo col;
        col.name = f->m_name;
        col.type = f->m_type;
        col.size = f->m_size;
        extraColumns.push_back(col);
    }
    store->setExtraColumns(extraColumns);

    fields.clear();
    exactNames.clear();
    for (auto &f : dataFields)
        fields.push_back(f.get());
    for (auto &f : extraFields)
        fields.push_back(f.get());
    for (size_t i = 0; i < fields.size(); ++i)
        if (!exactNames.contains(fields[i]->m_name))
            exactNames.insert(fields[i]->m_name, int(i));
}

void TDataSet::Private::rebuildOrder()
{
    order.clear();
    order.reserve(size_t(store->rowCount()));
    for (int r = 0; r < store->rowCount(); ++r)
        if (store->isLive(r))
            order.push_back(r);
}

void TDataSet::Private::bindFilter(FilterExpr &expr) const
{
    expr.bind([this](const QString &name) {
        const int c = q->fieldIndex(name);
        if (c < 0)
            fail(QStringLiteral("Mező nem található: %1").arg(name));
        return c;
    });
}

void TDataSet::Private::applyFilter()
{
    visible.clear();
    useVisible = filtered && filter != nullptr;
    if (!useVisible)
        return;
    for (int r : order)
        if (filter->matches(*store, r))
            visible.push_back(r);
}

// Puts freshly read rows in place of the old ones.  The filter is bound first, so that a
// failure leaves the dataset as it was.
void TDataSet::Private::install(std::unique_ptr<RowStore> fresh, int keepRecNo)
{
    std::unique_ptr<RowStore> previous = std::move(store);
    store = std::move(fresh);
    try {
        syncFields();
        if (filtered && filter)
            bindFilter(*filter);
        rebuildOrder();
        computeAllExtras();
        applyFilter();
    } catch (...) {
        store = std::move(previous);
        syncFields();
        rebuildOrder();
        updateFastCells();
        throw;
    }
    ++generation;
    const int n = rowCount();
    setPos(n == 0 ? -1 : std::clamp(keepRecNo, 1, n) - 1);
    bof = keepRecNo <= 1;
    eof = n == 0;
}

int TDataSet::Private::positionOf(int storeRow) const
{
    const auto &rs = rows();
    const auto it = std::find(rs.begin(), rs.end(), storeRow);
    return it == rs.end() ? -1 : int(it - rs.begin());
}

void TDataSet::Private::eraseRow(int storeRow)
{
    order.erase(std::remove(order.begin(), order.end(), storeRow), order.end());
    if (useVisible)
        visible.erase(std::remove(visible.begin(), visible.end(), storeRow), visible.end());
}

namespace {

QString keyText(const QList<QVariant> &values)
{
    QString key;
    for (const QVariant &v : values) {
        key += v.isValid() ? v.toString() : QStringLiteral("\x01");
        key += u'\x1f';
    }
    return key;
}

QStringList splitNames(const QString &names)
{
    QStringList out;
    for (const QString &part : names.split(u';', Qt::SkipEmptyParts))
        out << part.trimmed();
    return out;
}

}  // namespace

void TDataSet::Private::computeExtras(int row)
{
    if (extraFields.empty() || row < 0)
        return;
    const int savedRow = calcRow;
    const bool savedIn = inCalc;
    calcRow = row;
    fastCells = nullptr;
    store->clearExtraValues(row);
    try {
        for (auto &fp : extraFields) {
            TField &f = *fp;
            if (!f.m_lookup || !f.m_lookupDataSet || !f.m_lookupDataSet->isActive())
                continue;
            QList<QVariant> key;
            for (const QString &name : splitNames(f.m_keyFields)) {
                const int c = q->fieldIndex(name);
                key << (c >= 0 ? store->value(row, c) : QVariant());
            }
            const QString wanted = keyText(key);
            TDataSet &other = *f.m_lookupDataSet;
            QList<int> keyColumns;
            for (const QString &name : splitNames(f.m_lookupKeyFields))
                keyColumns << other.fieldIndex(name);
            const int resultColumn = other.fieldIndex(f.m_lookupResultField);
            if (resultColumn < 0 || keyColumns.contains(-1))
                continue;
            for (int i = 0; i < other.recordCount(); ++i) {
                QList<QVariant> otherKey;
                for (int c : keyColumns)
                    otherKey << other.valueAt(i, c);
                if (keyText(otherKey) == wanted) {
                    store->setExtraValue(row, f.m_index, other.valueAt(i, resultColumn));
                    break;
                }
            }
        }
        if (q->onCalcFields) {
            inCalc = true;
            q->onCalcFields(*q);
        }
    } catch (...) {
        calcRow = savedRow;
        inCalc = savedIn;
        updateFastCells();
        throw;
    }
    calcRow = savedRow;
    inCalc = savedIn;
    updateFastCells();
}

void TDataSet::Private::computeAllExtras()
{
    if (extraFields.empty())
        return;
    // Lookups over whole rows: index each lookup dataset once instead of walking it per row.
    struct LookupIndex {
        TField *field;
        QStringList keyNames;
        QHash<QString, QVariant> values;
    };
    std::vector<LookupIndex> indexes;
    for (auto &fp : extraFields) {
        TField &f = *fp;
        if (!f.m_lookup || !f.m_lookupDataSet || !f.m_lookupDataSet->isActive())
            continue;
        TDataSet &other = *f.m_lookupDataSet;
        QList<int> keyColumns;
        for (const QString &name : splitNames(f.m_lookupKeyFields))
            keyColumns << other.fieldIndex(name);
        const int resultColumn = other.fieldIndex(f.m_lookupResultField);
        if (resultColumn < 0 || keyColumns.contains(-1))
            continue;
        LookupIndex index{&f, splitNames(f.m_keyFields), {}};
        for (int i = 0; i < other.recordCount(); ++i) {
            QList<QVariant> key;
            for (int c : keyColumns)
                key << other.valueAt(i, c);
            const QString k = keyText(key);
            if (!index.values.contains(k))
                index.values.insert(k, other.valueAt(i, resultColumn));
        }
        indexes.push_back(std::move(index));
    }
    const bool hasCalc = static_cast<bool>(q->onCalcFields);
    fastCells = nullptr;
    for (int r : order) {
        store->clearExtraValues(r);
        for (const LookupIndex &index : indexes) {
            QList<QVariant> key;
            for (const QString &name : index.keyNames) {
                const int c = q->fieldIndex(name);
                key << (c >= 0 ? store->value(r, c) : QVariant());
            }
            const auto it = index.values.constFind(keyText(key));
            if (it != index.values.cend())
                store->setExtraValue(r, index.field->m_index, *it);
        }
        if (hasCalc) {
            calcRow = r;
            inCalc = true;
            try {
                q->onCalcFields(*q);
            } catch (...) {
                calcRow = -1;
                inCalc = false;
                updateFastCells();
                throw;
            }
        }
    }
    calcRow = -1;
    inCalc = false;
    updateFastCells();
}

void TDataSet::Private::notifyReset()
{
    if (disableCount > 0) {
        suppressed = true;
        return;
    }
    emit q->rowsReset();
}

void TDataSet::Private::notifyRowChanged(int p)
{
    if (disableCount > 0) {
        suppressed = true;
        return;
    }
    if (p >= 0)
        emit q->rowChanged(p);
}

QString TDataSet::Private::displayText(int row, int column) const
{
    const CellRef cell = store->cell(row, column);
    if (cell.isNull())
        return QString();
    return fields[size_t(column)]->formatCell(cell);
}

// ---------------------------------------------------------------- life cycle

// Only mark the count stale: these may run under Qt's connection lock (see notifyScroll).
void TDataSet::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&TDataSet::afterScroll))
        d->scrollReceiversStale = true;
}

void TDataSet::disconnectNotify(const QMetaMethod &signal)
{
    // An invalid method stands for a disconnect of every signal.
    if (!signal.isValid() || signal == QMetaMethod::fromSignal(&TDataSet::afterScroll))
        d->scrollReceiversStale = true;
}

TDataSet::TDataSet(QObject *parent) : QObject(parent), d(std::make_unique<Private>(this)) {}

// The kinds that read through a connection close themselves in their own destructors, while
// connection() still answers for them.
TDataSet::~TDataSet() = default;

void TDataSet::closeSilently()
{
    const QSignalBlocker quiet(this);
    close();
}

RowStore &TDataSet::store()
{
    return *d->store;
}

void TDataSet::prepareFields(const RowStore &columns)
{
    if (d->active)
        return;
    auto fresh = std::make_unique<RowStore>();
    fresh->setColumns(std::vector<ColumnInfo>(columns.columns().begin(),
                                              columns.columns().begin() + columns.dataColumnCount()));
    d->store = std::move(fresh);
    d->syncFields();
}

void TDataSet::open()
{
    if (d->active)
        return;
    auto fresh = std::make_unique<RowStore>();
    doOpen(*fresh);
    d->install(std::move(fresh), 1);
    d->active = true;
    d->state = TDataSetState::dsBrowse;
    if (TmySQLDatabase *db = connection())
        db->registerDataSet(this);
    emit afterOpen();
    d->notifyReset();
    emit stateChanged();
    d->notifyScroll();
}

void TDataSet::close()
{
    if (!d->active)
        return;
    emit beforeClose();
    d->store->discardPending();
    d->store = std::make_unique<RowStore>();
    d->fastCells = nullptr;
    d->order.clear();
    d->visible.clear();
    d->useVisible = false;
    d->setPos(-1);
    d->eof = d->bof = true;
    d->active = false;
    d->state = TDataSetState::dsInactive;
    ++d->generation;
    if (TmySQLDatabase *db = connection())
        db->unregisterDataSet(this);
    d->notifyReset();
    emit stateChanged();
    emit afterClose();
}

bool TDataSet::isActive() const
{
    return d->active;
}

void TDataSet::setActive(bool on)
{
    if (on)
        open();
    else
        close();
}

void TDataSet::refresh()
{
    d->requireActive();
    d->checkBrowseMode();
    const int rec = recNo();
    if (refetchOnRefresh()) {
        auto fresh = std::make_unique<RowStore>();
        doOpen(*fresh);
        d->install(std::move(fresh), rec);
    } else {
        d->computeAllExtras();
        d->applyFilter();
        const int n = d->rowCount();
        d->setPos(n == 0 ? -1 : std::clamp(rec, 1, n) - 1);
        d->eof = n == 0;
    }
    d->notifyReset();
    d->notifyScroll();
}

void TDataSet::reopenRows()
{
    d->requireActive();
    d->checkBrowseMode();
    auto fresh = std::make_unique<RowStore>();
    doOpen(*fresh);
    d->install(std::move(fresh), 1);
    d->notifyReset();
    d->notifyScroll();
}

void TDataSet::sortRows(const QList<int> &columns)
{
    d->requireActive();
    d->checkBrowseMode();
    const RowStore &st = *d->store;
    std::stable_sort(d->order.begin(), d->order.end(), [&st, &columns](int a, int b) {
        for (int c : columns) {
            const int cmp = cellconv::compare(st.cell(a, c), st.cell(b, c), st.column(c), st.codec());
            if (cmp != 0)
                return cmp < 0;
        }
        return false;
    });
    const int current = d->curRow;
    d->applyFilter();
    const int p = current >= 0 ? d->positionOf(current) : -1;
    d->setPos(p >= 0 ? p : (d->rowCount() > 0 ? 0 : -1));
    d->notifyReset();
    d->notifyScroll();
}

TDataSetState TDataSet::state() const
{
    return d->state;
}

// ---------------------------------------------------------------- cursor

void TDataSet::first()
{
    d->requireActive();
    d->checkBrowseMode();
    const int n = d->rowCount();
    d->setPos(n > 0 ? 0 : -1);
    d->bof = true;
    d->eof = n == 0;
    d->notifyScroll();
}

void TDataSet::last()
{
    d->requireActive();
    d->checkBrowseMode();
    const int n = d->rowCount();
    d->setPos(n - 1);
    d->eof = true;
    d->bof = n == 0;
    d->notifyScroll();
}

void TDataSet::next()
{
    // The walk over every row: the plain step without the general move.
    if (d->active && d->state == TDataSetState::dsBrowse && d->pos >= 0 && d->pos + 1 < d->rowCount()) {
        d->setPos(d->pos + 1);
        d->eof = d->bof = false;
        d->notifyScroll();
        return;
    }
    moveBy(1);
}

void TDataSet::prior()
{
    moveBy(-1);
}

int TDataSet::moveBy(int distance)
{
    d->requireActive();
    d->checkBrowseMode();
    const int n = d->rowCount();
    if (n == 0) {
        d->eof = d->bof = true;
        return 0;
    }
    d->eof = d->bof = false;
    int target = d->pos + distance;
    if (target >= n) {
        target = n - 1;
        d->eof = true;
    } else if (target < 0) {
        target = 0;
        d->bof = true;
    }
    const int moved = target - d->pos;
    if (moved != 0) {
        d->setPos(target);
        d->notifyScroll();
    }
    return moved;
}

bool TDataSet::eof() const
{
    return d->eof;
}

bool TDataSet::bof() const
{
    return d->bof;
}

bool TDataSet::isEmpty() const
{
    return d->rows().empty();
}

int TDataSet::recordCount() const
{
    return d->rowCount();
}

int TDataSet::recNo() const
{
    return d->pos + 1;
}

void TDataSet::setRecNo(int recNo)
{
    d->requireActive();
    d->checkBrowseMode();
    const int n = d->rowCount();
    if (n == 0)
        return;
    const int target = std::clamp(recNo, 1, n) - 1;
    d->eof = d->bof = false;
    if (target != d->pos) {
        d->setPos(target);
        d->notifyScroll();
    }
}

int TDataSet::currentIndex() const
{
    return d->pos;
}

// ---------------------------------------------------------------- fields

int TDataSet::fieldCount() const
{
    return int(d->fields.size());
}

TField &TDataSet::fields(int index)
{
    if (index < 0 || index >= fieldCount())
        fail(QStringLiteral("Nincs %1. mező (%2)").arg(index).arg(objectName()));
    return *d->fields[size_t(index)];
}

const TField &TDataSet::fields(int index) const
{
    return const_cast<TDataSet *>(this)->fields(index);
}

int TDataSet::fieldIndex(const QString &name) const
{
    const auto it = d->exactNames.constFind(name);
    if (it != d->exactNames.cend())
        return *it;
    for (size_t i = 0; i < d->fields.size(); ++i)
        if (d->fields[i]->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

TField &TDataSet::fieldByName(const QString &name)
{
    const int i = fieldIndex(name);
    if (i < 0)
        fail(QStringLiteral("Mező nem található: %1").arg(name));
    return *d->fields[size_t(i)];
}

TField *TDataSet::findField(const QString &name)
{
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : d->fields[size_t(i)];
}

QStringList TDataSet::fieldNames() const
{
    QStringList names;
    for (const TField *f : d->fields)
        names << f->m_name;
    return names;
}

TField &TDataSet::addCalculatedField(const QString &name, TFieldType type, int size)
{
    if (d->active)
        fail(QStringLiteral("Számított mező csak zárt adathalmazhoz adható: %1").arg(name));
    auto f = std::make_unique<TField>(this, fieldCount(), name, type, size);
    f->m_calculated = true;
    d->extraFields.push_back(std::move(f));
    d->syncFields();
    return *d->extraFields.back();
}

TField &TDataSet::addLookupField(const QString &name, TFieldType type, int size, const QString &keyFields,
                                 TDataSet *lookupDataSet, const QString &lookupKeyFields,
                                 const QString &lookupResultField)
{
    if (d->active)
        fail(QStringLiteral("Kereső mező csak zárt adathalmazhoz adható: %1").arg(name));
    auto f = std::make_unique<TField>(this, fieldCount(), name, type, size);
    f->m_lookup = true;
    f->m_keyFields = keyFields;
    f->m_lookupDataSet = lookupDataSet;
    f->m_lookupKeyFields = lookupKeyFields;
    f->m_lookupResultField = lookupResultField;
    d->extraFields.push_back(std::move(f));
    d->syncFields();
    return *d->extraFields.back();
}

QVariant TDataSet::valueAt(int visibleRow, int column) const
{
    if (visibleRow < 0 || visibleRow >= d->rowCount() || column < 0 || column >= d->store->columnCount())
        return QVariant();
    return d->store->value(d->rows()[size_t(visibleRow)], column);
}

QString TDataSet::displayTextAt(int visibleRow, int column) const
{
    if (visibleRow < 0 || visibleRow >= d->rowCount() || column < 0 || column >= d->store->columnCount())
        return QString();
    return d->displayText(d->rows()[size_t(visibleRow)], column);
}

// ---------------------------------------------------------------- editing

void TDataSet::insert()
{
    d->requireActive();
    if (!canModify())
        fail(QStringLiteral("Az adathalmaz csak olvasható (%1)").arg(objectName()));
    d->checkBrowseMode();
    // Before the current row; an empty dataset gets its first row.
    int orderPos = int(d->order.size());
    int viewPos = d->rowCount();
    if (d->pos >= 0) {
        viewPos = d->pos;
        orderPos = int(std::find(d->order.begin(), d->order.end(), d->curRow) - d->order.begin());
    }
    const int r = d->store->beginInsert();
    d->order.insert(d->order.begin() + orderPos, r);
    if (d->useVisible)
        d->visible.insert(d->visible.begin() + viewPos, r);
    d->setPos(viewPos);
    d->eof = d->bof = false;
    d->state = TDataSetState::dsInsert;
    d->computeExtras(r);
    d->notifyReset();
    emit stateChanged();
    d->notifyScroll();
}

void TDataSet::append()
{
    d->requireActive();
    if (!canModify())
        fail(QStringLiteral("Az adathalmaz csak olvasható (%1)").arg(objectName()));
    d->checkBrowseMode();
    const int r = d->store->beginInsert();
    d->order.push_back(r);
    if (d->useVisible)
        d->visible.push_back(r);
    d->setPos(d->rowCount() - 1);
    d->eof = d->bof = false;
    d->state = TDataSetState::dsInsert;
    d->computeExtras(r);
    d->notifyReset();
    emit stateChanged();
    d->notifyScroll();
}

void TDataSet::edit()
{
    d->requireActive();
    if (d->state != TDataSetState::dsBrowse)
        return;
    if (!canModify())
        fail(QStringLiteral("Az adathalmaz csak olvasható (%1)").arg(objectName()));
    if (d->pos < 0) {
        // Nothing to edit: the first row is started instead.
        insert();
        return;
    }
    d->store->beginEdit(d->curRow);
    d->updateFastCells();
    d->state = TDataSetState::dsEdit;
    emit stateChanged();
}

void TDataSet::post()
{
    d->requireActive();
    if (d->state != TDataSetState::dsEdit && d->state != TDataSetState::dsInsert)
        return;
    emit beforePost();
    const int r = d->store->pending().row;
    const bool inserting = d->state == TDataSetState::dsInsert;
    doPost(*d->store, r, inserting);  // a failure leaves the row in edit or insert state
    d->store->commitPending();
    d->updateFastCells();
    d->state = TDataSetState::dsBrowse;
    d->computeExtras(r);
    emit afterPost();
    d->notifyRowChanged(d->pos);
    emit stateChanged();
}

void TDataSet::cancel()
{
    if (d->state == TDataSetState::dsInsert) {
        const int r = d->store->pending().row;
        d->store->discardPending();
        d->eraseRow(r);
        const int n = d->rowCount();
        d->setPos(n == 0 ? -1 : std::min(d->pos, n - 1));
        d->eof = n == 0;
        d->bof = n == 0;
        d->state = TDataSetState::dsBrowse;
        d->notifyReset();
        emit stateChanged();
        d->notifyScroll();
    } else if (d->state == TDataSetState::dsEdit) {
        d->store->discardPending();
        d->updateFastCells();
        d->state = TDataSetState::dsBrowse;
        d->notifyRowChanged(d->pos);
        emit stateChanged();
    }
}

void TDataSet::deleteRecord()
{
    d->requireActive();
    if (!canModify())
        fail(QStringLiteral("Az adathalmaz csak olvasható (%1)").arg(objectName()));
    if (d->state == TDataSetState::dsInsert) {
        cancel();
        return;
    }
    if (d->state == TDataSetState::dsEdit)
        cancel();
    if (d->pos < 0)
        fail(QStringLiteral("Nincs törölhető sor: az adathalmaz üres (%1)").arg(objectName()));
    const int r = d->curRow;
    doDelete(*d->store, r);
    d->store->kill(r);
    d->eraseRow(r);
    const int n = d->rowCount();
    d->setPos(n == 0 ? -1 : std::min(d->pos, n - 1));
    d->eof = n == 0;
    d->bof = n == 0;
    emit afterDelete();
    d->notifyReset();
    d->notifyScroll();
}

bool TDataSet::modified() const
{
    return (d->state == TDataSetState::dsEdit || d->state == TDataSetState::dsInsert) &&
           d->store->pending().anyAssigned();
}

void TDataSet::doPost(RowStore &, int, bool) {}

void TDataSet::doDelete(RowStore &, int) {}

// ---------------------------------------------------------------- locate

bool TDataSet::locate(const QString &fieldName, const QVariant &value, TLocateOptions options)
{
    d->requireActive();
    const int c = fieldIndex(fieldName);
    if (c < 0)
        fail(QStringLiteral("Mező nem található: %1").arg(fieldName));
    d->checkBrowseMode();
    const RowStore &st = *d->store;
    const ColumnInfo &col = st.column(c);
    const Qt::CaseSensitivity cs =
        (options & (loCaseInsensitive | loPartialKey)) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const bool partial = options & loPartialKey;
    const int typeId = value.typeId();
    const bool numericValue = typeId == QMetaType::Int || typeId == QMetaType::LongLong ||
                              typeId == QMetaType::UInt || typeId == QMetaType::ULongLong ||
                              typeId == QMetaType::Double;

    std::function<bool(const CellRef &)> match;
    if (!value.isValid()) {
        match = [](const CellRef &cell) { return cell.isNull(); };
    } else if (!partial && numericValue && isNumericType(col.type)) {
        const double wanted = value.toDouble();
        match = [&col, wanted](const CellRef &cell) {
            return !cell.isNull() && cellconv::toDouble(cell, col) == wanted;
        };
    } else if (!partial && (col.type == TFieldType::ftDate || col.type == TFieldType::ftDateTime) &&
               (typeId == QMetaType::QDate || typeId == QMetaType::QString)) {
        const QDate wanted =
            typeId == QMetaType::QDate ? value.toDate() : dbconv::parseDateText(value.toString());
        match = [&col, wanted](const CellRef &cell) {
            return !cell.isNull() && wanted.isValid() && cellconv::toDate(cell, col) == wanted;
        };
    } else {
        const QString wanted =
            typeId == QMetaType::QDate ? dbconv::dateText(value.toDate()) : value.toString();
        match = [&st, &col, wanted, cs, partial](const CellRef &cell) {
            if (cell.isNull())
                return false;
            const QString text = cellconv::toString(cell, col, st.codec());
            return partial ? text.startsWith(wanted, cs) : text.compare(wanted, cs) == 0;
        };
    }
    const auto &rs = d->rows();
    for (size_t i = 0; i < rs.size(); ++i) {
        if (match(st.cell(rs[i], c))) {
            d->setPos(int(i));
            d->eof = d->bof = false;
            d->notifyScroll();
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- filter

QString TDataSet::filter() const
{
    return d->filterText;
}

void TDataSet::setFilter(const QString &expression)
{
    std::unique_ptr<FilterExpr> parsed;
    if (!expression.trimmed().isEmpty())
        parsed = FilterExpr::parse(expression);
    if (d->active && d->filtered && parsed)
        d->bindFilter(*parsed);
    if (d->active)
        d->checkBrowseMode();
    d->filterText = expression;
    d->filter = std::move(parsed);
    if (d->active && d->filtered) {
        d->applyFilter();
        d->setPos(d->rowCount() > 0 ? 0 : -1);
        d->bof = true;
        d->eof = d->rowCount() == 0;
        d->notifyReset();
        d->notifyScroll();
    }
}

bool TDataSet::filtered() const
{
    return d->filtered;
}

void TDataSet::setFiltered(bool on)
{
    if (d->filtered == on)
        return;
    if (d->active && on && d->filter)
        d->bindFilter(*d->filter);
    if (d->active)
        d->checkBrowseMode();
    d->filtered = on;
    if (d->active) {
        d->applyFilter();
        d->setPos(d->rowCount() > 0 ? 0 : -1);
        d->bof = true;
        d->eof = d->rowCount() == 0;
        d->notifyReset();
        d->notifyScroll();
    }
}

// ---------------------------------------------------------------- bookmarks

TBookmark TDataSet::bookmark() const
{
    if (!d->active || d->curRow < 0)
        return InvalidBookmark;
    return (TBookmark(d->generation) << 32) | TBookmark(quint32(d->curRow));
}

bool TDataSet::bookmarkValid(TBookmark mark) const
{
    if (!d->active || mark < 0 || quint32(mark >> 32) != d->generation)
        return false;
    const int r = int(quint32(mark & 0xFFFFFFFF));
    return d->store->isLive(r) && d->positionOf(r) >= 0;
}

void TDataSet::gotoBookmark(TBookmark mark)
{
    d->requireActive();
    if (!bookmarkValid(mark))
        fail(QStringLiteral("A könyvjelzővel jelölt sor nem található"));
    d->checkBrowseMode();
    // Posting may have dropped the row (an unchanged inserted one).
    const int p = d->positionOf(int(quint32(mark & 0xFFFFFFFF)));
    if (p < 0)
        fail(QStringLiteral("A könyvjelzővel jelölt sor nem található"));
    d->setPos(p);
    d->eof = d->bof = false;
    d->notifyScroll();
}

void TDataSet::freeBookmark(TBookmark) {}

// ---------------------------------------------------------------- bound views

void TDataSet::disableControls()
{
    ++d->disableCount;
}

void TDataSet::enableControls()
{
    if (d->disableCount == 0)
        return;
    if (--d->disableCount > 0)
        return;
    if (d->suppressed) {
        d->suppressed = false;
        emit rowsReset();
    }
    emit controlsEnabled();
}

bool TDataSet::controlsDisabled() const
{
    return d->disableCount > 0;
}
