// The latin2 table, ":name" parameters and the literals they are written as.
#include "qtprint.h"
#include "db/query.h"
#include "db/sqlparams.h"
#include "db/textcodec.h"

#include <QLocale>

#include <clocale>
#include <string>

#include <gtest/gtest.h>

TEST(TextCodec, Latin2BytesRoundTripAndHungarianLettersHaveTheirCodes)
{
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = TextCodec::fromLatin2(all.constData(), all.size());
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(TextCodec::toLatin2(text), all);

    EXPECT_EQ(TextCodec::toLatin2(QStringLiteral("őűŐŰ")), QByteArray("\xF5\xFB\xD5\xDB"));
    EXPECT_EQ(TextCodec::toLatin2(QStringLiteral("áéíóöúüÁÉÍÓÖÚÜ")),
              QByteArray("\xE1\xE9\xED\xF3\xF6\xFA\xFC\xC1\xC9\xCD\xD3\xD6\xDA\xDC"));
    EXPECT_EQ(TextCodec::fromLatin2("\xF5\xFB", 2), QStringLiteral("őű"));
}

TEST(TextCodec, CharactersOutsideLatin2BecomeOneQuestionMarkEach)
{
    // "€" and "ñ" have no latin2 byte; the emoji is a surrogate pair but one character.
    EXPECT_EQ(TextCodec::toLatin2(QStringLiteral("a€bñc😀d")), QByteArray("a?b?c?d"));
    const TextCodec latin2(QStringLiteral("latin2"));
    EXPECT_EQ(latin2.encode(QStringLiteral("ő€")), QByteArray("\xF5?"));
}

TEST(TextCodec, OtherCharacterSetsGoThroughTheirOwnEncoding)
{
    const TextCodec utf8(QStringLiteral("utf8mb4"));
    EXPECT_EQ(utf8.encode(QStringLiteral("ő")), QByteArray("\xC5\x91"));
    EXPECT_EQ(utf8.maxBytesPerChar(), 4);
    const TextCodec cp1250(QStringLiteral("cp1250"));
    EXPECT_EQ(cp1250.encode(QStringLiteral("ő€")), QByteArray("\xF5\x80"));
    EXPECT_EQ(cp1250.decode(QByteArray("\x8A")), QStringLiteral("Š"));
    // The server's latin1 is Windows-1252 (0x80 is the euro sign there).
    EXPECT_EQ(TextCodec(QStringLiteral("latin1")).decode(QByteArray("\x80")), QStringLiteral("€"));
}

TEST(SqlParams, NamesInOrderOnceEachOutsideQuotesAndComments)
{
    const QString sql = QStringLiteral(
        "SELECT ':notme', \"x:notme\", `a:notme` FROM t -- :notme\n"
        "WHERE a = :p1 AND b = :P2 # :notme\n"
        "AND c = :p1 /* :notme */ AND d::int AND @v := 1 AND e=:last");
    EXPECT_EQ(sqlparams::names(sql), QStringList({"p1", "P2", "last"}));
}

TEST(SqlParams, EscapedQuotesDoNotEndTheText)
{
    const QString sql = QStringLiteral("SELECT 'it''s :no', 'back\\' :no', :yes");
    EXPECT_EQ(sqlparams::names(sql), QStringList({"yes"}));
    EXPECT_EQ(sqlparams::substitute(sql, [](const QString &) { return QStringLiteral("42"); }),
              QStringLiteral("SELECT 'it''s :no', 'back\\' :no', 42"));
}

TEST(QueryParams, LiteralsOfEveryKind)
{
    TmySQLQuery q;
    q.setSQL(
        QStringList{"SELECT * FROM t", "WHERE d BETWEEN :d1 AND :d2 AND n=:n AND s=:s", "AND x=:x AND z=:z"});
    q.paramByName(QStringLiteral("d1")).setAsDate(QDate(2009, 3, 1));
    q.paramByName(QStringLiteral("D2")).setAsDateTime(QDateTime(QDate(2009, 3, 31), QTime(23, 5, 9)));
    q.paramByName(QStringLiteral("n")).setAsInteger(-17);
    q.paramByName(QStringLiteral("s")).setAsString(QStringLiteral("O'Brien \\ ő\r\n"));
    q.paramByName(QStringLiteral("x")).setAsFloat(1234.5);
    EXPECT_EQ(q.expandedSql(),
              QStringLiteral("SELECT * FROM t\n"
                             "WHERE d BETWEEN '2009-03-01' AND '2009-03-31 23:05:09' AND n=-17 "
                             "AND s='O''Brien \\\\ ő\\r\\n'\nAND x=1234.5 AND z=NULL"));

    q.paramByName(QStringLiteral("d1")).setAsDate(QDate());
    EXPECT_EQ(q.paramByName(QStringLiteral("d1")).literal(), QStringLiteral("'0000-00-00'"));
    q.paramByName(QStringLiteral("n")).clear();
    EXPECT_TRUE(q.paramByName(QStringLiteral("n")).isNull());
    EXPECT_EQ(q.paramByName(QStringLiteral("n")).literal(), QStringLiteral("NULL"));
}

TEST(QueryParams, UnknownParameterIsAnErrorNamingIt)
{
    TmySQLQuery q;
    q.setSQL(QStringLiteral("SELECT :a"));
    try {
        q.paramByName(QStringLiteral("b"));
        FAIL() << "no error";
    } catch (const EmySQLDatabaseError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Paraméter nem található: b"));
        EXPECT_EQ(e.errorCode(), 0);
    }
}

TEST(QueryParams, NumbersUseAPointUnderACommaLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Hungarian));
    const std::string old = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "hu_HU.UTF-8");
    TmySQLQuery q;
    q.setSQL(QStringLiteral("SELECT :x"));
    q.paramByName(QStringLiteral("x")).setAsFloat(-0.25);
    EXPECT_EQ(q.expandedSql(), QStringLiteral("SELECT -0.25"));
    std::setlocale(LC_ALL, old.c_str());
    QLocale::setDefault(saved);
}
