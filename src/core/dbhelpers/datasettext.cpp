#include "datasettext.h"

#include "core/cp1250.h"
#include "db/dataset.h"

namespace zorva {

QString RecordPosText(const TDataSet &ds)
{
    return QString::number(ds.recordCount()) + QStringLiteral(": ") + QString::number(ds.recNo());
}

void CopyRowByName(TDataSet &source, TDataSet &target)
{
    const bool wasOpen = source.isActive();
    if (!wasOpen)
        source.open();
    try {
        target.append();
        for (int i = 0; i < target.fieldCount(); ++i) {
            TField &to = target.fields(i);
            if (to.isCalculated() || to.isLookup())
                continue;
            if (TField *from = source.findField(to.fieldName()))
                to.setValue(from->value());
        }
        target.post();
    } catch (...) {
        if (target.state() == TDataSetState::dsInsert)
            target.cancel();
        if (!wasOpen)
            source.close();
        throw;
    }
    if (!wasOpen)
        source.close();
}

void DatasetToLines(TDataSet &ds, QStringList &lines, bool withHeader, bool withRowNumbers, bool asUtf8,
                    const QString &separator, const QString &excludedFields)
{
    const QString excluded = QLatin1Char(';') + excludedFields + QLatin1Char(';');
    std::vector<int> columns;
    for (int i = 0; i < ds.fieldCount(); ++i) {
        const QString name = ds.fields(i).fieldName();
        if (!excluded.contains(QLatin1Char(';') + name + QLatin1Char(';')))
            columns.push_back(i);
    }
    auto add = [&](const QString &line) { lines << (asUtf8 ? line : fromCp1250(toCp1250(line))); };

    if (withHeader) {
        QString header;
        for (const int c : columns)
            header += ds.fields(c).fieldName() + separator;
        add(header);
    }
    ds.disableControls();
    try {
        int row = 0;
        for (ds.first(); !ds.eof(); ds.next()) {
            QString line;
            if (withRowNumbers)
                line += QString::number(++row) + separator;
            for (const int c : columns) {
                QString text = ds.fields(c).displayText();
                text.replace(QLatin1Char(';'), QLatin1Char(','));
                line += text + separator;
            }
            add(line);
        }
    } catch (...) {
        ds.enableControls();
        throw;
    }
    ds.enableControls();
}

}  // namespace zorva
