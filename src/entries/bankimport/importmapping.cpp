#include "importmapping.h"

#include "core/inifile.h"

namespace zorva {

QString headerKey(const QStringList &header)
{
    QStringList t;
    for (const QString &h : header)
        t << h.simplified();
    return t.join(u'|');
}

namespace {

int titleColumn(const QStringList &header, const QStringList &words, const QList<int> &taken)
{
    for (const QString &w : words)
        for (int i = 0; i < header.size(); ++i)
            if (!taken.contains(i) && foldForMatch(header.at(i)).contains(w))
                return i;
    return -1;
}

QStringList columnValues(const QList<QStringList> &rows, int column)
{
    QStringList v;
    for (const QStringList &r : rows)
        if (column < r.size())
            v << r.at(column);
    return v;
}

}  // namespace

void guessColumns(ImportMapping &m, const QStringList &header, const QList<QStringList> &rows)
{
    const int width = rows.isEmpty() ? int(header.size()) : int(rows.first().size());
    QList<int> taken;
    m.dateColumn = titleColumn(
        header, {QStringLiteral("konyveles datuma"), QStringLiteral("datum"), QStringLiteral("date")}, taken);
    if (m.dateColumn >= 0 && detectDateFormat(columnValues(rows, m.dateColumn)).isEmpty())
        m.dateColumn = -1;
    for (int c = 0; m.dateColumn < 0 && c < width; ++c)
        if (!detectDateFormat(columnValues(rows, c)).isEmpty())
            m.dateColumn = c;
    if (m.dateColumn >= 0) {
        taken << m.dateColumn;
        m.dateFormat = detectDateFormat(columnValues(rows, m.dateColumn));
    }
    m.creditColumn = titleColumn(header, {QStringLiteral("jovairas"), QStringLiteral("credit")}, taken);
    m.debitColumn = titleColumn(header, {QStringLiteral("terheles"), QStringLiteral("debit")}, taken);
    if (m.creditColumn < 0 || m.debitColumn < 0) {
        m.creditColumn = m.debitColumn = -1;
        m.amountColumn = titleColumn(
            header, {QStringLiteral("osszeg"), QStringLiteral("amount"), QStringLiteral("ertek")}, taken);
    }
    m.referenceColumn = titleColumn(header,
                                    {QStringLiteral("azonosito"), QStringLiteral("tranzakcio szama"),
                                     QStringLiteral("referencia"), QStringLiteral("reference")},
                                    taken);
    if (m.referenceColumn >= 0)
        taken << m.referenceColumn;
    QStringList amountValues;
    if (m.amountColumn < 0 && m.creditColumn < 0) {
        for (int c = 0; c < width && m.amountColumn < 0; ++c) {
            if (taken.contains(c))
                continue;
            const QStringList v = columnValues(rows, c);
            const AmountFormat f = detectAmountFormat(v);
            int parsed = 0, nonEmpty = 0;
            for (const QString &s : v)
                if (!s.trimmed().isEmpty()) {
                    ++nonEmpty;
                    parsed += parseStatementAmount(s, f) ? 1 : 0;
                }
            if (nonEmpty > 0 && parsed * 2 > nonEmpty)
                m.amountColumn = c;
        }
    }
    for (int c : {m.amountColumn, m.creditColumn, m.debitColumn})
        if (c >= 0) {
            taken << c;
            amountValues << columnValues(rows, c);
        }
    m.amounts = detectAmountFormat(amountValues);
    m.partnerColumn =
        titleColumn(header,
                    {QStringLiteral("partner"), QStringLiteral("kedvezmenyezett"),
                     QStringLiteral("ellenoldal"), QStringLiteral("nev"), QStringLiteral("payee")},
                    taken);
    if (m.partnerColumn >= 0)
        taken << m.partnerColumn;
    m.textColumn =
        titleColumn(header,
                    {QStringLiteral("kozlemeny"), QStringLiteral("megjegyzes"), QStringLiteral("leiras"),
                     QStringLiteral("szoveg"), QStringLiteral("description"), QStringLiteral("tipus")},
                    taken);
}

QString mappingProblem(const ImportMapping &m)
{
    if (m.dateColumn < 0)
        return QStringLiteral("Válassza ki a dátum oszlopát.");
    if (m.amountColumn < 0 && (m.creditColumn < 0 || m.debitColumn < 0))
        return QStringLiteral("Válassza ki az összeg oszlopát, vagy a jóváírás és a terhelés oszlopát.");
    if (!m.amounts.thousands.isNull() && m.amounts.thousands == m.amounts.decimal)
        return QStringLiteral("A tizedesjel és az ezres elválasztó nem lehet ugyanaz.");
    return QString();
}

namespace {

const QString kPrefix = QStringLiteral("ImportMinta");

QString charText(QChar c)
{
    if (c.isNull())
        return QString();
    if (c == u'\t')
        return QStringLiteral("TAB");
    if (c == u' ')
        return QStringLiteral("SZOKOZ");
    return QString(c);
}

QChar textChar(const QString &t, QChar fallback)
{
    if (t == u"TAB")
        return QLatin1Char('\t');
    if (t == u"SZOKOZ")
        return QLatin1Char(' ');
    if (t.isEmpty())
        return fallback;
    return t.front();
}

int sectionFor(const IniFile &ini, const QString &name, const QString &key)
{
    for (int i = 1; ini.sectionExists(kPrefix + QString::number(i)); ++i) {
        const QString s = kPrefix + QString::number(i);
        if (!name.isEmpty() ? ini.readString(s, QStringLiteral("Nev"), {}) == name
                            : ini.readString(s, QStringLiteral("Fejlec"), {}) == key)
            return i;
    }
    return -1;
}

}  // namespace

void saveMapping(const QString &iniPath, const ImportMapping &m, const QString &key)
{
    IniFile ini(iniPath);
    int n = sectionFor(ini, m.name, key);
    if (n < 0) {
        n = 1;
        while (ini.sectionExists(kPrefix + QString::number(n)))
            ++n;
    }
    const QString s = kPrefix + QString::number(n);
    ini.eraseSection(s);
    ini.writeString(s, QStringLiteral("Nev"), m.name);
    ini.writeString(s, QStringLiteral("Fejlec"), key);
    ini.writeString(s, QStringLiteral("Kodolas"), m.csv.encoding);
    ini.writeString(s, QStringLiteral("Elvalaszto"), charText(m.csv.delimiter));
    ini.writeInteger(s, QStringLiteral("Kihagy"), m.csv.skipLines);
    ini.writeBool(s, QStringLiteral("VanFejlec"), m.csv.header);
    ini.writeString(s, QStringLiteral("Tizedesjel"), charText(m.amounts.decimal));
    ini.writeString(s, QStringLiteral("Ezres"),
                    m.amounts.thousands.isNull() ? QStringLiteral("NINCS") : charText(m.amounts.thousands));
    ini.writeString(s, QStringLiteral("Datumformatum"), m.dateFormat);
    ini.writeInteger(s, QStringLiteral("Datum"), m.dateColumn);
    ini.writeInteger(s, QStringLiteral("Osszeg"), m.amountColumn);
    ini.writeInteger(s, QStringLiteral("Jovairas"), m.creditColumn);
    ini.writeInteger(s, QStringLiteral("Terheles"), m.debitColumn);
    ini.writeInteger(s, QStringLiteral("Szoveg"), m.textColumn);
    ini.writeInteger(s, QStringLiteral("Partner"), m.partnerColumn);
    ini.writeInteger(s, QStringLiteral("Azonosito"), m.referenceColumn);
    ini.save();
}

QStringList savedMappingNames(const QString &iniPath)
{
    const IniFile ini(iniPath);
    QStringList names;
    for (int i = 1; ini.sectionExists(kPrefix + QString::number(i)); ++i)
        names << ini.readString(kPrefix + QString::number(i), QStringLiteral("Nev"), {});
    return names;
}

bool loadMapping(const QString &iniPath, const QString &name, const QString &key, ImportMapping &m)
{
    const IniFile ini(iniPath);
    const int n = sectionFor(ini, name, key);
    if (n < 0)
        return false;
    const QString s = kPrefix + QString::number(n);
    m.name = ini.readString(s, QStringLiteral("Nev"), {});
    const QString enc = ini.readString(s, QStringLiteral("Kodolas"), m.csv.encoding);
    if (csvEncodings().contains(enc))
        m.csv.encoding = enc;
    m.csv.delimiter = textChar(ini.readString(s, QStringLiteral("Elvalaszto"), {}), m.csv.delimiter);
    m.csv.skipLines = qBound(0, ini.readInteger(s, QStringLiteral("Kihagy"), m.csv.skipLines), 1000);
    m.csv.header = ini.readBool(s, QStringLiteral("VanFejlec"), m.csv.header);
    m.amounts.decimal = textChar(ini.readString(s, QStringLiteral("Tizedesjel"), {}), m.amounts.decimal);
    const QString th = ini.readString(s, QStringLiteral("Ezres"), {});
    m.amounts.thousands = th == u"NINCS" ? QChar() : textChar(th, m.amounts.thousands);
    const QString df = ini.readString(s, QStringLiteral("Datumformatum"), m.dateFormat);
    if (statementDateFormats().contains(df))
        m.dateFormat = df;
    const auto col = [&](const char *k) {
        return qBound(-1, ini.readInteger(s, QString::fromLatin1(k), -1), 999);
    };
    m.dateColumn = col("Datum");
    m.amountColumn = col("Osszeg");
    m.creditColumn = col("Jovairas");
    m.debitColumn = col("Terheles");
    m.textColumn = col("Szoveg");
    m.partnerColumn = col("Partner");
    m.referenceColumn = col("Azonosito");
    return true;
}

}  // namespace zorva
