// The grid model over a dataset: Qt's model checks through every kind of change, display
// texts, raw values, colours and the notifications it passes on.
#include "qtprint.h"
#include "db/datasetmodel.h"
#include "db/memtable.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QStringList g_modelWarnings;

void collectWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_modelWarnings << message;
}

class Model : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.addFieldDef(QStringLiteral("hazikassza"), TFieldType::ftInteger);
        t.addFieldDef(QStringLiteral("nev"), TFieldType::ftString, 20);
        t.addFieldDef(QStringLiteral("osszeg"), TFieldType::ftFloat);
        t.addFieldDef(QStringLiteral("rejtett"), TFieldType::ftString, 5);
        t.fieldByName(QStringLiteral("rejtett")).setVisible(false);
        t.fieldByName(QStringLiteral("nev")).setDisplayLabel(QStringLiteral("Név"));
        t.open();
    }
    void add(int n, const QString &nev, double osszeg)
    {
        t.append();
        t.fieldByName(QStringLiteral("hazikassza")).setAsInteger(n);
        t.fieldByName(QStringLiteral("nev")).setAsString(nev);
        t.fieldByName(QStringLiteral("osszeg")).setAsFloat(osszeg);
        t.post();
    }
    TkbmMemTable t;
};

}  // namespace

TEST_F(Model, PassesQtsModelChecksThroughEveryKindOfChange)
{
    g_modelWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    {
        TDataSetModel model(&t);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
        add(1, QStringLiteral("a"), 10);
        add(2, QStringLiteral("b"), -5);
        add(3, QStringLiteral("c"), 7.5);
        t.first();
        t.edit();
        t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("á"));
        t.post();
        t.insert();
        t.cancel();
        t.setRecNo(2);
        t.deleteRecord();
        t.setFilter(QStringLiteral("hazikassza=3"));
        t.setFiltered(true);
        t.setFiltered(false);
        t.sortOn(QStringLiteral("nev"));
        t.disableControls();
        t.first();
        t.deleteRecord();
        add(9, QStringLiteral("z"), 1);
        add(10, QStringLiteral("y"), 1);
        t.enableControls();
        EXPECT_EQ(model.rowCount(), 3);
        t.close();
        EXPECT_EQ(model.rowCount(), 0);
        t.open();
        add(4, QStringLiteral("d"), 1);
        model.setColumns({{QStringLiteral("nev"), QString(), {}, true}});
        EXPECT_EQ(model.rowCount(), 1);
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(g_modelWarnings.isEmpty()) << g_modelWarnings.join(u'\n').toStdString();
}

TEST_F(Model, DisplayTextsRawValuesAlignmentAndTitles)
{
    t.fieldByName(QStringLiteral("hazikassza")).setDisplayFormat(QStringLiteral("0000000"));
    t.fieldByName(QStringLiteral("osszeg")).setDisplayFormat(QStringLiteral("### ### ##0"));
    add(12, QStringLiteral("Kovács"), 1234567);
    TDataSetModel model(&t);
    ASSERT_EQ(model.columnCount(), 3);  // the hidden field is left out
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("0000012"));
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), QStringLiteral("1 234 567"));
    EXPECT_EQ(model.data(model.index(0, 2), TDataSetModel::RawValueRole), QVariant(1234567.0));
    EXPECT_EQ(model.data(model.index(0, 1), TDataSetModel::RawValueRole), QVariant(QStringLiteral("Kovács")));
    EXPECT_EQ(model.data(model.index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
              Qt::AlignRight);
    EXPECT_EQ(model.data(model.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft,
              Qt::AlignLeft);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Név"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, TDataSetModel::FieldNameRole).toString(),
              QStringLiteral("nev"));

    model.setColumns({{QStringLiteral("osszeg"), QStringLiteral("Összeg"), Qt::AlignCenter, true},
                      {QStringLiteral("nincs"), QString(), {}, true},
                      {QStringLiteral("nev"), QString(), {}, false}});
    ASSERT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Összeg"));
    EXPECT_EQ(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QString());  // a column without a field stays empty
    EXPECT_EQ(model.columnOfField(QStringLiteral("OSSZEG")), 0);
    EXPECT_EQ(model.columnOfField(QStringLiteral("nev")), -1);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(Model, ColumnBackgroundComesBeforeTheColourRule)
{
    add(1, QStringLiteral("a"), -3);
    add(2, QStringLiteral("b"), 4);
    TDataSetModel model(&t);
    model.setColorRule([this](int row, int, int role) -> QVariant {
        if (role == Qt::BackgroundRole)
            return QColor(Qt::green);
        if (role == Qt::ForegroundRole &&
            t.valueAt(row, t.fieldIndex(QStringLiteral("osszeg"))).toDouble() < 0)
            return QColor(0x80, 0, 0);
        return QVariant();
    });
    model.setColumnBackground(1, QColor(0xFF, 0xFF, 0xB9));
    EXPECT_EQ(model.data(model.index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::green));
    EXPECT_EQ(model.data(model.index(0, 1), Qt::BackgroundRole).value<QColor>(), QColor(0xFF, 0xFF, 0xB9));
    EXPECT_EQ(model.data(model.index(0, 1), Qt::ForegroundRole).value<QColor>(), QColor(0x80, 0, 0));
    EXPECT_FALSE(model.data(model.index(1, 1), Qt::ForegroundRole).isValid());
    model.setColumnBackground(1, QVariant());
    EXPECT_EQ(model.data(model.index(0, 1), Qt::BackgroundRole).value<QColor>(), QColor(Qt::green));
}

TEST_F(Model, PassesOnRowChangesAndWaitsWhileControlsAreDisabled)
{
    add(1, QStringLiteral("a"), 1);
    add(2, QStringLiteral("b"), 2);
    TDataSetModel model(&t);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    t.last();
    t.edit();
    t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("B"));
    ASSERT_GE(changed.count(), 1);
    EXPECT_EQ(changed.last().at(0).toModelIndex().row(), 1);
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), QStringLiteral("B"));  // the edit shows at once
    t.post();

    changed.clear();
    t.disableControls();
    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("A"));
    t.post();
    EXPECT_EQ(changed.count(), 0);
    t.enableControls();
    EXPECT_GE(changed.count() + reset.count(), 1);

    reset.clear();
    t.disableControls();
    t.append();
    t.fieldByName(QStringLiteral("nev")).setAsString(QStringLiteral("c"));
    t.post();
    EXPECT_EQ(model.rowCount(), 2);  // the views are told only afterwards
    EXPECT_EQ(reset.count(), 0);
    t.enableControls();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 3);
}

TEST_F(Model, TheRowIndicatorMarksTheCurrentRow)
{
    add(1, QStringLiteral("a"), 1);
    add(2, QStringLiteral("b"), 2);
    TDataSetModel model(&t);
    t.first();
    EXPECT_FALSE(model.headerData(0, Qt::Vertical).toString().isEmpty());
    EXPECT_TRUE(model.headerData(1, Qt::Vertical).toString().isEmpty());
    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);
    t.next();
    EXPECT_EQ(header.count(), 2);
    EXPECT_TRUE(model.headerData(0, Qt::Vertical).toString().isEmpty());
    EXPECT_FALSE(model.headerData(1, Qt::Vertical).toString().isEmpty());
}
