#include "cp1250.h"

#include <array>
#include <memory>

namespace zorva {

namespace {

// Characters of the bytes 0x80 to 0xFF.
constexpr char16_t kHigh[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// The table turned around for every UTF-16 code unit of the Basic Multilingual Plane,
// so that long texts are encoded without a look-up per character; 0 = not in the code page.
class EncodeTable {
public:
    EncodeTable() : m_bytes(std::make_unique<std::array<uchar, 0x10000>>())
    {
        m_bytes->fill(0);
        for (int b = 1; b < 0x80; ++b)
            (*m_bytes)[size_t(b)] = uchar(b);
        for (int i = 0; i < 128; ++i)
            (*m_bytes)[kHigh[i]] = uchar(0x80 + i);
    }
    uchar operator[](char16_t c) const { return (*m_bytes)[c]; }

private:
    std::unique_ptr<std::array<uchar, 0x10000>> m_bytes;
};

const EncodeTable &encodeTable()
{
    static const EncodeTable table;
    return table;
}

}  // namespace

int cp1250Byte(char32_t c)
{
    if (c < 0x80)
        return int(c);
    if (c > 0xFFFF)
        return -1;
    const uchar b = encodeTable()[char16_t(c)];
    return b ? int(b) : -1;
}

QString fromCp1250(const char *data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const uchar b = uchar(data[i]);
        dst[i] = b < 0x80 ? QChar(b) : QChar(kHigh[b - 0x80]);
    }
    return out;
}

QString fromCp1250(const QByteArray &bytes)
{
    return fromCp1250(bytes.constData(), bytes.size());
}

bool appendCp1250(QByteArray &out, QStringView text)
{
    const EncodeTable &table = encodeTable();
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *dst = out.data() + start;
    qsizetype n = 0;
    bool all = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            dst[n++] = char(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;  // one "?" for the whole character
        const uchar b = table[c];
        all = all && b;
        dst[n++] = b ? char(b) : '?';
    }
    out.resize(start + n);
    return all;
}

QByteArray toCp1250(QStringView text, bool *complete)
{
    QByteArray out;
    const bool all = appendCp1250(out, text);
    if (complete)
        *complete = all;
    return out;
}

}  // namespace zorva
