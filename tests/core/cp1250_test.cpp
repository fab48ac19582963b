#include "core/cp1250.h"

#include <gtest/gtest.h>

using namespace zorva;

TEST(Cp1250, AppendKeepsWhatIsThere)
{
    QByteArray out("head:");
    EXPECT_TRUE(appendCp1250(out, QString::fromUtf8("Árvíztűrő tükörfúrógép")));
    EXPECT_TRUE(appendCp1250(out, QStringView()));
    EXPECT_EQ(out, "head:\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p");
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    QByteArray out;
    // The euro is in the code page, the check mark is not, the emoji is one character
    // of two code units; a lone surrogate is a character of its own.
    const QString text = QString::fromUtf8("ő€✓😀x") + QChar(0xD800) + QStringLiteral("y") + QChar(0xDC00);
    EXPECT_FALSE(appendCp1250(out, text));
    EXPECT_EQ(out, QByteArray("\xF5\x80??x?y?"));
    bool complete = true;
    EXPECT_EQ(toCp1250(text, &complete), out);
    EXPECT_FALSE(complete);
    EXPECT_EQ(cp1250Byte(0x1F600), -1);
    EXPECT_EQ(cp1250Byte(0x2713), -1);
    EXPECT_EQ(cp1250Byte(0x0171), 0xFB);  // ű
    EXPECT_EQ(cp1250Byte(0x00A0), 0xA0);
}
