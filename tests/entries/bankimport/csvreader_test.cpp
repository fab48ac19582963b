// The statement reader without a database: records, the detectors, dates and amounts, the
// saved mappings, and random input.
#include "entries/bankimport/csvfile.h"
#include "entries/bankimport/importmapping.h"
#include "entries/bankimport/importplan.h"
#include "entries/bankimport/valueparse.h"

#include "support/testserver.h"

#include <QRandomGenerator>
#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

QList<QStringList> records(const QString &text, QChar delimiter, QString *error = nullptr)
{
    CsvReader r(text, delimiter);
    QList<QStringList> out;
    QStringList f;
    while (r.next(f))
        out << f;
    if (error)
        *error = r.error();
    return out;
}

QByteArray cp1250(const QString &s)
{
    QStringEncoder e("windows-1250");
    return e.encode(s);
}

}  // namespace

TEST(CsvReader, QuotedFieldsHoldDelimitersQuotesAndLineBreaks)
{
    const QString text = QStringLiteral("a;\"b;c\";\"say \"\"hi\"\"\"\r\n\r\n\"line1\nline2\";x;\r\nlast;;z");
    QString error;
    CsvReader r(text, u';');
    QStringList f;
    ASSERT_TRUE(r.next(f));
    EXPECT_EQ(f, QStringList({"a", "b;c", "say \"hi\""}));
    ASSERT_TRUE(r.next(f));
    EXPECT_EQ(r.line(), 3);  // the blank line is skipped, lines still counted
    EXPECT_EQ(f, QStringList({"line1\nline2", "x", ""}));
    ASSERT_TRUE(r.next(f));
    EXPECT_EQ(r.line(), 5);
    EXPECT_EQ(f, QStringList({"last", "", "z"}));
    EXPECT_FALSE(r.next(f));
    EXPECT_TRUE(r.error().isEmpty());

    records(QStringLiteral("a;\"open\nnever closed"), u';', &error);
    EXPECT_TRUE(error.contains(QStringLiteral("1. sorban kezdődő idézőjeles mező nincs lezárva")))
        << error.toStdString();
    records(QString(MaxRecordChars + 10, u'x'), u';', &error);
    EXPECT_TRUE(error.contains(QStringLiteral("túl hosszú"))) << error.toStdString();
}

TEST(CsvDetect, EncodingDelimiterPreambleAndHeader)
{
    const QString hu =
        QStringLiteral("Könyvelés dátuma;Összeg;Közlemény\n2024.03.01.;-1 234,50;Vásárlás őszi űrlap\n");
    struct Case {
        QByteArray bytes;
        const char *encoding;
    };
    QStringEncoder latin2("ISO-8859-2");
    const Case cases[] = {{QByteArray("\xEF\xBB\xBF") + hu.toUtf8(), "UTF-8"},
                          {hu.toUtf8(), "UTF-8"},
                          {cp1250(hu), "Windows-1250"},
                          {cp1250(QStringLiteral("Šárga „idézet” – ")) + cp1250(hu), "Windows-1250"},
                          {QByteArray(latin2.encode(QStringLiteral("Łódź ąś "))) + cp1250(hu), "ISO-8859-2"},
                          {QByteArray("plain;ascii\n1;2\n"), "UTF-8"}};
    for (const Case &c : cases) {
        EXPECT_EQ(detectEncoding(c.bytes), QString::fromLatin1(c.encoding)) << c.encoding;
        const CsvText t = decodeStatement(c.bytes);
        EXPECT_TRUE(t.error.isEmpty());
        EXPECT_FALSE(t.text.startsWith(QChar(0xFEFF)));
    }
    EXPECT_EQ(decodeStatement(cp1250(hu)).text, hu);

    struct Fmt {
        QString text;
        QChar delimiter;
        int skip;
        bool header;
    };
    const Fmt fmts[] = {
        {hu, u';', 0, true},
        {QStringLiteral("Számlakivonat\nSzámlaszám: "
                        "11773016-01234567\n\nDátum,Összeg,Szöveg\n2024-03-01,\"1,234.50\",a\n"
                        "2024-03-02,-5.00,b\n"),
         u',', 3, true},
        {QStringLiteral("20240301\t1 000\tx\n20240302\t-200\ty\n"), u'\t', 0, false},
    };
    for (const Fmt &f : fmts) {
        const CsvFormat d = detectFormat(f.text, QStringLiteral("UTF-8"));
        EXPECT_EQ(d.delimiter, f.delimiter) << f.text.toStdString();
        EXPECT_EQ(d.skipLines, f.skip) << f.text.toStdString();
        EXPECT_EQ(d.header, f.header) << f.text.toStdString();
    }
}

TEST(CsvDetect, EmptyAndBinaryFilesAreRefusedWithAReason)
{
    const QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    struct Case {
        QByteArray bytes;
        const char *message;
    };
    const Case cases[] = {{QByteArray(), "üres"},
                          {QByteArray("\xEF\xBB\xBF \r\n\r\n"), "üres"},
                          {png, "nem szöveges"},
                          {QByteArray(200, '\x01'), "nem szöveges"}};
    for (const Case &c : cases) {
        const CsvText t = decodeStatement(c.bytes);
        EXPECT_TRUE(t.text.isEmpty());
        EXPECT_TRUE(t.error.contains(QString::fromUtf8(c.message))) << t.error.toStdString();
    }
    testsupport::TempFolder folder;
    EXPECT_TRUE(readStatementFile(folder.file("nincs.csv")).error.contains(QStringLiteral("nem található")));
}

TEST(StatementValues, DatesInEveryFormat)
{
    struct Case {
        const char *text, *format;
        QDate expected;
    };
    const QDate d(2024, 3, 1);
    const Case cases[] = {
        {"2024.03.01", "yyyy.mm.dd", d},       {"2024-03-01", "yyyy-mm-dd", d},
        {"2024.03.01.", "yyyy.mm.dd.", d},     {"01.03.2024", "dd.mm.yyyy", d},
        {"20240301", "yyyymmdd", d},           {"2024.03.01 14:05:00", "yyyy.mm.dd", d},
        {"2024.02.30", "yyyy.mm.dd", QDate()}, {"2024.03.01", "yyyy-mm-dd", QDate()},
        {"", "yyyy.mm.dd", QDate()},           {"2024.3.1", "yyyy.mm.dd", QDate(2024, 3, 1)}};
    for (const Case &c : cases) {
        const auto got = parseStatementDate(QString::fromUtf8(c.text), QString::fromUtf8(c.format));
        EXPECT_EQ(got.value_or(QDate()), c.expected) << c.text << " " << c.format;
    }
    EXPECT_EQ(detectDateFormat({"2024.03.01.", "2024.03.31."}), "yyyy.mm.dd.");
    EXPECT_EQ(detectDateFormat({"31.03.2024", ""}), "dd.mm.yyyy");
    EXPECT_EQ(detectDateFormat({"2024.03.01", "nem dátum", "2024.13.01"}), "");
    EXPECT_EQ(detectDateFormat({"2024.03.01", "2024.03.02", "2024.13.01"}), "yyyy.mm.dd");
}

TEST(StatementValues, AmountsInHungarianAndEnglishShapes)
{
    const AmountFormat hu{u',', u' '}, en{u'.', u','}, huPoint{u',', u'.'};
    struct Case {
        const char *text;
        AmountFormat format;
        std::optional<double> expected;
    };
    const Case cases[] = {{"1 234,50", hu, 1234.5},
                          {"-1 234,50", hu, -1234.5},
                          {"-1\u00a0234\u00a0567,5", hu, -1234567.5},
                          {"1234,50-", hu, -1234.5},
                          {"+12", hu, 12},
                          {"1 234,50 HUF", hu, 1234.5},
                          {"-1234.50", en, -1234.5},
                          {"1,234.50", en, 1234.5},
                          {"1.234,50", huPoint, 1234.5},
                          {"12 34,5", hu, std::nullopt},
                          {"1,23,4.5", en, std::nullopt},
                          {"abc", hu, std::nullopt},
                          {"1,5,", hu, std::nullopt},
                          {"", hu, std::nullopt},
                          {"--5", hu, std::nullopt}};
    for (const Case &c : cases) {
        const auto got = parseStatementAmount(QString::fromUtf8(c.text), c.format);
        EXPECT_EQ(got.has_value(), c.expected.has_value()) << c.text;
        if (got && c.expected) {
            EXPECT_DOUBLE_EQ(*got, *c.expected) << c.text;
        }
    }
    struct Detect {
        QStringList values;
        QChar decimal, thousands;
    };
    const Detect detects[] = {{{"1 234,50", "-5,00"}, u',', u' '},
                              {{"-1234.50", "12.5"}, u'.', u' '},
                              {{"1,234.50", "-3.00"}, u'.', u','},
                              {{"1.234,50"}, u',', u'.'},
                              {{"1000", "-200"}, u',', u' '}};
    for (const Detect &d : detects) {
        const AmountFormat f = detectAmountFormat(d.values);
        EXPECT_EQ(f.decimal, d.decimal) << d.values.join(u'|').toStdString();
        EXPECT_EQ(f.thousands, d.thousands) << d.values.join(u'|').toStdString();
    }
}

TEST(StatementRows, ColumnsAreGuessedAndBadRowsCarryTheirReason)
{
    const QString text = QStringLiteral(
        "Könyvelés dátuma;Összeg;Partner neve;Közlemény\n"
        "2024.03.01.;-1 234,50;TESCO;kártya\n"
        "2024.13.01.;-5,00;X;rossz dátum\n"
        "2024.03.02.;sok;Y;rossz összeg\n"
        "2024.03.03.;0;Z;nulla\n"
        "2024.03.04.;100\n");
    ImportMapping m;
    m.csv = detectFormat(text, QStringLiteral("UTF-8"));
    const QList<QStringList> recs = previewRecords(text, m.csv, 10);
    guessColumns(m, recs.first(), recs.mid(1));
    EXPECT_EQ(m.dateColumn, 0);
    EXPECT_EQ(m.dateFormat, "yyyy.mm.dd.");
    EXPECT_EQ(m.amountColumn, 1);
    EXPECT_EQ(m.partnerColumn, 2);
    EXPECT_EQ(m.textColumn, 3);
    const ImportRows rows = readImportRows(text, m);
    ASSERT_EQ(rows.rows.size(), 5u);
    EXPECT_EQ(rows.rows[0].state, ImportRow::Book);
    EXPECT_DOUBLE_EQ(rows.rows[0].amount, -1234.5);
    const char *reasons[] = {"dátum nem olvasható", "összeg nem olvasható", "nulla", "2 mező"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rows.rows[size_t(i + 1)].state, ImportRow::Refused);
        EXPECT_TRUE(rows.rows[size_t(i + 1)].reason.contains(QString::fromUtf8(reasons[i])))
            << rows.rows[size_t(i + 1)].reason.toStdString();
    }
    EXPECT_EQ(rows.rows[4].line, 6);
}

TEST(StatementRows, RulesKeepTheSignAndIgnoreCaseAndAccents)
{
    const QList<CashTypeRule> rules = {{1, 10, QStringLiteral("tesco"), 2, -1},
                                       {2, 20, QStringLiteral("FIZETÉS"), 1, 1},
                                       {3, 30, QStringLiteral("tesco"), 3, 1}};
    EXPECT_EQ(cashTypeByRules(rules, QStringLiteral("TESCO Áruház"), QString(), -100), 2);
    EXPECT_EQ(cashTypeByRules(rules, QStringLiteral("visszatérítés"), QStringLiteral("Tesco"), 100), 3);
    EXPECT_EQ(cashTypeByRules(rules, QStringLiteral("havi fizetes"), QString(), 100), 1);
    EXPECT_EQ(cashTypeByRules(rules, QStringLiteral("havi fizetes"), QString(), -100), 0);
}

TEST(StatementMapping, SavedByNameAndFoundByItsHeaderLine)
{
    testsupport::TempFolder folder;
    const QString ini = folder.file("Zorva.ini");
    ImportMapping m;
    m.name = QStringLiteral("OTP számla");
    m.csv = {QStringLiteral("Windows-1250"), u'\t', 3, true};
    m.amounts = {u'.', QChar()};
    m.dateFormat = QStringLiteral("dd.mm.yyyy");
    m.dateColumn = 2;
    m.creditColumn = 4;
    m.debitColumn = 5;
    m.referenceColumn = 0;
    saveMapping(ini, m, QStringLiteral("A|B|C"));
    ImportMapping other;
    other.name = QStringLiteral("Másik");
    saveMapping(ini, other, QStringLiteral("X|Y"));
    EXPECT_EQ(savedMappingNames(ini), QStringList({"OTP számla", "Másik"}));

    for (const auto &[name, key] :
         {std::pair{QString(), QStringLiteral("A|B|C")}, std::pair{m.name, QString()}}) {
        ImportMapping back;
        ASSERT_TRUE(loadMapping(ini, name, key, back));
        EXPECT_EQ(back.name, m.name);
        EXPECT_EQ(back.csv.encoding, m.csv.encoding);
        EXPECT_EQ(back.csv.delimiter, m.csv.delimiter);
        EXPECT_EQ(back.csv.skipLines, 3);
        EXPECT_EQ(back.amounts.decimal, u'.');
        EXPECT_TRUE(back.amounts.thousands.isNull());
        EXPECT_EQ(back.dateFormat, m.dateFormat);
        EXPECT_EQ(std::tuple(back.dateColumn, back.amountColumn, back.creditColumn, back.debitColumn,
                             back.textColumn, back.referenceColumn),
                  std::tuple(2, -1, 4, 5, -1, 0));
    }
    ImportMapping none;
    EXPECT_FALSE(loadMapping(ini, QString(), QStringLiteral("nincs"), none));
}

// Random records written as a bank would quote them come back field for field; random bytes
// and random text never break the reader, the detectors or the row reader.
TEST(StatementRandom, ReaderAndDetectorsSurviveRandomInput)
{
    QRandomGenerator rng(19);
    const QString alphabet = QStringLiteral("ab;,\t\"\n\r áőűÁŐŰ€1-.09");
    for (int round = 0; round < 300; ++round) {
        const QChar delim = QList<QChar>{u';', u',', u'\t'}.at(rng.bounded(3));
        QList<QStringList> written;
        QString text;
        const int width = 1 + rng.bounded(6);
        for (int r = 0; r < 1 + rng.bounded(8); ++r) {
            QStringList fields;
            for (int c = 0; c < width; ++c) {
                QString f;
                for (int k = rng.bounded(8); k > 0; --k)
                    f += alphabet.at(rng.bounded(int(alphabet.size())));
                fields << f;
            }
            if (width == 1 && fields.first().trimmed().isEmpty())
                fields.first() = QStringLiteral("x");
            QStringList quoted;
            for (const QString &f : fields)
                quoted << QLatin1Char('"') + QString(f).replace(u'"', QStringLiteral("\"\"")) +
                              QLatin1Char('"');
            text += quoted.join(delim) + (rng.bounded(2) ? QStringLiteral("\r\n") : QStringLiteral("\n"));
            written << fields;
        }
        QString error;
        EXPECT_EQ(records(text, delim, &error), written) << text.toStdString();
        EXPECT_TRUE(error.isEmpty());

        QByteArray bytes;
        for (int k = rng.bounded(400); k > 0; --k)
            bytes += char(rng.bounded(256));
        const CsvText t = decodeStatement(bytes);
        const QString any = t.text.isEmpty() ? text : t.text;
        ImportMapping m;
        m.csv = detectFormat(any, QStringLiteral("UTF-8"));
        const QList<QStringList> recs = previewRecords(any, m.csv, 20);
        guessColumns(m, recs.isEmpty() ? QStringList() : recs.first(), recs.mid(1));
        if (m.dateColumn < 0)
            m.dateColumn = 0;
        if (m.amountColumn < 0)
            m.amountColumn = 0;
        const ImportRows rows = readImportRows(any, m);
        for (const ImportRow &r : rows.rows)
            EXPECT_TRUE(r.state == ImportRow::Refused || r.date.isValid());
    }
}
