#include "memdata.h"

#include <QStringEncoder>

namespace exporttest {

std::unique_ptr<TkbmMemTable> makeTable(const QList<Column> &columns, const QList<QVariantList> &rows)
{
    auto t = std::make_unique<TkbmMemTable>();
    for (const Column &c : columns)
        t->addFieldDef(c.name, c.type, c.size);
    t->open();
    for (const QVariantList &row : rows) {
        t->append();
        for (int i = 0; i < row.size(); ++i) {
            if (!row.at(i).isNull())
                t->fields(i).setValue(row.at(i));
        }
        t->post();
    }
    t->first();
    return t;
}

QByteArray crlfLines(const QStringList &lines)
{
    QStringEncoder enc("windows-1250");
    QByteArray out;
    for (const QString &l : lines) {
        out += enc.encode(l);
        out += "\r\n";
    }
    return out;
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

}  // namespace exporttest
