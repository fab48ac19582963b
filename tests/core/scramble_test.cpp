#include "core/cp1250.h"
#include "core/scramble.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

using namespace zorva;

TEST(Cp1250, AgreesWithTheSystemCodecAndKeepsEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString mine = fromCp1250(all);
    ASSERT_EQ(mine.size(), 256);
    EXPECT_EQ(toCp1250(mine), all);  // every byte comes back

    QStringDecoder system("windows-1250");
    ASSERT_TRUE(system.isValid());
    const QString reference = system(all);
    ASSERT_EQ(reference.size(), 256);
    for (int b = 0; b < 256; ++b) {
        if (reference.at(b) == QChar(0xFFFD))
            continue;  // unassigned in the code page
        EXPECT_EQ(mine.at(b), reference.at(b)) << "byte " << b;
    }
    EXPECT_EQ(toCp1250(QString::fromUtf8("őŐűŰ")), QByteArray("\xF5\xD5\xFB\xDB"));
    bool complete = true;
    EXPECT_EQ(toCp1250(QString::fromUtf8("a€b✓"), &complete), QByteArray("a\x80"
                                                                         "b?"));
    EXPECT_FALSE(complete);
}

TEST(Scramble, RoundTripOfEveryCodeBelow255)
{
    QString text;
    for (int b = 0; b < 255; ++b)
        text += fromCp1250(QByteArray(1, char(b)));
    const QString scrambled = ScrambleConStr(text);
    EXPECT_EQ(scrambled.size(), 3 + 2 * text.size());
    EXPECT_EQ(UnscrambleConStr(scrambled), text);
    // Each code on its own, too.
    for (int b = 0; b < 255; ++b) {
        const QString one = fromCp1250(QByteArray(1, char(b)));
        EXPECT_EQ(UnscrambleConStr(ScrambleConStr(one)), one) << "code " << b;
    }
}

TEST(Scramble, LayoutAndFillers)
{
    const QString plain = QString::fromUtf8("zorva;localhost;3306;root;jelszó;Otthon;");
    const QByteArray s = toCp1250(ScrambleConStr(plain));
    const QByteArray p = toCp1250(plain);
    for (int i = 0; i < s.size(); ++i) {
        const bool isFiller = i < 3 || (i - 3) % 2 == 1;
        if (isFiller) {
            EXPECT_GE(uchar(s[i]), 33);
            EXPECT_LE(uchar(s[i]), 87);
        } else {
            EXPECT_EQ(uchar(s[i]), uchar(p[(i - 3) / 2]) + 1);
        }
    }
    EXPECT_EQ(UnscrambleConStr(""), "");
    EXPECT_EQ(UnscrambleConStr("ab"), "");
    EXPECT_EQ(ScrambleConStr("").size(), 3);
}

TEST(Scramble, TwoScramblesOfOneTextDiffer)
{
    const QString plain = QStringLiteral("zorva;localhost;3306;root;titok;Otthon;");
    const QString a = ScrambleConStr(plain);
    const QString b = ScrambleConStr(plain);  // right after the first, within the same millisecond
    EXPECT_NE(a, b);
    EXPECT_EQ(UnscrambleConStr(a), plain);
    EXPECT_EQ(UnscrambleConStr(b), plain);
}
