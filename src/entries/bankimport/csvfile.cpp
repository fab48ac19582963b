#include "csvfile.h"

#include "valueparse.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

namespace zorva {

QStringList csvEncodings()
{
    return {QStringLiteral("UTF-8"), QStringLiteral("Windows-1250"), QStringLiteral("ISO-8859-2")};
}

CsvReader::CsvReader(const QString &text, QChar delimiter) : m_text(text), m_delim(delimiter) {}

bool CsvReader::next(QStringList &fields)
{
    const qsizetype n = m_text.size();
    while (m_pos < n) {
        fields.clear();
        m_recordLine = m_line;
        QString field;
        bool quoted = false;     // inside quotes
        bool wasQuoted = false;  // the field began with a quote
        qsizetype start = m_pos;
        bool ended = false;
        while (m_pos < n) {
            const QChar c = m_text.at(m_pos);
            if (m_pos - start > MaxRecordChars) {
                m_error = QStringLiteral(
                              "A(z) %1. sorban kezdődő rekord túl hosszú (több mint %2 karakter); "
                              "a fájl nem bankkivonat, vagy rossz az elválasztó jel.")
                              .arg(m_recordLine)
                              .arg(MaxRecordChars);
                m_pos = n;
                return false;
            }
            if (quoted) {
                if (c == u'"') {
                    if (m_pos + 1 < n && m_text.at(m_pos + 1) == u'"') {
                        field += u'"';
                        m_pos += 2;
                        continue;
                    }
                    quoted = false;
                    ++m_pos;
                    continue;
                }
                if (c == u'\n' || (c == u'\r' && !(m_pos + 1 < n && m_text.at(m_pos + 1) == u'\n')))
                    ++m_line;
                field += c;
                ++m_pos;
                continue;
            }
            if (c == u'"' && field.isEmpty() && !wasQuoted) {
                quoted = wasQuoted = true;
                ++m_pos;
                continue;
            }
            if (c == m_delim) {
                fields << (wasQuoted ? field : field.trimmed());
                field.clear();
                wasQuoted = false;
                ++m_pos;
                continue;
            }
            if (c == u'\r' || c == u'\n') {
                ++m_pos;
                if (c == u'\r' && m_pos < n && m_text.at(m_pos) == u'\n')
                    ++m_pos;
                ++m_line;
                ended = true;
                break;
            }
            field += c;
            ++m_pos;
        }
        if (quoted) {
            m_error = QStringLiteral("A(z) %1. sorban kezdődő idézőjeles mező nincs lezárva a fájl végéig.")
                          .arg(m_recordLine);
            return false;
        }
        Q_UNUSED(ended);
        fields << (wasQuoted ? field : field.trimmed());
        if (fields.size() == 1 && fields.first().isEmpty() && !wasQuoted)
            continue;  // a blank line
        return true;
    }
    return false;
}

QString detectEncoding(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("UTF-8");
    bool high = false;
    for (const char ch : bytes)
        if (uchar(ch) >= 0x80) {
            high = true;
            break;
        }
    if (!high)
        return QStringLiteral("UTF-8");
    {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString s = utf8.decode(bytes);
        if (!utf8.hasError() && !s.contains(QChar::ReplacementCharacter))
            return QStringLiteral("UTF-8");
    }
    int c1 = 0, latin2Letters = 0;
    for (const char ch : bytes) {
        const uchar b = uchar(ch);
        if (b >= 0x80 && b <= 0x9F)
            ++c1;
        // Ą Ś Ź ą ś ź Ľ ľ in ISO-8859-2; signs (ˇ ¦ ¬ ± ¶ Ľ ľ) in Windows-1250
        if (b == 0xA1 || b == 0xA6 || b == 0xAC || b == 0xB1 || b == 0xB6 || b == 0xBC)
            ++latin2Letters;
    }
    if (c1 == 0 && latin2Letters > 0)
        return QStringLiteral("ISO-8859-2");
    return QStringLiteral("Windows-1250");
}

bool looksBinary(const QByteArray &bytes)
{
    const qsizetype n = qMin<qsizetype>(bytes.size(), 64 * 1024);
    if (n == 0)
        return false;
    qsizetype control = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const uchar b = uchar(bytes.at(i));
        if (b == 0)
            return true;
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f')
            ++control;
    }
    return control * 100 > n;  // more than 1 % control characters
}

CsvText decodeStatement(const QByteArray &bytes, const QString &encoding)
{
    CsvText out;
    QByteArray body = bytes;
    const bool bom = body.startsWith("\xEF\xBB\xBF");
    if (bom)
        body = body.mid(3);
    if (body.trimmed().isEmpty()) {
        out.error = QStringLiteral("A fájl üres: nincs benne beolvasható tétel.");
        return out;
    }
    if (looksBinary(body)) {
        out.error = QStringLiteral(
            "A fájl nem szöveges (bináris adat van benne), így nem CSV kivonat. "
            "A bank honlapjáról CSV formátumban mentse le a kivonatot.");
        return out;
    }
    out.encoding = encoding.isEmpty() ? (bom ? QStringLiteral("UTF-8") : detectEncoding(body)) : encoding;
    const QString codec = out.encoding == u"Windows-1250" ? QStringLiteral("windows-1250") : out.encoding;
    QStringDecoder decoder(codec.toLatin1().constData());
    if (!decoder.isValid()) {
        out.error = QStringLiteral("Ismeretlen karakterkódolás: %1").arg(out.encoding);
        return out;
    }
    out.text = decoder.decode(body);
    return out;
}

CsvText readStatementFile(const QString &path, const QString &encoding)
{
    CsvText out;
    QFile f(path);
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        out.error = QStringLiteral("A fájl nem található: %1").arg(path);
        return out;
    }
    if (info.size() > MaxStatementBytes) {
        out.error = QStringLiteral("A fájl túl nagy (%1 MB); legfeljebb %2 MB-os kivonat olvasható be.")
                        .arg(info.size() / (1024 * 1024))
                        .arg(MaxStatementBytes / (1024 * 1024));
        return out;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        out.error = QStringLiteral("A fájl nem olvasható: %1 (%2)").arg(path, f.errorString());
        return out;
    }
    return decodeStatement(f.readAll(), encoding);
}

namespace {

QList<int> fieldCounts(const QString &text, QChar delimiter, int records, QList<int> *lines = nullptr)
{
    QList<int> counts;
    CsvReader r(text, delimiter);
    QStringList fields;
    while (counts.size() < records && r.next(fields)) {
        counts << int(fields.size());
        if (lines)
            *lines << r.line();
    }
    return counts;
}

// The most frequent count and how often it occurs.
std::pair<int, int> modeOf(const QList<int> &counts)
{
    QHash<int, int> freq;
    for (int c : counts)
        ++freq[c];
    int best = 0, bestFreq = 0;
    for (auto it = freq.cbegin(); it != freq.cend(); ++it)
        if (it.value() > bestFreq || (it.value() == bestFreq && it.key() > best)) {
            best = it.key();
            bestFreq = it.value();
        }
    return {best, bestFreq};
}

bool looksLikeValue(const QString &cell)
{
    if (cell.trimmed().isEmpty())
        return false;
    for (const QString &f : statementDateFormats())
        if (parseStatementDate(cell, f))
            return true;
    return parseStatementAmount(cell, {QLatin1Char(','), QLatin1Char(' ')}).has_value() ||
           parseStatementAmount(cell, {QLatin1Char('.'), QLatin1Char(',')}).has_value();
}

}  // namespace

QChar detectDelimiter(const QString &text)
{
    QChar best = QLatin1Char(';');
    int bestScore = 0;
    for (const QChar d : {QChar(u';'), QChar(u'\t'), QChar(u',')}) {
        const QList<int> counts = fieldCounts(text, d, 30);
        const auto [mode, freq] = modeOf(counts);
        if (mode < 2)
            continue;
        const int score = freq * 100 + mode;
        if (score > bestScore) {
            bestScore = score;
            best = d;
        }
    }
    return best;
}

CsvFormat detectFormat(const QString &text, const QString &encoding)
{
    CsvFormat f;
    f.encoding = encoding;
    f.delimiter = detectDelimiter(text);
    QList<int> lines;
    const QList<int> counts = fieldCounts(text, f.delimiter, 30, &lines);
    const int mode = modeOf(counts).first;
    // The table starts at the first record with the table's width that the next records
    // (as far as there are any) share.
    f.skipLines = 0;
    for (int i = 0; i < counts.size(); ++i) {
        if (counts.at(i) != mode)
            continue;
        if (i + 1 >= counts.size() || counts.at(i + 1) == mode) {
            f.skipLines = lines.at(i) - 1;
            break;
        }
    }
    // A header holds titles: no date and no amount in any of its cells.
    CsvReader r(text, f.delimiter);
    QStringList fields;
    while (r.next(fields) && r.line() <= f.skipLines) {
    }
    bool value = false;
    for (const QString &cell : fields)
        value = value || looksLikeValue(cell);
    f.header = !value;
    return f;
}

QList<QStringList> previewRecords(const QString &text, const CsvFormat &format, int limit, QString *error)
{
    QList<QStringList> out;
    CsvReader r(text, format.delimiter);
    QStringList fields;
    while (out.size() < limit && r.next(fields)) {
        if (r.line() > format.skipLines)
            out << fields;
    }
    if (error)
        *error = r.error();
    return out;
}

}  // namespace zorva
