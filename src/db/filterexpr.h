// The filter expressions of datasets, evaluated on fetched rows:
//   comparison  := name op value      op: = <> != < > <= >=
//   value       := number (sign allowed) | 'text' ('' inside for a quote)
//   expression  := comparisons joined by and / or (any case), not, parentheses.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class RowStore;

class FilterExpr {
public:
    // Throws EmySQLDatabaseError with the position of the fault.
    static std::unique_ptr<FilterExpr> parse(const QString &text);
    ~FilterExpr();

    QStringList fieldNames() const;
    // Resolves every name to a column index (throws when one is missing).
    void bind(const std::function<int(const QString &)> &columnOf);
    bool matches(const RowStore &store, int row) const;

private:
    FilterExpr();
    struct Node;
    std::vector<Node> m_nodes;
    int m_root = -1;
    friend class FilterParser;
    bool eval(const RowStore &store, int row, int node) const;
};
