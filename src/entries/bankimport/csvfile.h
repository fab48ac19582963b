// Reading a bank's statement file: delimited text in one of the encodings Hungarian banks
// write, with the delimiter, the encoding and the lines before the header found out from
// the file itself.  Nothing here needs the database or widgets.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorva {

// The largest statement file read (a year of a busy account is well under a megabyte).
constexpr qint64 MaxStatementBytes = 64LL * 1024 * 1024;
// The longest record (quoted line breaks included); longer means it is no statement.
constexpr int MaxRecordChars = 64 * 1024;

struct CsvFormat {
    QString encoding = QStringLiteral("UTF-8");  // "UTF-8", "Windows-1250", "ISO-8859-2"
    QChar delimiter = QLatin1Char(';');
    int skipLines = 0;   // lines of the file before the header (or before the first data row)
    bool header = true;  // the first record after the skipped ones holds the column titles
};

// The encodings offered, in the order the window lists them.
QStringList csvEncodings();

// Splits decoded text into records; fields may be quoted with '"' (a doubled quote is a
// quote), and a quoted field may hold the delimiter and line breaks.  Lines end in LF,
// CR LF or CR.  A blank line is a record with one empty field and is left out.
class CsvReader {
public:
    CsvReader(const QString &text, QChar delimiter);
    // The next record; false at the end or on an error (then error() says why).
    bool next(QStringList &fields);
    // The 1-based line of the file where the record last returned began.
    int line() const { return m_recordLine; }
    const QString &error() const { return m_error; }

private:
    const QString &m_text;
    QChar m_delim;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_recordLine = 0;
    QString m_error;
};

// A statement file's text: read, checked and decoded.
struct CsvText {
    QString text;      // decoded, without the byte-order mark
    QString encoding;  // the encoding used
    QString error;     // a message for the user; text is empty then
};

// The encoding of raw bytes: "UTF-8" for a byte-order mark or valid UTF-8, otherwise
// "Windows-1250" when the bytes use its letters in 0x80-0x9F or nothing tells the two
// code pages apart, "ISO-8859-2" when they use its letters in 0xA0-0xBF that Windows-1250
// keeps for signs.
QString detectEncoding(const QByteArray &bytes);
// NUL bytes or many control characters: not a text file.
bool looksBinary(const QByteArray &bytes);
// Decodes `bytes` (an empty encoding: detected).  Refuses empty and binary contents.
CsvText decodeStatement(const QByteArray &bytes, const QString &encoding = QString());
// Reads the file and decodes it; refuses a missing, empty, too large or binary file.
CsvText readStatementFile(const QString &path, const QString &encoding = QString());

// The delimiter (';', ',' or tab) that splits the first records of `text` into the
// most equal number of fields (at least two); ';' when none does.
QChar detectDelimiter(const QString &text);
// The format of a decoded text: delimiter, the records before the table (a title, an
// account number, blank lines) and whether the table starts with a header.
CsvFormat detectFormat(const QString &text, const QString &encoding);

// The first `limit` records after the skipped lines (the header among them when the format
// has one).  `error` gets the reader's error, if any.
QList<QStringList> previewRecords(const QString &text, const CsvFormat &format, int limit,
                                  QString *error = nullptr);

}  // namespace zorva
