// Small in-memory datasets and expected file texts for the export tests.
#pragma once

#include "db/memtable.h"

#include <QByteArray>
#include <QStringList>
#include <QVariantList>

#include <memory>

namespace exporttest {

struct Column {
    QString name;
    TFieldType type;
    int size = 0;
};

// An open in-memory table with the given rows (a null QVariant is NULL).
std::unique_ptr<TkbmMemTable> makeTable(const QList<Column> &columns, const QList<QVariantList> &rows);

// The lines, each followed by CR LF, in Windows-1250 (encoded by Qt's own codec,
// independently of the program's encoder).
QByteArray crlfLines(const QStringList &lines);

// Bytes as "0a 1b ..." for readable failure messages.
QString hex(const QByteArray &bytes);

}  // namespace exporttest
