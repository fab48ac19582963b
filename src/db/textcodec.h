// Text between the program (QString) and the wire (the connection's character set).
// latin2 goes through a 256-entry table; other character sets through Qt's codecs.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class TextCodec {
public:
    // A character-set name as the client library reports it ("latin2", "utf8mb4", "cp1250" ...).
    explicit TextCodec(const QString &charsetName = QStringLiteral("latin2"));
    ~TextCodec();
    TextCodec(const TextCodec &) = delete;
    TextCodec &operator=(const TextCodec &) = delete;

    const QString &name() const { return m_name; }
    bool isLatin2() const { return m_kind == Kind::Latin2; }
    int maxBytesPerChar() const;

    QString decode(const char *data, qsizetype length) const;
    QString decode(const QByteArray &bytes) const { return decode(bytes.constData(), bytes.size()); }
    // Characters the character set has no place for become "?".
    QByteArray encode(const QString &text) const;

    // The ISO-8859-2 code page on its own.
    static QString fromLatin2(const char *data, qsizetype length);
    static QByteArray toLatin2(const QString &text);

private:
    enum class Kind { Latin2, Latin1, Utf8, Other };
    QString m_name;
    Kind m_kind;
    QByteArray m_qtName;  // Qt's name for Kind::Other
};
