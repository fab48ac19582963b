#include "inifile.h"

#include "cp1250.h"

#include <QFile>
#include <QSaveFile>

namespace zorva {

IniFile::IniFile(const QString &path) : m_path(path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        loadFromBytes(file.readAll());
}

IniFile::Line IniFile::parseLine(const QString &raw)
{
    Line line;
    line.raw = raw;
    const QString t = raw.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
        return line;
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = Line::Section;
            line.name = t.mid(1, close - 1).trimmed();
        }
        return line;
    }
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq > 0) {
        line.kind = Line::Key;
        line.name = t.left(eq).trimmed();
        line.value = t.mid(eq + 1).trimmed();
        if (line.name.isEmpty())
            line.kind = Line::Other;
    }
    return line;
}

void IniFile::loadFromBytes(const QByteArray &bytes)
{
    m_lines.clear();
    const QString text = fromCp1250(bytes);
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            m_lines.push_back(parseLine(text.mid(start, i - start)));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        m_lines.push_back(parseLine(text.mid(start)));
}

QByteArray IniFile::toBytes() const
{
    QByteArray out;
    for (const Line &line : m_lines) {
        out += toCp1250(line.raw);
        out += "\r\n";
    }
    return out;
}

int IniFile::findSection(const QString &section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::Section &&
            m_lines[i].name.compare(section.trimmed(), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const
{
    size_t i = size_t(sectionLine) + 1;
    while (i < m_lines.size() && m_lines[i].kind != Line::Section)
        ++i;
    return int(i);
}

int IniFile::findKey(int sectionLine, const QString &key) const
{
    if (sectionLine < 0)
        return -1;
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        if (m_lines[size_t(i)].kind == Line::Key &&
            m_lines[size_t(i)].name.compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const int i = findKey(findSection(section), key);
    return i < 0 ? defaultValue : m_lines[size_t(i)].value;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const QString s = readString(section, key, QString()).trimmed();
    if (s.isEmpty())
        return defaultValue;
    bool ok = false;
    int v = 0;
    if (s.startsWith(QLatin1Char('$')))
        v = s.mid(1).toInt(&ok, 16);
    else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = s.mid(2).toInt(&ok, 16);
    else
        v = s.toInt(&ok, 10);
    return ok ? v : defaultValue;
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString k = key.trimmed();
    const QString raw = k + QLatin1Char('=') + v;
    Line line;
    line.kind = Line::Key;
    line.raw = raw;
    line.name = k;
    line.value = v.trimmed();

    int s = findSection(section);
    if (s < 0) {
        Line head;
        head.kind = Line::Section;
        head.name = section.trimmed();
        head.raw = QLatin1Char('[') + head.name + QLatin1Char(']');
        m_lines.push_back(head);
        m_lines.push_back(line);
        return;
    }
    const int existing = findKey(s, key);
    if (existing >= 0) {
        m_lines[size_t(existing)] = line;
        return;
    }
    // After the section's last non-empty line.
    int at = sectionEnd(s);
    while (at - 1 > s && m_lines[size_t(at - 1)].raw.trimmed().isEmpty())
        --at;
    m_lines.insert(m_lines.begin() + at, line);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::sectionExists(const QString &section) const
{
    return findSection(section) >= 0;
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    return findKey(findSection(section), key) >= 0;
}

QStringList IniFile::sections() const
{
    QStringList out;
    for (const Line &line : m_lines) {
        if (line.kind == Line::Section && !out.contains(line.name, Qt::CaseInsensitive))
            out << line.name;
    }
    return out;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList out;
    const int s = findSection(section);
    if (s < 0)
        return out;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i) {
        const Line &line = m_lines[size_t(i)];
        if (line.kind == Line::Key && !out.contains(line.name, Qt::CaseInsensitive))
            out << line.name;
    }
    return out;
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    const int s = findSection(section);
    for (int i = findKey(s, key); i >= 0; i = findKey(s, key))
        m_lines.erase(m_lines.begin() + i);
}

void IniFile::eraseSection(const QString &section)
{
    for (int s = findSection(section); s >= 0; s = findSection(section))
        m_lines.erase(m_lines.begin() + s, m_lines.begin() + sectionEnd(s));
}

bool IniFile::save() const
{
    return saveAs(m_path);
}

bool IniFile::saveAs(const QString &path) const
{
    if (path.isEmpty())
        return false;
    // The file holds the scrambled connection passwords: only its owner may read it, also
    // when an older copy was readable by others (QSaveFile would carry those rights over).
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(ownerOnly))
        return false;
    const QByteArray bytes = toBytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit() && QFile::setPermissions(path, ownerOnly);
}

}  // namespace zorva
