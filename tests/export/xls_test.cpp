// The Excel 2.1 worksheet, record by record.
#include "memdata.h"
#include "export/datatoxls.h"
#include "export/exporterror.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cstring>

using exporttest::hex;

namespace {

// Little-endian pieces of the expected file.
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray u16(int v)
{
    return bytes({v & 0xFF, (v >> 8) & 0xFF});
}

QByteArray dbl(double v)
{
    unsigned char b[8];
    std::memcpy(b, &v, 8);  // the test machine is little-endian, as the file is
    return QByteArray(reinterpret_cast<const char *>(b), 8);
}

QByteArray rec(int type, const QByteArray &data)
{
    return u16(type) + u16(int(data.size())) + data;
}

QByteArray cellPrefix(int row, int col, int attr1, int attr2)
{
    return u16(row) + u16(col) + bytes({0, attr1, attr2});
}

QByteArray label(int row, int col, int attr1, int attr2, const QByteArray &text)
{
    return rec(0x0004, cellPrefix(row, col, attr1, attr2) + char(text.size()) + text);
}

QByteArray fileStart(const QList<QByteArray> &titles)
{
    QByteArray out = rec(0x0009, u16(2) + u16(0x000A));
    out += rec(0x0031, u16(200) + u16(0) + char(5) + QByteArray("Arial"));
    out += rec(0x0031, u16(200) + u16(1) + char(5) + QByteArray("Arial"));
    out += rec(0x0031, u16(200) + u16(1) + char(5) + QByteArray("Arial"));
    out += rec(0x0000, u16(0) + u16(1025) + u16(4) + u16(0));
    for (int c = 0; c < titles.size(); ++c)
        out += label(0, c, 0x80, 0, titles.at(c));
    return out;
}

const QByteArray kEof = rec(0x000A, QByteArray());

QByteArray save(TDataToXLS &x)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    x.saveToDevice(buf);
    return buf.data();
}

std::unique_ptr<TkbmMemTable> sample()
{
    auto t = exporttest::makeTable({{QStringLiteral("id"), TFieldType::ftInteger},
                                    {QStringLiteral("nev"), TFieldType::ftString, 300},
                                    {QStringLiteral("osszeg"), TFieldType::ftFloat},
                                    {QStringLiteral("datum"), TFieldType::ftDate},
                                    {QStringLiteral("nagy"), TFieldType::ftLargeint}},
                                   {{1, QStringLiteral("Ödön"), 12.5, QDate(2024, 3, 5), 70000},
                                    {QVariant(), QString(), -3.25, QVariant(), -1}});
    t->fieldByName(QStringLiteral("nev")).setDisplayLabel(QStringLiteral("Név"));
    return t;
}

}  // namespace

TEST(Xls, RecordsOfEveryCellKindByteByByte)
{
    auto t = sample();
    TDataToXLS x(t.get());
    x.setLocale(QLocale(QLocale::Hungarian, QLocale::Hungary));
    const QByteArray file = save(x);

    QByteArray expected = fileStart({"id", "N\xE9v", "osszeg", "datum", "nagy"});
    expected += rec(0x0002, cellPrefix(1, 0, 0, 3) + u16(1));
    expected += label(1, 1, 0, 1,
                      "\xD6"
                      "d\xF6n");
    expected += rec(0x0003, cellPrefix(1, 2, 0, 3) + QByteArray("\x00\x00\x00\x00\x00\x00\x29\x40", 8));
    expected += label(1, 3, 0, 1, "2024. 03. 05.");
    expected += rec(0x0003, cellPrefix(1, 4, 0, 3) + dbl(70000.0));  // too big for 16 bits
    expected += rec(0x0001, cellPrefix(2, 0, 0, 3));                 // NULL
    expected += label(2, 1, 0, 1, QByteArray());
    expected += rec(0x0003, cellPrefix(2, 2, 0, 3) + dbl(-3.25));
    expected += rec(0x0001, cellPrefix(2, 3, 0, 1));
    expected += rec(0x0003, cellPrefix(2, 4, 0, 3) + dbl(-1.0));  // negative: no unsigned 16-bit form
    expected += kEof;
    EXPECT_EQ(hex(file), hex(expected));
}

TEST(Xls, DeclaredCodePageIsTheOnlyRecordAdded)
{
    auto t = sample();
    TDataToXLS plain(t.get());
    TDataToXLS declared(t.get());
    declared.setDeclareCodePage(true);
    const QByteArray a = save(plain);
    const QByteArray b = save(declared);
    const QByteArray bof = rec(0x0009, u16(2) + u16(0x000A));
    EXPECT_EQ(hex(b), hex(bof + rec(0x0042, u16(1250)) + a.mid(bof.size())));
}

TEST(Xls, LongTextIsCutAndOnlyVisibleTickedFieldsAreWritten)
{
    auto t = sample();
    t->setRecNo(1);
    t->edit();
    t->fieldByName(QStringLiteral("nev")).setAsString(QString(300, QLatin1Char('x')));
    t->post();
    t->fieldByName(QStringLiteral("osszeg")).setVisible(false);
    t->setRecNo(2);
    TDataToXLS x(t.get());
    x.fieldFilter = [](const TField &f) { return f.fieldName() != QLatin1String("nagy"); };
    const QByteArray file = save(x);

    QByteArray expected = fileStart({"id", "N\xE9v", "datum"});
    expected += rec(0x0002, cellPrefix(1, 0, 0, 3) + u16(1));
    expected += label(1, 1, 0, 1, QByteArray(255, 'x'));
    expected += label(1, 2, 0, 1, QLocale().toString(QDate(2024, 3, 5), QLocale::ShortFormat).toLatin1());
    expected += rec(0x0001, cellPrefix(2, 0, 0, 3));
    expected += label(2, 1, 0, 1, QByteArray());
    expected += rec(0x0001, cellPrefix(2, 2, 0, 1));
    expected += kEof;
    EXPECT_EQ(hex(file), hex(expected));
    EXPECT_EQ(t->recNo(), 2) << "the current row is restored";
    EXPECT_FALSE(t->controlsDisabled());
}

TEST(Xls, BeginEventMayTurnAColumnIntoBooleansAndRecordsAreCounted)
{
    auto t = exporttest::makeTable({{QStringLiteral("fizetve"), TFieldType::ftString, 1},
                                    {QStringLiteral("db"), TFieldType::ftSmallint}},
                                   {{QStringLiteral("I"), 65535}, {QStringLiteral("N"), 0}});
    TDataToXLS x(t.get());
    x.onBeginExport = [](TDataExport &e) {
        ASSERT_EQ(e.columns().size(), 2);
        EXPECT_EQ(e.columns()[1].cellType, xlInteger);
        e.columns()[0].cellType = xlBoolean;
        e.columns()[0].alignment = Qt::AlignHCenter;
    };
    QList<int> after;
    x.onAfterRecord = [&after](int n) { after.append(n); };
    QByteArray expected = fileStart({"fizetve", "db"});
    expected += rec(0x0005, cellPrefix(1, 0, 0, 2) + QByteArray("\x01\x00", 2));
    expected += rec(0x0002, cellPrefix(1, 1, 0, 3) + u16(65535));
    expected += rec(0x0005, cellPrefix(2, 0, 0, 2) + QByteArray("\x00\x00", 2));
    expected += rec(0x0002, cellPrefix(2, 1, 0, 3) + u16(0));
    expected += kEof;
    EXPECT_EQ(hex(save(x)), hex(expected));
    EXPECT_EQ(after, (QList<int>{1, 2}));
}

TEST(Xls, DatasetsThatCannotBeWrittenAreRefusedBeforeAnyByte)
{
    const auto refusal = [](TDataToXLS &x) {
        QBuffer buf;
        buf.open(QIODevice::WriteOnly);
        try {
            x.saveToDevice(buf);
        } catch (const zorva::ExportError &e) {
            EXPECT_EQ(buf.size(), 0);
            return e.message();
        }
        return QStringLiteral("no error");
    };
    TDataToXLS none;
    EXPECT_EQ(refusal(none), QStringLiteral("Cannot perform this operation without a dataset"));

    auto t = sample();
    t->close();
    TDataToXLS closed(t.get());
    EXPECT_EQ(refusal(closed), QStringLiteral("Cannot perform this operation on a closed dataset"));

    auto empty = exporttest::makeTable({{QStringLiteral("a"), TFieldType::ftInteger}}, {});
    TDataToXLS e(empty.get());
    EXPECT_EQ(refusal(e), QStringLiteral("Cannot perform this operation on an empty dataset"));

    QList<QVariantList> rows;
    for (int i = 0; i <= TDataToXLS::kMaxDataRows; ++i)
        rows.append(QVariantList{i});
    auto big = exporttest::makeTable({{QStringLiteral("a"), TFieldType::ftInteger}}, rows);
    TDataToXLS b(big.get());
    const QString msg = refusal(b);
    EXPECT_TRUE(msg.contains(QStringLiteral("65535"))) << msg.toStdString();
    EXPECT_TRUE(msg.contains(QStringLiteral("65536"))) << msg.toStdString();

    big->last();
    big->deleteRecord();  // exactly as many rows as the sheet holds: written, the last one as row 65535
    TDataToXLS fits(big.get());
    const QByteArray file = save(fits);
    EXPECT_TRUE(file.endsWith(rec(0x0002, cellPrefix(65535, 0, 0, 3) + u16(65534)) + kEof));
}
