// Datasets: the rows of one result held in memory, with a cursor, a state,
// filters, bookmarks and bound views.  Query, table, stored procedure and the
// in-memory table all share this base.
#pragma once

#include "errors.h"
#include "field.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class TmySQLDatabase;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

enum TLocateOption {
    loNone = 0,
    loCaseInsensitive = 1,
    loPartialKey = 2,  // prefix match
};
using TLocateOptions = int;

// A remembered row.  Stays valid while the row exists in the dataset.
using TBookmark = qint64;
constexpr TBookmark InvalidBookmark = -1;

class RowStore;  // private row storage

class TDataSet : public QObject {
    Q_OBJECT
public:
    explicit TDataSet(QObject *parent = nullptr);
    ~TDataSet() override;

    // --- life cycle
    void open();
    void close();
    bool isActive() const;
    void setActive(bool on);
    void refresh();
    TDataSetState state() const;

    // --- cursor
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance);
    bool eof() const;  // after next() on the last row, or empty
    bool bof() const;
    bool isEmpty() const;
    int recordCount() const;  // visible rows (after the filter)
    int recNo() const;        // 1-based; 0 when empty
    void setRecNo(int recNo);
    bool locate(const QString &fieldName, const QVariant &value, TLocateOptions options = loNone);

    // --- fields
    int fieldCount() const;
    TField &fields(int index);
    const TField &fields(int index) const;
    TField &fieldByName(const QString &name);  // throws EmySQLDatabaseError when missing
    TField *findField(const QString &name);    // nullptr when missing
    QStringList fieldNames() const;

    // Extra columns declared before open(): filled by the calculated-column
    // callback or by looking up another dataset.
    TField &addCalculatedField(const QString &name, TFieldType type, int size = 0);
    TField &addLookupField(const QString &name, TFieldType type, int size, const QString &keyFields,
                           TDataSet *lookupDataSet, const QString &lookupKeyFields,
                           const QString &lookupResultField);
    std::function<void(TDataSet &)> onCalcFields;

    // --- editing (query and stored procedure raise an error: they are read-only)
    virtual bool canModify() const { return false; }
    void insert();
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    bool modified() const;

    // --- filter (evaluated on the fetched rows, the server is not asked again)
    QString filter() const;
    void setFilter(const QString &expression);
    bool filtered() const;
    void setFiltered(bool on);

    // --- bookmarks
    TBookmark bookmark() const;
    bool bookmarkValid(TBookmark mark) const;
    void gotoBookmark(TBookmark mark);
    void freeBookmark(TBookmark mark);

    // --- bound views
    void disableControls();
    void enableControls();
    bool controlsDisabled() const;

    // Position of the current row among the visible rows (0-based, -1 when empty),
    // and raw access used by the grid model.
    int currentIndex() const;
    QVariant valueAt(int visibleRow, int column) const;
    // The text a grid shows: the field's display format applied ("" for NULL).
    QString displayTextAt(int visibleRow, int column) const;
    int fieldIndex(const QString &name) const;  // -1 when missing

signals:
    void afterOpen();
    void beforeClose();
    void afterClose();
    void afterScroll();
    void beforePost();
    void afterPost();
    void afterDelete();
    void stateChanged();
    // A row's values changed (edit buffer written, posted, calc fields).
    void rowChanged(int visibleRow);
    // The set or order of visible rows changed (open, refresh, filter, sort, insert, delete).
    void rowsReset();
    // enableControls() brought the count back to zero: bound views show the dataset again.
    void controlsEnabled();

protected:
    void connectNotify(const QMetaMethod &signal) override;
    void disconnectNotify(const QMetaMethod &signal) override;
    // Closes without telling anyone: for destructors.  A dataset that is going away never
    // calls back into its listeners; they may be half destroyed themselves (a window's
    // datasets go with its children, after the window's own members).
    void closeSilently();
    // Subclasses fill the store when opening; the base handles everything else.
    virtual void doOpen(RowStore &store) = 0;
    virtual void doPost(RowStore &store, int storeRow, bool inserting);
    virtual void doDelete(RowStore &store, int storeRow);
    // The connection the dataset reads through (it registers there while open).
    virtual TmySQLDatabase *connection() const { return nullptr; }
    // Whether refresh() reads the rows again through doOpen() (the in-memory table has
    // nothing to read again).
    virtual bool refetchOnRefresh() const { return true; }
    // Makes the field objects of the columns exist before the first open (in-memory table).
    void prepareFields(const RowStore &columns);
    // Reads the rows again through doOpen() (used by the in-memory table to empty itself).
    void reopenRows();
    // Orders the rows ascending by the given columns (stable); the current row stays current.
    void sortRows(const QList<int> &columns);
    RowStore &store();

private:
    struct Private;
    std::unique_ptr<Private> d;
    friend class TField;
};
