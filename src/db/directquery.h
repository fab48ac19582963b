// Forward-only reader: rows one after the other, columns by position as text.
#pragma once

#include <QString>

#include <memory>

class TmySQLDatabase;

class TmySQLDirectQuery {
public:
    explicit TmySQLDirectQuery(TmySQLDatabase *db = nullptr);
    ~TmySQLDirectQuery();

    void setDatabase(TmySQLDatabase *db);
    void setSQL(const QString &text);
    QString sql() const;
    void open();
    bool eof() const;
    int fieldCount() const;
    QString fieldValue(int index) const;  // 0-based; NULL reads as empty text
    void next();
    void close();  // reads away what is left of the result
    bool isActive() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
