// Copying and moving through the job on one file system: contents, names on collision, folders,
// questions and cancel.
#include "FileOpFixture.h"

#include "fileops/FileOpTexts.h"
#include "fileops/TFileOpJob.h"
#include "tags/GbkCodec.h"

#include <cerrno>

namespace {

int RunJob(ScriptedFileOpUi& ui, FileOpKind kind, const QByteArray& list, const QByteArray& destination)
{
    TFileOpJob job(kind, list, destination);
    return ui.Run(nullptr, QStringLiteral("t"), job);
}

bool NoTemporaryLeft(const QByteArray& folder)
{
    for (const QByteArray& name : Names(folder))
        if (name.startsWith(".kiro-"))
            return false;
    return true;
}

} // namespace

using JobCopy = FileOpTest;
using JobMove = FileOpTest;

TEST_F(JobCopy, CopiesContentModeAndTimeAndKeepsBothOnCollision)
{
    WriteAll(from + "/a.mp3", Pattern(300000, 1), 0640);
    struct timespec times[2] = {{1000000000, 0}, {1100000000, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (from + "/a.mp3").constData(), times, 0), 0);
    WriteAll(to + "/a.mp3", "already here");
    WriteAll(to + "/a (2).mp3", "and here");

    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/a.mp3"}), to), kFileOpDone);
    EXPECT_EQ(ReadAll(to + "/a.mp3"), "already here");
    EXPECT_EQ(ReadAll(to + "/a (2).mp3"), "and here");
    EXPECT_EQ(ReadAll(to + "/a (3).mp3"), Pattern(300000, 1));
    EXPECT_EQ(ReadAll(from + "/a.mp3"), Pattern(300000, 1));
    struct stat st {};
    ASSERT_EQ(::stat((to + "/a (3).mp3").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1100000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 123456789);
    EXPECT_TRUE(NoTemporaryLeft(to));
    EXPECT_TRUE(ui.asked.isEmpty());
    EXPECT_FALSE(ui.askedOffWorker);
}

TEST_F(JobCopy, CopiesIntoItsOwnFolderUnderANewNameAndKeepsGbkBytes)
{
    const QByteArray gbk = TextToGbk(u"老歌") + ".mp3";
    WriteAll(from + "/" + gbk, "gbk");
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/" + gbk}), from), kFileOpDone);
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/" + gbk}), to), kFileOpDone);
    EXPECT_EQ(Names(from), (QList<QByteArray>{TextToGbk(u"老歌") + " (2).mp3", gbk}));
    EXPECT_EQ(Names(to), QList<QByteArray>{gbk});
    EXPECT_EQ(ReadAll(to + "/" + gbk), "gbk");
}

TEST_F(JobCopy, CopiesFoldersWholeWithLinksAndRenamesOnCollision)
{
    MakeDir(from + "/album");
    MakeDir(from + "/album/cd1");
    WriteAll(from + "/album/cd1/t.mp3", Pattern(5000, 2));
    WriteAll(from + "/album/cover.jpg", "jpg");
    ASSERT_EQ(::symlink("cd1/t.mp3", (from + "/album/first").constData()), 0);
    ASSERT_EQ(::chmod((from + "/album/cd1").constData(), 0750), 0);
    MakeDir(to + "/album");

    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/album"}), to), kFileOpDone);
    EXPECT_EQ(Names(to), (QList<QByteArray>{"album", "album (2)"}));
    EXPECT_TRUE(Names(to + "/album").isEmpty());
    EXPECT_EQ(Names(to + "/album (2)"), (QList<QByteArray>{"cd1", "cover.jpg", "first"}));
    EXPECT_EQ(ReadAll(to + "/album (2)/first"), Pattern(5000, 2));
    char target[64] = {};
    EXPECT_EQ(::readlink((to + "/album (2)/first").constData(), target, sizeof target - 1), 9);
    EXPECT_STREQ(target, "cd1/t.mp3");
    struct stat st {};
    ASSERT_EQ(::stat((to + "/album (2)/cd1").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0750u);
    EXPECT_EQ(ReadAll(from + "/album/cd1/t.mp3"), Pattern(5000, 2));
    EXPECT_TRUE(NoTemporaryLeft(to));
}

TEST_F(JobCopy, AFolderIntoItselfIsRefusedAndAMissingSourceAsked)
{
    MakeDir(from + "/album");
    WriteAll(from + "/b.mp3", "b");
    ui.errorAnswers = {ErrorAnswer::Skip, ErrorAnswer::Skip};
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/album", from + "/gone.mp3", from + "/b.mp3"}),
                     from + "/album"),
              kFileOpDone);
    ASSERT_EQ(ui.asked.size(), 2);
    EXPECT_EQ(ui.asked[0].reason, SubfolderReason());
    EXPECT_EQ(ui.asked[1].path, from + "/gone.mp3");
    EXPECT_EQ(ui.asked[1].reason, SystemReason(ENOENT));
    EXPECT_EQ(Names(from + "/album"), QList<QByteArray>{"b.mp3"});

    // Stop ends the operation as failed and leaves the rest.
    ui.errorAnswers = {ErrorAnswer::Stop};
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/gone.mp3", from + "/b.mp3"}), to), kFileOpFailed);
    EXPECT_TRUE(Names(to).isEmpty());
    EXPECT_EQ(ui.unanswered, 0);
}

TEST_F(JobCopy, AMissingDestinationIsCreatedOnlyWhenTheUserSaysSo)
{
    WriteAll(from + "/a.mp3", "a");
    const QByteArray missing = to + "/new/deeper";
    ui.confirmAnswers = {false};
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/a.mp3"}), missing), kFileOpCancelled);
    EXPECT_FALSE(Exists(to + "/new"));
    ui.confirmAnswers = {true};
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/a.mp3"}), missing + "/"), kFileOpDone);
    EXPECT_EQ(ReadAll(missing + "/a.mp3"), "a");
    EXPECT_EQ(ui.Kinds(), (QStringList{"create", "create"}));
    EXPECT_EQ(ui.asked[0].path, missing);

    // An empty or relative destination never means the root or the working folder.
    ui.errorAnswers = {ErrorAnswer::Skip, ErrorAnswer::Skip};
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/a.mp3"}), ""), kFileOpFailed);
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/a.mp3"}), "to"), kFileOpFailed);
    EXPECT_EQ(ui.asked.last().reason, BadPathReason());
}

TEST_F(JobCopy, CancelInTheMiddleLeavesWholeCopiesAndNoPartOfTheRest)
{
    for (int i = 0; i < 3; ++i)
        WriteAll(from + "/" + QByteArray::number(i) + ".mp3", Pattern(20 << 20, i));
    MakeDir(from + "/folder");
    WriteAll(from + "/folder/x", "x");
    ui.cancelAtBytes = 30 << 20;
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy,
                     List({from + "/0.mp3", from + "/1.mp3", from + "/2.mp3", from + "/folder"}), to),
              kFileOpCancelled);
    EXPECT_EQ(Names(to), QList<QByteArray>{"0.mp3"});
    EXPECT_EQ(ReadAll(to + "/0.mp3"), Pattern(20 << 20, 0));
    EXPECT_EQ(Names(from), (QList<QByteArray>{"0.mp3", "1.mp3", "2.mp3", "folder"}));
    EXPECT_EQ(ReadAll(from + "/1.mp3"), Pattern(20 << 20, 1));
}

TEST_F(JobMove, MovesFilesAndFoldersRenamingOnCollision)
{
    WriteAll(from + "/a.mp3", "new a");
    WriteAll(to + "/a.mp3", "old a");
    MakeDir(from + "/album");
    WriteAll(from + "/album/t.mp3", "t");
    MakeDir(to + "/album");
    EXPECT_EQ(RunJob(ui, FileOpKind::Move, List({from + "/a.mp3", from + "/album"}), to), kFileOpDone);
    EXPECT_TRUE(Names(from).isEmpty());
    EXPECT_EQ(Names(to), (QList<QByteArray>{"a (2).mp3", "a.mp3", "album", "album (2)"}));
    EXPECT_EQ(ReadAll(to + "/a.mp3"), "old a");
    EXPECT_EQ(ReadAll(to + "/a (2).mp3"), "new a");
    EXPECT_EQ(ReadAll(to + "/album (2)/t.mp3"), "t");
    EXPECT_EQ(ui.requests.last().kind, FileOpKind::Move);
}

TEST_F(JobMove, AnItemAlreadyInTheDestinationStaysAsItIs)
{
    WriteAll(from + "/a.mp3", "a");
    MakeDir(from + "/sub");
    EXPECT_EQ(RunJob(ui, FileOpKind::Move, List({from + "/a.mp3"}), from + "/"), kFileOpDone);
    EXPECT_EQ(Names(from), (QList<QByteArray>{"a.mp3", "sub"}));
    ui.errorAnswers = {ErrorAnswer::Retry, ErrorAnswer::Skip};
    EXPECT_EQ(RunJob(ui, FileOpKind::Move, List({from + "/sub"}), from + "/sub"), kFileOpDone);
    EXPECT_EQ(ui.Kinds(), (QStringList{"error", "error"}));
    EXPECT_EQ(Names(from), (QList<QByteArray>{"a.mp3", "sub"}));
}
