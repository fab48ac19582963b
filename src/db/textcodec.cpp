#include "textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace {

// ISO-8859-2: 0x00-0xA0 are the same code points; the upper part differs from Latin-1.
constexpr char16_t kLatin2High[96] = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164,
    0x0179, 0x00AD, 0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102,
    0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170,
    0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3,
    0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Every code point of the table is below this limit.
constexpr int kReverseLimit = 0x0300;

struct Latin2Tables {
    std::array<char16_t, 256> toUnicode{};
    std::array<unsigned char, kReverseLimit> fromUnicode{};  // 0 = none (except for U+0000)
    Latin2Tables()
    {
        for (int b = 0; b < 0xA0; ++b)
            toUnicode[b] = char16_t(b);
        for (int b = 0xA0; b < 0x100; ++b)
            toUnicode[b] = kLatin2High[b - 0xA0];
        for (int b = 0; b < 0x100; ++b)
            fromUnicode[toUnicode[b]] = static_cast<unsigned char>(b);
    }
};

const Latin2Tables &tables()
{
    static const Latin2Tables t;
    return t;
}

bool allAscii(const char *data, qsizetype length)
{
    // Eight bytes at a time: any high bit set means a non-ASCII byte.
    qsizetype i = 0;
    for (; i + 8 <= length; i += 8) {
        quint64 chunk;
        memcpy(&chunk, data + i, 8);
        if (chunk & 0x8080808080808080ULL)
            return false;
    }
    for (; i < length; ++i)
        if (static_cast<unsigned char>(data[i]) & 0x80)
            return false;
    return true;
}

}  // namespace

TextCodec::TextCodec(const QString &charsetName) : m_name(charsetName.toLower())
{
    if (m_name == u"latin2") {
        m_kind = Kind::Latin2;
    } else if (m_name.startsWith(u"utf8") || m_name == u"utf-8") {
        m_kind = Kind::Utf8;
    } else if (m_name == u"ascii" || m_name == u"binary" || m_name.isEmpty()) {
        m_kind = Kind::Latin1;
    } else {
        m_kind = Kind::Other;
        // The server's latin1 is Windows-1252; cp1250/cp1251... are windows-125x.
        if (m_name == u"latin1")
            m_qtName = "windows-1252";
        else if (m_name.startsWith(u"cp125"))
            m_qtName = "windows-" + m_name.mid(2).toLatin1();
        else if (m_name == u"ucs2")
            m_qtName = "UTF-16BE";
        else if (m_name == u"utf16")
            m_qtName = "UTF-16BE";
        else if (m_name == u"utf16le")
            m_qtName = "UTF-16LE";
        else if (m_name == u"utf32")
            m_qtName = "UTF-32BE";
        else if (m_name == u"koi8r")
            m_qtName = "KOI8-R";
        else if (m_name == u"koi8u")
            m_qtName = "KOI8-U";
        else if (m_name == u"greek")
            m_qtName = "ISO-8859-7";
        else if (m_name == u"hebrew")
            m_qtName = "ISO-8859-8";
        else if (m_name == u"latin5")
            m_qtName = "ISO-8859-9";
        else if (m_name == u"latin7")
            m_qtName = "ISO-8859-13";
        else
            m_qtName = m_name.toLatin1();
        if (!QStringDecoder(m_qtName.constData()).isValid())
            m_kind = Kind::Latin1;
    }
}

TextCodec::~TextCodec() = default;

int TextCodec::maxBytesPerChar() const
{
    if (m_kind == Kind::Utf8)
        return m_name == u"utf8mb4" ? 4 : 3;
    if (m_name == u"ucs2" || m_name.startsWith(u"utf16"))
        return m_name == u"ucs2" ? 2 : 4;
    if (m_name == u"utf32")
        return 4;
    return 1;
}

QString TextCodec::fromLatin2(const char *data, qsizetype length)
{
    if (allAscii(data, length))
        return QString::fromLatin1(data, length);
    const auto &map = tables().toUnicode;
    QString out(length, Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < length; ++i)
        dst[i] = map[static_cast<unsigned char>(data[i])];
    return out;
}

QByteArray TextCodec::toLatin2(const QString &text)
{
    const auto &map = tables().fromUnicode;
    QByteArray out(text.size(), Qt::Uninitialized);
    const char16_t *src = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype n = text.size();
    char *dst = out.data();
    qsizetype w = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (c < 0x80) {
            dst[w++] = char(c);
        } else if (c < kReverseLimit && map[c] != 0) {
            dst[w++] = char(map[c]);
        } else {
            dst[w++] = '?';
            // A surrogate pair is one character: one "?" for both halves.
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(src[i + 1]))
                ++i;
        }
    }
    out.truncate(w);
    return out;
}

QString TextCodec::decode(const char *data, qsizetype length) const
{
    switch (m_kind) {
        case Kind::Latin2:
            return fromLatin2(data, length);
        case Kind::Utf8:
            return QString::fromUtf8(data, length);
        case Kind::Latin1:
            return QString::fromLatin1(data, length);
        case Kind::Other:
            break;
    }
    QStringDecoder dec(m_qtName.constData());
    return dec.decode(QByteArrayView(data, length));
}

QByteArray TextCodec::encode(const QString &text) const
{
    switch (m_kind) {
        case Kind::Latin2:
            return toLatin2(text);
        case Kind::Utf8:
            return text.toUtf8();
        case Kind::Latin1: {
            QByteArray out = text.toLatin1();  // Qt writes "?" for what does not fit
            return out;
        }
        case Kind::Other:
            break;
    }
    QStringEncoder enc(m_qtName.constData(), QStringConverter::Flag::Stateless);
    QByteArray out = enc.encode(text);
    // Qt writes 0x1A (SUB) for characters the code page lacks.
    if (enc.hasError())
        out.replace('\x1a', '?');
    return out;
}
