// Editable rows of one table or view; rows are written back by primary key.
#pragma once

#include "dataset.h"

class TmySQLTable : public TDataSet {
    Q_OBJECT
public:
    explicit TmySQLTable(TmySQLDatabase *db = nullptr, QObject *parent = nullptr);
    ~TmySQLTable() override;

    TmySQLDatabase *database() const;
    void setDatabase(TmySQLDatabase *db);
    QString tableName() const;
    void setTableName(const QString &name);
    // ";"-separated columns the rows are ordered by (ascending).
    QString indexFieldNames() const;
    void setIndexFieldNames(const QString &names);
    bool canModify() const override { return true; }

protected:
    void doOpen(RowStore &store) override;
    TmySQLDatabase *connection() const override;
    void doPost(RowStore &store, int storeRow, bool inserting) override;
    void doDelete(RowStore &store, int storeRow) override;

private:
    struct Private;
    std::unique_ptr<Private> t;
};
