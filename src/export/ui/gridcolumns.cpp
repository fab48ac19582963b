#include "gridcolumns.h"

#include "core/ui/dbgrid.h"
#include "db/dataset.h"

namespace zorva {

ExportColumns gridColumns(const TDBGrid &grid)
{
    ExportColumns out;
    const TDataSetModel *model = grid.dataModel();
    if (!model)
        return out;
    const QList<TDataSetModel::Column> given = model->columns();
    TDataSet *ds = model->dataSet();
    for (int c = 0; c < model->columnCount(); ++c) {
        ExportColumn col;
        col.fieldName = model->fieldNameOf(c);
        col.title = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        col.width = grid.columnWidth(c);
        col.visible = !grid.isColumnHidden(c);
        Qt::Alignment align;
        for (const TDataSetModel::Column &g : given) {
            if (g.fieldName.compare(col.fieldName, Qt::CaseInsensitive) == 0) {
                align = g.alignment;
                break;
            }
        }
        if (!(align & Qt::AlignHorizontal_Mask) && ds) {
            if (const TField *f = ds->findField(col.fieldName))
                align = fieldAlignment(*f);
        }
        col.alignment = align & Qt::AlignHorizontal_Mask;
        if (!col.alignment)
            col.alignment = Qt::AlignLeft;
        out.append(col);
    }
    return out;
}

int gridWidth(const TDBGrid &grid)
{
    return grid.width();
}

}  // namespace zorva
