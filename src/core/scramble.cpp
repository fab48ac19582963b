#include "scramble.h"

#include "cp1250.h"

#include <QRandomGenerator>

namespace zorva {

namespace {

char filler(QRandomGenerator &random)
{
    return char(random.bounded(33, 88));
}

}  // namespace

QString ScrambleConStr(const QString &text)
{
    QRandomGenerator &random = *QRandomGenerator::global();
    const QByteArray plain = toCp1250(text);
    QByteArray out;
    out.reserve(3 + 2 * plain.size());
    for (int i = 0; i < 3; ++i)
        out += filler(random);
    for (const char b : plain) {
        out += char((uchar(b) + 1) & 0xFF);
        out += filler(random);
    }
    return fromCp1250(out);
}

QString UnscrambleConStr(const QString &text)
{
    const QByteArray bytes = toCp1250(text);
    QByteArray out;
    for (qsizetype i = 3; i < bytes.size(); i += 2)
        out += char((uchar(bytes.at(i)) + 255) & 0xFF);
    return fromCp1250(out);
}

}  // namespace zorva
