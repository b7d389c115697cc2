// The pure rules of the file operations: the source list, names given on collision, the rename
// rule, and the texts of the job's windows.
#include "fileops/FileOpTexts.h"
#include "fileops/NameBytes.h"
#include "fileops/RenameRule.h"
#include "fileops/SourceList.h"
#include "tags/GbkCodec.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kGbkSong = TextToGbk(u"歌曲"); // 4 bytes, 2 characters

} // namespace

TEST(SourceList, ThreePathsEachEndInNulAndTheListInTwo)
{
    QByteArray list;
    AppendSource(list, "/a/1.mp3");
    AppendSource(list, "/a/2.mp3");
    AppendSource(list, "/b/" + kGbkSong + ".mp3");
    list = EndSourceList(list);
    EXPECT_EQ(list, QByteArray("/a/1.mp3\0/a/2.mp3\0/b/", 21) + kGbkSong + QByteArray(".mp3\0\0", 6));
    EXPECT_EQ(SplitSourceList(list), (QList<QByteArray>{"/a/1.mp3", "/a/2.mp3", "/b/" + kGbkSong + ".mp3"}));
    // A list without its final NUL, or cut after the first path, still reads.
    EXPECT_EQ(SplitSourceList(QByteArray("/x\0/y", 5)), (QList<QByteArray>{"/x", "/y"}));
    EXPECT_EQ(SplitSourceList(QByteArray("/x\0\0/y\0\0", 8)), QList<QByteArray>{"/x"});
    EXPECT_TRUE(SplitSourceList(QByteArray("\0", 1)).isEmpty());
}

TEST(NameBytes, CollisionNamesCountUpBeforeTheExtension)
{
    EXPECT_EQ(CollisionName("a.mp3", 1, false), "a.mp3");
    EXPECT_EQ(CollisionName("a.mp3", 2, false), "a (2).mp3");
    EXPECT_EQ(CollisionName("a.b.mp3", 13, false), "a.b (13).mp3");
    EXPECT_EQ(CollisionName("noext", 2, false), "noext (2)");
    EXPECT_EQ(CollisionName(".hidden", 2, false), ".hidden (2)");
    EXPECT_EQ(CollisionName("Disc.1", 3, true), "Disc.1 (3)");
    // Too long: the stem gives way, never in the middle of a GBK character.
    QByteArray stem;
    for (int i = 0; i < 70; ++i)
        stem += kGbkSong;
    const QByteArray fitted = CollisionName(stem + ".mp3", 2, false);
    EXPECT_LE(fitted.size(), 255);
    EXPECT_TRUE(fitted.endsWith(" (2).mp3"));
    EXPECT_EQ((fitted.size() - 8) % 2, 0);
    EXPECT_TRUE(IsGbk(fitted));
}

TEST(NameBytes, CharactersFollowTheNameEncoding)
{
    EXPECT_EQ(CharStarts(kGbkSong + "ab"), (QList<qsizetype>{0, 2, 4, 5}));
    EXPECT_EQ(CharStarts(QStringLiteral("歌a").toUtf8()), (QList<qsizetype>{0, 3}));
    EXPECT_EQ(DropLastChars(kGbkSong + ".mp3", 4), kGbkSong);
    EXPECT_EQ(DropLastChars(QStringLiteral("歌曲").toUtf8(), 1), QStringLiteral("歌").toUtf8());
    EXPECT_EQ(DropLastChars("ab", 4), "");
    EXPECT_EQ(BaseName("/a/b/"), "b");
    EXPECT_EQ(BaseName("/"), "/");
    EXPECT_EQ(FolderOf("/a/b"), "/a");
    EXPECT_EQ(FolderOf("/a"), "/");
    EXPECT_EQ(JoinPath("/", "x"), "/x");
    EXPECT_EQ(JoinPath("/a", "x"), "/a/x");
}

TEST(RenameRule, TheOldExtensionStaysWhenTheTypedOneDiffers)
{
    EXPECT_EQ(PlanRename("a.mp3", u"b"_qs, 0).name, "b.mp3");
    EXPECT_EQ(PlanRename("a.mp3", u"b.mp3"_qs, 0).name, "b.mp3");
    EXPECT_EQ(PlanRename("a.mp3", u"b.wav"_qs, 0).name, "b.wav.mp3");
    EXPECT_EQ(PlanRename("a.mp3", u"b.MP3"_qs, 0).name, "b.MP3.mp3");
    EXPECT_EQ(PlanRename("readme", u"notes"_qs, 0).name, "notes");
    EXPECT_EQ(PlanRename("a.mp3", u"新歌"_qs, 0).name, QStringLiteral("新歌.mp3").toUtf8());
}

TEST(RenameRule, FourCharactersBecomeTheOldStemAndTheMillisecond)
{
    EXPECT_EQ(PlanRename("a.mp3", QString(), 407).name, "a_407.mp3");
    EXPECT_EQ(PlanRename("a.mp3", u".mp3"_qs, 5).name, "a_5.mp3");
    EXPECT_EQ(PlanRename("a.mp3", u".wma"_qs, 5).name, ".wma.mp3");
    EXPECT_EQ(PlanRename("song.mp3", u"abcd"_qs, 999).name, "abcd.mp3");
    EXPECT_EQ(PlanRename("abcdef", u"wxyz"_qs, 12).name, "ab_12");
    // A GBK name loses whole characters, and keeps its own bytes.
    EXPECT_EQ(PlanRename(kGbkSong + ".mp3", QString(), 1).name, kGbkSong + "_1.mp3");
}

TEST(RenameRule, AnUnchangedCaptionKeepsTheBytesAndBadNamesAreRefused)
{
    const QByteArray gbkName = kGbkSong + ".mp3";
    const RenamePlan same = PlanRename(gbkName, QStringLiteral("歌曲.mp3"), 0);
    EXPECT_TRUE(same.valid);
    EXPECT_EQ(same.name, gbkName);
    const RenamePlan retyped = PlanRename(gbkName, QStringLiteral("新歌"), 0);
    EXPECT_EQ(retyped.name, QStringLiteral("新歌").toUtf8() + ".mp3");

    EXPECT_FALSE(PlanRename("a.mp3", u"x/y"_qs, 0).valid);
    EXPECT_FALSE(PlanRename("readme", u".."_qs, 0).valid);
    EXPECT_FALSE(PlanRename("readme", u"."_qs, 0).valid);
    EXPECT_FALSE(PlanRename("readme", QString(), 0).valid);
    EXPECT_FALSE(PlanRename("a.mp3", QString(300, u'x'), 0).valid);
    EXPECT_TRUE(PlanRename("a.mp3", QString(251, u'x'), 0).valid);
    EXPECT_FALSE(PlanRename("a.mp3", QStringLiteral("x") + QChar(u'\0'), 0).valid);
}

TEST(FileOpTexts, QuestionsNameTheItemsAndProgressFollowsBytesThenItems)
{
    EXPECT_EQ(TrashQuestion(1, "/m/" + kGbkSong + ".mp3"), QStringLiteral("确实要把“/m/歌曲.mp3”放入回收站吗？"));
    EXPECT_EQ(TrashQuestion(3, {}), QStringLiteral("确实要把这 3 项放入回收站吗？"));
    EXPECT_TRUE(ErrorMessage("/m/a", SystemReason(ENOSPC)).contains(SystemReason(ENOSPC)));
    EXPECT_FALSE(SystemReason(ENOSPC).isEmpty());
    EXPECT_EQ(ProgressPermille({1, 4, 0, 0}), 250);
    EXPECT_EQ(ProgressPermille({1, 4, 300, 400}), 750);
    EXPECT_EQ(ProgressPermille({}), 0);
    EXPECT_EQ(ProgressItemsText({2, 5, 0, 0}), QStringLiteral("2 / 5 项"));
}
