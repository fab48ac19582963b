// A table model over a dataset, for grids: one row per visible dataset row, one column per
// listed field.  Display text under Qt::DisplayRole (the field's display format), the raw
// value under RawValueRole, colours from one rule function of the owning window.
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QString>

#include <functional>

class TDataSet;

class TDataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        RawValueRole = Qt::UserRole,
        // Text colour of a cell of the selected row (the view asks when it draws the selection).
        SelectedForegroundRole,
        FieldNameRole,  // header data: the column's field name
    };

    struct Column {
        QString fieldName;
        QString title;                 // empty: the field's display label
        Qt::Alignment alignment = {};  // empty: numbers right, everything else left
        bool visible = true;
    };

    // Qt::BackgroundRole, Qt::ForegroundRole and SelectedForegroundRole of a cell; an invalid
    // QVariant leaves the cell as the view draws it.
    using ColorRule = std::function<QVariant(int row, int column, int role)>;

    explicit TDataSetModel(TDataSet *dataSet = nullptr, QObject *parent = nullptr);
    ~TDataSetModel() override;

    TDataSet *dataSet() const;
    void setDataSet(TDataSet *dataSet);

    // The columns shown; without a list, every visible field of the dataset in its order.
    void setColumns(const QList<Column> &columns);
    QList<Column> columns() const { return m_columns; }
    void addColumn(const QString &fieldName, const QString &title = QString(), Qt::Alignment alignment = {});
    int columnOfField(const QString &fieldName) const;  // -1 when not shown
    QString fieldNameOf(int column) const;
    int fieldIndexOf(int column) const;  // index in the dataset, -1 when missing

    void setColorRule(ColorRule rule);
    // A column's own background (for example the sort column's colour) comes before the
    // colour rule; an invalid value removes it.
    void setColumnBackground(int column, const QVariant &colorOrBrush);
    QVariant columnBackground(int column) const;
    void clearColumnBackgrounds();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void reset();
    void resolveColumns();
    void onRowChanged(int row);
    void onScrolled();
    void onControlsEnabled();

    QPointer<TDataSet> m_ds;
    QList<Column> m_columns;    // as given
    bool m_autoColumns = true;  // no list given: follow the dataset's fields
    struct Shown {
        Column column;
        int fieldIndex = -1;
        Qt::Alignment alignment;
    };
    QList<Shown> m_shown;  // visible columns, resolved against the dataset
    QHash<int, QVariant> m_backgrounds;
    ColorRule m_rule;
    int m_rows = 0;         // as last told to the views
    int m_currentRow = -1;  // row marked in the vertical header
    QList<QMetaObject::Connection> m_connections;
};
