#include "windows1250.h"

#include "cp1250.h"

#include <array>
#include <memory>

namespace zorva {

namespace {

// The code page's own table (cp1250.h) turned around for every UTF-16 code unit of the
// Basic Multilingual Plane, so that long exports append without a look-up per character;
// 0 = not in the code page.
class EncodeTable {
public:
    EncodeTable() : m_bytes(std::make_unique<std::array<unsigned char, 0x10000>>())
    {
        m_bytes->fill(0);
        for (int b = 1; b < 0x80; ++b)
            (*m_bytes)[b] = static_cast<unsigned char>(b);
        for (int b = 0x80; b < 0x100; ++b) {
            const char byte = static_cast<char>(b);
            const QString ch = fromCp1250(&byte, 1);
            (*m_bytes)[ch.at(0).unicode()] = static_cast<unsigned char>(b);
        }
    }
    unsigned char operator[](char16_t c) const { return (*m_bytes)[c]; }

private:
    std::unique_ptr<std::array<unsigned char, 0x10000>> m_bytes;
};

const EncodeTable &table()
{
    static const EncodeTable t;
    return t;
}

}  // namespace

void appendWindows1250(QByteArray &out, QStringView text)
{
    const EncodeTable &t = table();
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *dst = out.data() + start;
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            dst[n++] = static_cast<char>(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;  // one "?" for the whole character
        const unsigned char b = t[c];
        dst[n++] = b ? static_cast<char>(b) : '?';
    }
    out.resize(start + n);
}

QByteArray toWindows1250(QStringView text)
{
    QByteArray out;
    appendWindows1250(out, text);
    return out;
}

}  // namespace zorva
