#include "datatoxls.h"

#include "valuetext.h"
#include "core/cp1250.h"

namespace {

enum : quint16 {
    recDimensions = 0x0000,
    recBlank = 0x0001,
    recInteger = 0x0002,
    recNumber = 0x0003,
    recLabel = 0x0004,
    recBoolErr = 0x0005,
    recBof = 0x0009,
    recEof = 0x000A,
    recFont = 0x0031,
    recCodePage = 0x0042,
};

constexpr int kMaxLabel = 255;

quint8 alignmentBits(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return 3;
    if (a & Qt::AlignHCenter)
        return 2;
    return 1;
}

}  // namespace

TDataToXLS::TDataToXLS(TDataSet *data) : TDataExport(data)
{
    titleBand.font.bold = true;
    headerBand.font.bold = true;
}

void TDataToXLS::writeFont(const TExportFont &font)
{
    const QByteArray name = zorva::toCp1250(font.name).left(kMaxLabel);
    putU16(recFont);
    putU16(quint16(5 + name.size()));
    putU16(quint16(font.size * 20));
    putU16(quint16((font.bold ? 1 : 0) | (font.italic ? 2 : 0) | (font.underline ? 4 : 0) |
                   (font.strikeOut ? 8 : 0)));
    putU8(quint8(name.size()));
    put(name.constData(), name.size());
}

void TDataToXLS::writeCellPrefix(quint16 type, quint16 length, int row, int col, quint8 attr2)
{
    // attributes: not hidden, not locked; font 0; alignment, no borders, no shading
    const char b[11] = {char(type & 0xFF),
                        char(type >> 8),
                        char(length & 0xFF),
                        char(length >> 8),
                        char(row & 0xFF),
                        char(row >> 8),
                        char(col & 0xFF),
                        char(col >> 8),
                        0,
                        0,
                        char(attr2)};
    put(b, sizeof b);
}

void TDataToXLS::writeLabel(int row, int col, quint8 attr1, quint8 attr2, const QString &text)
{
    QByteArray &buf = buffer();
    const qsizetype start = buf.size();
    const char head[12] = {char(recLabel),
                           0,
                           0,
                           0,  // length, set below
                           char(row & 0xFF),
                           char(row >> 8),
                           char(col & 0xFF),
                           char(col >> 8),
                           0,
                           char(attr1),
                           char(attr2),
                           0};  // text length, set below
    buf.append(head, sizeof head);
    zorva::appendCp1250(buf, QStringView(text).left(kMaxLabel));
    const qsizetype n = buf.size() - start - 12;
    buf[start + 2] = char((8 + n) & 0xFF);
    buf[start + 3] = char((8 + n) >> 8);
    buf[start + 11] = char(n);
}

void TDataToXLS::writeBegin()
{
    m_format = std::make_unique<zorva::PlainValueFormatter>(m_locale);
    putU16(recBof);
    putU16(4);
    putU16(0x0002);
    putU16(0x000A);
    if (m_declareCodePage) {
        putU16(recCodePage);
        putU16(2);
        putU16(1250);
    }
    writeFont(dataBand.font);
    writeFont(titleBand.font);
    writeFont(headerBand.font);
    putU16(recDimensions);
    putU16(8);
    putU16(0);
    putU16(1025);
    putU16(4);
    putU16(0);
    const QList<TxlColumn> &cols = exportedColumns();
    for (int c = 0; c < cols.size(); ++c)
        writeLabel(0, c, 0x80, 0, cols.at(c).title);
}

void TDataToXLS::writeRecord(int row)
{
    const QList<TxlColumn> &cols = exportedColumns();
    for (int c = 0; c < cols.size(); ++c) {
        const TxlColumn &col = cols.at(c);
        const TField &f = *col.field;
        const quint8 align = alignmentBits(col.alignment);
        if (f.isNull()) {
            writeCellPrefix(recBlank, 7, row, c, align);
            continue;
        }
        switch (col.cellType) {
            case xlInteger: {
                const qint64 v = f.asLargeInt();
                if (v >= 0 && v <= 0xFFFF) {
                    writeCellPrefix(recInteger, 9, row, c, align);
                    putU16(quint16(v));
                } else {
                    writeCellPrefix(recNumber, 15, row, c, align);
                    putDouble(double(v));
                }
                break;
            }
            case xlNumber:
                writeCellPrefix(recNumber, 15, row, c, align);
                putDouble(f.asFloat());
                break;
            case xlBoolean:
                writeCellPrefix(recBoolErr, 9, row, c, align);
                putU8(f.asBoolean() ? 1 : 0);
                putU8(0);
                break;
            case xlText:
                if (f.dataType() == TFieldType::ftBlob)
                    writeLabel(row, c, 0, align, QStringLiteral("BLOB"));
                else
                    writeLabel(row, c, 0, align,
                               f.dataType() == TFieldType::ftDate ? m_format->dateText(f.asDate())
                                                                  : m_format->text(f));
                break;
        }
    }
}

void TDataToXLS::writeEnd()
{
    putU16(recEof);
    putU16(0);
}
