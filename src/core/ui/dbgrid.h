// The read-only grid every list window shows its dataset in.  Its current row and the
// dataset's cursor follow each other; the mouse wheel moves one row per notch; typing a
// search character or clicking a column title is handed to the window through signals.
#pragma once

#include "db/datasetmodel.h"

#include <QColor>
#include <QPointer>
#include <QTableView>

class TDataSet;

class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget *parent = nullptr);
    ~TDBGrid() override;

    void setDataSet(TDataSet *dataSet);
    TDataSet *dataSet() const;
    TDataSetModel *dataModel() const { return m_model; }

    // The shown columns (without a list: every visible field), and their widths in pixels.
    void setColumns(const QList<TDataSetModel::Column> &columns);
    void setColumnWidths(const QList<int> &widths);
    QString fieldNameOf(int column) const;
    int columnOfField(const QString &fieldName) const;

    // Background of a whole column; an invalid colour gives the normal window colour.
    void setColumnColor(int column, const QColor &color);
    QColor columnColor(int column) const;
    void setColorRule(TDataSetModel::ColorRule rule);

    // The characters that start a search when typed on a grid: digits, a-z and the
    // Hungarian letters, either case.
    static bool isSearchStartChar(QChar c);

signals:
    void titleClicked(const QString &fieldName, int column);
    void rowActivated();                  // double click on a row, or Enter
    void textTyped(const QString &text);  // as typed; the window lower-cases it

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyboardSearch(const QString &) override {}
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void followDataSet();
    void updateRowHeight();

    TDataSetModel *m_model;
    bool m_syncing = false;
    QList<QMetaObject::Connection> m_connections;
};

// Every column whose field name equals `field` exactly gets the sort-column colour, every
// other column the normal window colour.
void HighlightSortColumn(TDBGrid *grid, const QString &field);
// Every column the normal window colour, then `column` the sort-column colour.
void HighlightColumn(TDBGrid *grid, int column);
