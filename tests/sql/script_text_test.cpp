// Splitting scripts, reading connection targets and building procedure calls: no server.
#include "admin/dbinstall/connectiontarget.h"
#include "admin/dbinstall/schemascripts.h"
#include "admin/dbinstall/sqlscript.h"
#include "core/dbhelpers/proccalls.h"

#include <gtest/gtest.h>

using namespace zorva;

namespace {

QStringList texts(const QList<SqlStatement> &statements)
{
    QStringList out;
    for (const SqlStatement &s : statements)
        out << s.text;
    return out;
}

}  // namespace

TEST(SplitSqlScript, DelimiterLinesKeepProcedureBodiesWhole)
{
    const QString script = QStringLiteral(
        "-- header comment; with a semicolon\n"
        "CREATE TABLE a (x INT);\n"
        "DELIMITER $$\n"
        "CREATE PROCEDURE p()\nBEGIN\n  SELECT 1;\n  SELECT 2;\nEND$$\n"
        "delimiter ;\n"
        "INSERT INTO a VALUES (1);");
    const QList<SqlStatement> s = splitSqlScript(script);
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0].text, QStringLiteral("CREATE TABLE a (x INT)"));
    EXPECT_EQ(s[0].line, 2);
    EXPECT_EQ(s[1].text, QStringLiteral("CREATE PROCEDURE p()\nBEGIN\n  SELECT 1;\n  SELECT 2;\nEND"));
    EXPECT_EQ(s[1].line, 4);
    EXPECT_EQ(s[2].text, QStringLiteral("INSERT INTO a VALUES (1)"));
    EXPECT_EQ(s[2].line, 10);
}

TEST(SplitSqlScript, DelimitersInsideQuotesAndCommentsDoNotEndAStatement)
{
    const QString script = QStringLiteral(
        "INSERT INTO t VALUES ('a;b', \"c;d\", 'it''s;', 'back\\\\', 'esc\\';x');\n"
        "SELECT `odd;name` FROM t /* a ; comment */ WHERE x = 1 # trailing ; comment\n"
        "  AND y = 2; -- done;\n"
        "SELECT 3--2;\n");
    const QStringList s = texts(splitSqlScript(script));
    ASSERT_EQ(s.size(), 3) << s.join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(s[0],
              QStringLiteral("INSERT INTO t VALUES ('a;b', \"c;d\", 'it''s;', 'back\\\\', 'esc\\';x')"));
    EXPECT_TRUE(s[1].startsWith(QStringLiteral("SELECT `odd;name` FROM t")));
    EXPECT_TRUE(s[1].endsWith(QStringLiteral("AND y = 2")));
    // "--" without a blank after it is an operator, not a comment.
    EXPECT_EQ(s[2], QStringLiteral("SELECT 3--2"));
}

TEST(SplitSqlScript, CommentOnlyPartsAndTrailingTextAreHandled)
{
    const QList<SqlStatement> s =
        splitSqlScript(QStringLiteral("/* only\n a comment */ ;\n;\n  -- nothing\nSELECT 1\n"));
    ASSERT_EQ(s.size(), 1);
    EXPECT_EQ(s[0].text, QStringLiteral("SELECT 1"));
    EXPECT_EQ(s[0].line, 5);
    EXPECT_TRUE(splitSqlScript(QStringLiteral("  \n-- x\n")).isEmpty());
    // A form feed is a blank too: the statement after it begins on the next line (fuzzing).
    const QList<SqlStatement> f = splitSqlScript(QStringLiteral("SELECT 1; /* x */\f\ntail"));
    ASSERT_EQ(f.size(), 2);
    EXPECT_EQ(f[1].text, QStringLiteral("tail"));
    EXPECT_EQ(f[1].line, 2);
}

TEST(SplitSqlScript, EveryBuiltInScriptSplitsIntoCompleteStatements)
{
    QStringList resources = routineResources();
    resources << baseSchemaResource() << demoHouseholdResource() << demoPatternsResource();
    for (const QString &r : resources) {
        const QList<SqlStatement> s = splitSqlScript(readSqlResource(r));
        ASSERT_FALSE(s.isEmpty()) << r.toStdString();
        for (const SqlStatement &st : s) {
            EXPECT_FALSE(st.text.startsWith(QStringLiteral("DELIMITER"), Qt::CaseInsensitive))
                << r.toStdString();
            EXPECT_FALSE(st.text.endsWith(QStringLiteral("$$"))) << r.toStdString() << ":" << st.line;
        }
    }
}

TEST(SchemaScripts, VersionTextsSortAsText)
{
    EXPECT_EQ(versionText(1), QStringLiteral("001"));
    EXPECT_EQ(versionText(12), QStringLiteral("012"));
    EXPECT_LT(versionText(9), versionText(10));
    EXPECT_GE(currentSchemaVersion(), 1);
}

TEST(ConnectionTarget, DsnForms)
{
    QString error;
    auto t = parseConnectionTarget(QStringLiteral("root:s3:cr@t@db.example.hu:3407/zorva"), error);
    ASSERT_TRUE(t) << error.toStdString();
    EXPECT_EQ(t->user, QStringLiteral("root"));
    EXPECT_EQ(t->password, QStringLiteral("s3:cr@t"));
    EXPECT_EQ(t->host, QStringLiteral("db.example.hu"));
    EXPECT_EQ(t->port, 3407);
    EXPECT_EQ(t->database, QStringLiteral("zorva"));

    t = parseConnectionTarget(QStringLiteral("anna@localhost/penz"), error);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->password, QString());
    EXPECT_EQ(t->port, 3306);
    EXPECT_EQ(t->database, QStringLiteral("penz"));

    t = parseConnectionTarget(QStringLiteral("zorva;127.0.0.1;3307;root;pw;Helyi"), error);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->database, QStringLiteral("zorva"));
    EXPECT_EQ(t->host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(t->port, 3307);
    EXPECT_EQ(t->user, QStringLiteral("root"));
    EXPECT_EQ(t->password, QStringLiteral("pw"));
}

TEST(ConnectionTarget, MalformedTextsAreRefusedWithAReason)
{
    for (const char *bad : {"no-at-sign/zorva", "root:pw@host:99999/zorva", "root:pw@host:abc/zorva",
                            "@host/zorva", "zorva;host;port;root", "zorva;host;x;root;pw;n"}) {
        QString error;
        EXPECT_FALSE(parseConnectionTarget(QString::fromUtf8(bad), error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
}

TEST(ProcedureCalls, TextsAreTheOnesTheProgramSends)
{
    EXPECT_EQ(callKasszaIns(QDate(2024, 3, 1), 1, 5, 1500, QStringLiteral("Bolt"), 0),
              QStringLiteral("CALL sp_kassza_ins('2024-03-01',1,5,1500,'Bolt',0);"));
    EXPECT_EQ(callKasszaInsToday(2, 7, 1234.5, QStringLiteral("O'Brian"), 12),
              QStringLiteral("CALL sp_kassza_ins(CURDATE(),2,7,1234.5,'O''Brian',12);"));
    EXPECT_EQ(callKasszaEdit(33, QDate(2024, 12, 31), 1, -1, 0.25, QString(), 3),
              QStringLiteral("CALL sp_kassza_edit(33,'2024-12-31',1,-1,0.25,'',3);"));
    EXPECT_EQ(callKasszaDel(0), QStringLiteral("CALL sp_kassza_del(0);"));
    EXPECT_EQ(callCsekkFizet(17), QStringLiteral("CALL sp_csekkfizet(17);"));
    EXPECT_EQ(callCsekkGen(QStringLiteral("202403")), QStringLiteral("CALL sp_csekkgen('202403');"));
    EXPECT_EQ(callTorleszt(7, 1500, QString()), QStringLiteral("CALL sp_torleszt(7,1500,'');"));
    EXPECT_EQ(callMegkolcsonad(7, 2000.5, QString()), QStringLiteral("CALL sp_megkolcsonad(7,2000.5,'');"));
    EXPECT_EQ(newEntryIdQuery(), QStringLiteral("SELECT LAST_INSERT_ID();"));
}

TEST(ProcedureCalls, BackslashesAndLineBreaksCannotBreakTheLiteral)
{
    EXPECT_EQ(callTorleszt(1, 10, QStringLiteral("vége\\")),
              QStringLiteral("CALL sp_torleszt(1,10,'vége\\\\');"));
    EXPECT_EQ(callKasszaInsToday(1, 1, 1, QStringLiteral("a\r\nb'); DROP TABLE x; --"), 0),
              QStringLiteral("CALL sp_kassza_ins(CURDATE(),1,1,1,'a\\r\\nb''); DROP TABLE x; --',0);"));
}
