// Inside of TDataSet, shared by the dataset and its fields.
#pragma once

#include "dataset.h"
#include "filterexpr.h"
#include "rowstore.h"

#include <QHash>

struct TDataSet::Private {
    explicit Private(TDataSet *owner) : q(owner), store(std::make_unique<RowStore>()) {}

    TDataSet *q;
    std::unique_ptr<RowStore> store;
    // Field objects outlive close/open (their labels and formats stay), matched by name.
    std::vector<std::unique_ptr<TField>> dataFields;
    std::vector<std::unique_ptr<TField>> extraFields;  // calculated and lookup, in declared order
    std::vector<TField *> fields;                      // by column index
    QHash<QString, int> exactNames;

    bool active = false;
    TDataSetState state = TDataSetState::dsInactive;
    // Live store rows in dataset order, and the subset the filter lets through.
    std::vector<int> order;
    std::vector<int> visible;
    bool useVisible = false;
    int pos = -1;     // index into rows(), -1 when empty
    int curRow = -1;  // store row at pos
    // The current row's server fields while nothing is pending or being calculated: the
    // fields read them directly.
    char **fastCells = nullptr;
    int fastColumns = 0;
    bool eof = true;
    bool bof = true;

    int disableCount = 0;
    bool suppressed = false;

    QString filterText;
    std::unique_ptr<FilterExpr> filter;  // parsed filterText, null when empty
    bool filtered = false;

    int calcRow = -1;  // row whose calculated fields are being filled
    bool inCalc = false;
    quint32 generation = 0;

    const std::vector<int> &rows() const { return useVisible ? visible : order; }
    int rowCount() const { return int(rows().size()); }
    // The row field reads see: the one being calculated, else the current one.
    int readRow() const { return calcRow >= 0 ? calcRow : curRow; }

    void setPos(int p)
    {
        pos = p;
        curRow = p >= 0 ? rows()[size_t(p)] : -1;
        updateFastCells();
    }
    void updateFastCells()
    {
        fastCells = calcRow < 0 ? store->serverCells(curRow) : nullptr;
        fastColumns = store->dataColumnCount();
    }

    void requireActive() const;
    void requireEditing() const;
    void checkBrowseMode();
    void syncFields();
    void install(std::unique_ptr<RowStore> fresh, int keepRecNo);
    void rebuildOrder();
    void applyFilter();
    void bindFilter(FilterExpr &expr) const;
    void computeExtras(int row);
    void computeAllExtras();
    void eraseRow(int storeRow);
    int positionOf(int storeRow) const;

    // afterScroll comes per row walked: skipped when nobody listens.  The listeners are
    // counted here, after connectNotify()/disconnectNotify() marked the count stale: Qt may
    // call those with a connection lock held, and asking for receivers there can deadlock.
    int scrollReceivers = 0;
    bool scrollReceiversStale = false;
    void notifyScroll()
    {
        if (scrollReceiversStale) {
            scrollReceivers = q->receivers(SIGNAL(afterScroll()));
            scrollReceiversStale = false;
        }
        if (scrollReceivers > 0)
            emit q->afterScroll();
    }
    void notifyReset();
    void notifyRowChanged(int p);

    QString displayText(int row, int column) const;
};
