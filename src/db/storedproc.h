// A stored procedure opened as a dataset: CALL `name`(literals) and its first result set.
#pragma once

#include "dataset.h"
#include "query.h"

class TmySQLStoredProc : public TDataSet {
    Q_OBJECT
public:
    explicit TmySQLStoredProc(TmySQLDatabase *db = nullptr, QObject *parent = nullptr);
    ~TmySQLStoredProc() override;

    TmySQLDatabase *database() const;
    void setDatabase(TmySQLDatabase *db);
    QString procedureName() const;
    void setProcedureName(const QString &name);

    // Input parameters in their declared order.
    TParam &addParam(const QString &name, TFieldType type, int size = 0);
    TParam &paramByName(const QString &name);
    void clearParams();
    QString callText() const;  // "CALL `name`(1,'201001')"
    bool canModify() const override { return false; }

protected:
    void doOpen(RowStore &store) override;
    TmySQLDatabase *connection() const override;

private:
    struct Private;
    std::unique_ptr<Private> p;
};
