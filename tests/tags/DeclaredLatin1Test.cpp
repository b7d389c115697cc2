#include "tags/DeclaredLatin1.h"

#include <gtest/gtest.h>

namespace {

TEST(DeclaredLatin1, GbkWithIdeographsIsReadAsGbk)
{
    EXPECT_EQ(DeclaredLatin1Text("\xB9\xE2\xBB\xD4\xCB\xEA"), QStringLiteral("光辉岁"));
    EXPECT_EQ(DeclaredLatin1Text("Beyond \xB9\xE2\xBB\xD4\xCB\xEA\xD4\xC2 (live)"),
              QStringLiteral("Beyond 光辉岁月 (live)"));
    // 朱镕基: the middle one is outside the common set, with an ASCII letter as its second byte.
    EXPECT_EQ(DeclaredLatin1Text("\xD6\xEC\xE9\x46\xBB\xF9"), QStringLiteral("朱镕基"));
}

TEST(DeclaredLatin1, LatinTextStaysLatin1)
{
    EXPECT_EQ(DeclaredLatin1Text("Caf\xE9"), QStringLiteral("Café"));
    EXPECT_EQ(DeclaredLatin1Text("M\xFCller \xC4rger"), QStringLiteral("Müller Ärger"));
    EXPECT_EQ(DeclaredLatin1Text("plain"), QStringLiteral("plain"));
    EXPECT_EQ(DeclaredLatin1Text(""), QString());
    // Well-formed GBK, but only symbols: a middle dot.
    EXPECT_EQ(DeclaredLatin1Text("\xA1\xA4"), QStringLiteral("\u00A1\u00A4"));
    // Pairs of the common rows, but not GBK as a whole.
    EXPECT_EQ(DeclaredLatin1Text("\xB9\xE2\xFF\xFF"), QStringLiteral("\u00B9\u00E2\u00FF\u00FF"));
}

} // namespace
