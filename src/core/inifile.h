// A settings file in the Windows profile format: "[Section]" lines, each followed by
// "key=value" lines, stored in Windows-1250 with CR LF line ends.  Section and key
// names compare without regard to case; the first of several equal keys counts.
//
// Reading never fails: a missing, unreadable or damaged file reads as far as it can,
// lines that are neither a section nor a key are skipped (and kept as they are when the
// file is written back), and missing values give the caller's default.  save() replaces
// the file atomically, so a crash or a full disk leaves the previous file in place.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zorva {

class IniFile {
public:
    // Loads the file; a missing or unreadable file gives an empty one.
    explicit IniFile(const QString &path);
    IniFile() = default;

    QString path() const { return m_path; }
    // Replaces the contents by the bytes of a file's text.
    void loadFromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal (or "$"/"0x" hexadecimal) integers; the default when missing or not a number.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // An integer other than 0 is true.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    // Line breaks inside a value (the format cannot hold them) are written as spaces.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);  // "1" / "0"

    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const;
    void deleteKey(const QString &section, const QString &key);
    void eraseSection(const QString &section);

    // Writes the file (atomically); false when it could not be written.
    bool save() const;
    bool saveAs(const QString &path) const;

private:
    struct Line {
        enum Kind { Other, Section, Key } kind = Other;
        QString raw;   // the line as read or written
        QString name;  // section name or key, trimmed
        QString value;
    };
    int findSection(const QString &section) const;  // index of its line, -1
    int findKey(int sectionLine, const QString &key) const;
    int sectionEnd(int sectionLine) const;  // index after its last line
    static Line parseLine(const QString &raw);

    QString m_path;
    std::vector<Line> m_lines;
};

}  // namespace zorva
