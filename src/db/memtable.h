// In-memory table: columns declared by its owner, rows never sent anywhere.
#pragma once

#include "dataset.h"

class TkbmMemTable : public TDataSet {
    Q_OBJECT
public:
    explicit TkbmMemTable(QObject *parent = nullptr);
    ~TkbmMemTable() override;

    // Declare the columns, then open() (or createTable()).
    void addFieldDef(const QString &name, TFieldType type, int size = 0);
    void clearFieldDefs();
    void createTable() { open(); }
    void emptyTable();  // removes every row, stays open

    // ";"-separated columns for sort(); sortOn sorts by one named column, ascending.
    QString sortFields() const;
    void setSortFields(const QString &names);
    void sort();
    void sortOn(const QString &fieldName);
    bool canModify() const override { return true; }

protected:
    void doOpen(RowStore &store) override;
    bool refetchOnRefresh() const override { return false; }

private:
    struct Private;
    std::unique_ptr<Private> m;
};
