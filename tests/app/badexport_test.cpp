// Awkward stored texts through every export: each format writes them in its own escaping,
// so that no text breaks a line, a cell or the page, and the backup script restores them
// byte for byte.
#include "masterdata/masterdatafixture.h"

#include "admin/dbinstall/dbinstall.h"
#include "core/cp1250.h"
#include "core/dbhelpers/tabledump.h"
#include "core/sqltext.h"
#include "db/query.h"
#include "export/datatoxls.h"
#include "export/delimitedwriter.h"
#include "export/htmlpage.h"

#include <QBuffer>

using namespace zorva;

namespace {

const QStringList &storedTexts()
{
    static const QStringList texts = {
        QStringLiteral("O'Brian \"idéző\" `x` \\'"),
        QStringLiteral("C:\\mappa\\\\fájl\\"),
        QStringLiteral("első\rmásodik"),
        QStringLiteral("első\nmásodik"),
        QStringLiteral("első\r\nmásodik\r"),
        QStringLiteral("a\x01\x02\x07\tb\x0b\x0c\x1b\x7f"
                       "c"),
        QStringLiteral("árvíztűrő tükörfúrógép ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP"),
        QStringLiteral("<b>a & b</b> </td></tr> &amp;"),
        QString(254, QChar(0x0151)) + QLatin1Char('x'),
        QString(255, QChar(0x0151)) + QLatin1Char('y'),
    };
    return texts;
}

class BadExport : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        if (HasFatalFailure())
            return;
        db().execute(
            "CREATE TABLE rossz (id INT NOT NULL PRIMARY KEY, s VARCHAR(300) NULL) "
            "ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci");
        for (int i = 0; i < storedTexts().size(); ++i)
            db().execute(QStringLiteral("INSERT INTO rossz VALUES (%1, %2)")
                             .arg(i + 1)
                             .arg(SqlText(storedTexts()[i])));
        q = std::make_unique<TmySQLQuery>(&db());
        q->setSQL(QStringLiteral("SELECT id, s FROM rossz ORDER BY id"));
        q->open();
    }
    QStringList storedNow()
    {
        QStringList out;
        for (const QStringList &r : rows("SELECT s FROM rossz ORDER BY id"))
            out << r.value(0);
        return out;
    }

    std::unique_ptr<TmySQLQuery> q;
};

}  // namespace

TEST_F(BadExport, EveryFormatWritesAwkwardTextsInItsOwnEscaping)
{
    const QStringList &texts = storedTexts();
    ASSERT_EQ(storedNow(), texts) << "SqlText stored the texts exactly";
    const qsizetype n = texts.size();

    // Delimited: CsvEscape for every text, so the only line breaks are the CR LF line ends.
    DelimitedOptions o;
    o.fields = QStringList{QStringLiteral("s")};
    o.qualifier = QStringLiteral("\"");
    QStringList lines{QStringLiteral("\"s\"")};
    for (const QString &t : texts)
        lines << QStringLiteral("\"") + CsvEscape(t) + QStringLiteral("\"");
    QByteArray expected;
    for (const QString &l : lines)
        expected += toCp1250(l) + "\r\n";
    const QByteArray delimited = DelimitedWriter(*q, o).write();
    EXPECT_EQ(delimited, expected);
    EXPECT_EQ(delimited.count('\r'), n + 1);
    EXPECT_EQ(delimited.count('\n'), n + 1);

    // HTML: the markup of the page is the markup of a page of plain texts; the texts come
    // as character references where HTML needs them.
    HtmlPageSetup setup;
    setup.title = QStringLiteral("Cím <i>");
    setup.columns = {{QStringLiteral("s"), QStringLiteral("Szöveg"), 100, true, Qt::AlignLeft}};
    const QByteArray page = HtmlPageWriter(setup).write(*q);
    db().execute("UPDATE rossz SET s = 'x'");
    q->refresh();
    setup.title = QStringLiteral("Cím");
    const QByteArray plainPage = HtmlPageWriter(setup).write(*q);
    EXPECT_EQ(page.count('<'), plainPage.count('<'));
    EXPECT_EQ(page.count('>'), plainPage.count('>'));
    EXPECT_TRUE(page.contains(toCp1250(u"&lt;b&gt;a &amp; b&lt;/b&gt; &lt;/td&gt;&lt;/tr&gt; &amp;amp;")));
    EXPECT_TRUE(page.contains(toCp1250(u"<title>Cím &lt;i&gt;</title>")));
    db().execute("DELETE FROM rossz");
    for (int i = 0; i < n; ++i)
        db().execute(QStringLiteral("INSERT INTO rossz VALUES (%1, %2)").arg(i + 1).arg(SqlText(texts[i])));
    q->refresh();

    // BIFF2: each text a LABEL record of its Windows-1250 bytes, cut at the format's 255.
    TDataToXLS xls(q.get());
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    xls.saveToDevice(buf);
    const QByteArray file = buf.data();
    QList<QByteArray> labels;
    for (qsizetype at = 0; at + 4 <= file.size();) {
        const int type = quint8(file[at]) | quint8(file[at + 1]) << 8;
        const int length = quint8(file[at + 2]) | quint8(file[at + 3]) << 8;
        const QByteArray data = file.mid(at + 4, length);
        const auto byte = [&data](qsizetype i) { return i < data.size() ? quint8(data[i]) : 0; };
        // the rows' text column (row 0 holds the titles)
        if (type == 0x0004 && (byte(0) | byte(1) << 8) > 0 && byte(2) == 1)
            labels << data.mid(8, byte(7));
        at += 4 + length;
    }
    ASSERT_EQ(labels.size(), n);
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(labels[i], toCp1250(texts[i]).left(255)) << i;

    // The backup script restores every text byte for byte.
    const QString script = TableInsertScript(db(), QStringLiteral("rossz"));
    db().execute("DELETE FROM rossz");
    runSqlScript(db(), script, QStringLiteral("rossz.sql"));
    EXPECT_EQ(storedNow(), texts);
}
