// Faults on real file systems that the test mounts: a full disk, a move between file systems, a
// cancel in the middle, the trash of another mount, a read-only destination. Mounting needs root
// (the suite's CI runs as root); elsewhere these tests are skipped with a message.
#include "FileOpFixture.h"

#include "fileops/FileOpTexts.h"
#include "fileops/TFileOpJob.h"
#include "tags/GbkCodec.h"

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace {

int RunJob(ScriptedFileOpUi& ui, FileOpKind kind, const QByteArray& list, const QByteArray& destination = {})
{
    TFileOpJob job(kind, list, destination);
    return ui.Run(nullptr, QStringLiteral("t"), job);
}

class MountFault : public FileOpTest {
protected:
    // Mounts a tmpfs of the given size at root/mnt; false (the test skips) where that is not allowed.
    bool MountSmall(const char* size)
    {
        mnt = root + "/mnt";
        if (::mkdir(mnt.constData(), 0755) != 0)
            return false;
        const QByteArray options = QByteArray("size=") + size + ",mode=0755";
        if (::mount("tmpfs", mnt.constData(), "tmpfs", 0, options.constData()) != 0) {
            reason = std::strerror(errno);
            return false;
        }
        mounted = true;
        return true;
    }
    bool MakeReadOnly()
    {
        return ::mount("tmpfs", mnt.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    void TearDown() override
    {
        if (mounted)
            ::umount2(mnt.constData(), MNT_DETACH);
    }

    QByteArray mnt;
    bool mounted = false;
    std::string reason = "mkdir failed";
};

#define MOUNT_OR_SKIP(size)                                                                            \
    if (!MountSmall(size))                                                                             \
    GTEST_SKIP() << "cannot mount a tmpfs here (" << reason << "); the fault tests need root"

} // namespace

TEST_F(MountFault, AFullDestinationKeepsTheSourceAndLeavesNoPartialFile)
{
    MOUNT_OR_SKIP("4m");
    WriteAll(from + "/1.mp3", Pattern(3 << 20, 1));
    WriteAll(from + "/2.mp3", Pattern(3 << 20, 2));
    ui.errorAnswers = {ErrorAnswer::Stop};
    EXPECT_EQ(RunJob(ui, FileOpKind::Move, List({from + "/1.mp3", from + "/2.mp3"}), mnt), kFileOpFailed);
    ASSERT_EQ(ui.asked.size(), 1);
    EXPECT_EQ(ui.asked[0].reason, SystemReason(ENOSPC));
    EXPECT_EQ(ui.asked[0].path, mnt) << "the full destination is named, not the source";
    EXPECT_EQ(Names(mnt), QList<QByteArray>{"1.mp3"});
    EXPECT_EQ(ReadAll(mnt + "/1.mp3"), Pattern(3 << 20, 1));
    EXPECT_EQ(Names(from), QList<QByteArray>{"2.mp3"});
    EXPECT_EQ(ReadAll(from + "/2.mp3"), Pattern(3 << 20, 2));

    // The same with a folder: nothing of it shows, under its name or another.
    MakeDir(from + "/album");
    WriteAll(from + "/album/big.mp3", Pattern(3 << 20, 3));
    ui.asked.clear();
    ui.errorAnswers = {ErrorAnswer::Stop};
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/album"}), mnt), kFileOpFailed);
    EXPECT_EQ(Names(mnt), QList<QByteArray>{"1.mp3"});
    ASSERT_EQ(ui.asked.size(), 1);
    EXPECT_EQ(ui.asked[0].path, mnt);
}

TEST_F(MountFault, AMoveAcrossFileSystemsKeepsContentModeAndTime)
{
    MOUNT_OR_SKIP("64m");
    const QByteArray gbk = TextToGbk(u"老歌") + ".mp3";
    WriteAll(from + "/" + gbk, Pattern(5 << 20, 4), 0604);
    MakeDir(from + "/album");
    MakeDir(from + "/album/cd");
    WriteAll(from + "/album/cd/t.mp3", Pattern(1000, 5), 0600);
    const struct timespec times[2] = {{1200000000, 0}, {1300000000, 42}};
    for (const QByteArray& path : {from + "/" + gbk, from + "/album/cd/t.mp3", from + "/album/cd", from + "/album"})
        ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);

    EXPECT_EQ(RunJob(ui, FileOpKind::Move, List({from + "/" + gbk, from + "/album"}), mnt), kFileOpDone);
    EXPECT_TRUE(Names(from).isEmpty());
    EXPECT_EQ(Names(mnt), (QList<QByteArray>{"album", gbk}));
    EXPECT_EQ(ReadAll(mnt + "/" + gbk), Pattern(5 << 20, 4));
    EXPECT_EQ(ReadAll(mnt + "/album/cd/t.mp3"), Pattern(1000, 5));
    for (const auto& [path, mode] : {std::pair{mnt + "/" + gbk, 0604u}, std::pair{mnt + "/album/cd/t.mp3", 0600u},
                                     std::pair{mnt + "/album/cd", 0755u}}) {
        struct stat st {};
        ASSERT_EQ(::stat(path.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode) << path.constData();
        EXPECT_EQ(st.st_mtim.tv_sec, 1300000000) << path.constData();
        EXPECT_EQ(st.st_mtim.tv_nsec, 42) << path.constData();
    }
    EXPECT_TRUE(ui.asked.isEmpty());
}

TEST_F(MountFault, ACancelInTheMiddleOfAMoveLosesNothing)
{
    MOUNT_OR_SKIP("64m");
    WriteAll(from + "/big.mp3", Pattern(20 << 20, 6));
    MakeDir(from + "/album");
    WriteAll(from + "/album/a.mp3", Pattern(4 << 20, 7));
    WriteAll(from + "/album/b.mp3", Pattern(4 << 20, 8));
    ui.cancelAtBytes = 8 << 20;
    EXPECT_EQ(RunJob(ui, FileOpKind::Move, List({from + "/big.mp3"}), mnt), kFileOpCancelled);
    EXPECT_TRUE(Names(mnt).isEmpty());
    EXPECT_EQ(ReadAll(from + "/big.mp3"), Pattern(20 << 20, 6));

    ui.cancelAtBytes = 6 << 20;
    EXPECT_EQ(RunJob(ui, FileOpKind::Move, List({from + "/album"}), mnt), kFileOpCancelled);
    EXPECT_TRUE(Names(mnt).isEmpty());
    EXPECT_EQ(Names(from + "/album"), (QList<QByteArray>{"a.mp3", "b.mp3"}));
    EXPECT_EQ(ReadAll(from + "/album/a.mp3"), Pattern(4 << 20, 7));
}

TEST_F(MountFault, TrashingOnAnotherMountUsesThatMountsTrash)
{
    MOUNT_OR_SKIP("4m");
    const QByteArray uid = QByteArray::number(::getuid());
    MakeDir(mnt + "/music");
    WriteAll(mnt + "/music/a b.mp3", "a");
    ui.confirmAnswers = {true};
    EXPECT_EQ(RunJob(ui, FileOpKind::Trash, List({mnt + "/music/a b.mp3"})), kFileOpDone);
    EXPECT_FALSE(Exists(mnt + "/music/a b.mp3"));
    EXPECT_EQ(ReadAll(mnt + "/.Trash-" + uid + "/files/a b.mp3"), "a");
    const QByteArray info = ReadAll(mnt + "/.Trash-" + uid + "/info/a b.mp3.trashinfo");
    EXPECT_TRUE(info.contains("\nPath=music/a%20b.mp3\n")) << info.constData();
    struct stat st {};
    ASSERT_EQ(::lstat((mnt + "/.Trash-" + uid).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A shared, sticky .Trash takes precedence.
    ASSERT_EQ(::mkdir((mnt + "/.Trash").constData(), 01777), 0);
    ASSERT_EQ(::chmod((mnt + "/.Trash").constData(), 01777), 0);
    WriteAll(mnt + "/c.mp3", "c");
    ui.confirmAnswers = {true};
    EXPECT_EQ(RunJob(ui, FileOpKind::Trash, List({mnt + "/c.mp3"})), kFileOpDone);
    EXPECT_EQ(ReadAll(mnt + "/.Trash/" + uid + "/files/c.mp3"), "c");
    EXPECT_TRUE(ReadAll(mnt + "/.Trash/" + uid + "/info/c.mp3.trashinfo").contains("\nPath=c.mp3\n"));
}

TEST_F(MountFault, AReadOnlyMountIsReportedWithItsReasonAndNothingIsLost)
{
    MOUNT_OR_SKIP("4m");
    WriteAll(mnt + "/on-ro.mp3", "ro");
    ASSERT_TRUE(MakeReadOnly());
    WriteAll(from + "/a.mp3", "a");

    ui.errorAnswers = {ErrorAnswer::Stop};
    EXPECT_EQ(RunJob(ui, FileOpKind::Copy, List({from + "/a.mp3"}), mnt), kFileOpFailed);
    ASSERT_EQ(ui.asked.size(), 1);
    EXPECT_EQ(ui.asked[0].reason, SystemReason(EROFS));
    EXPECT_EQ(ui.asked[0].path, mnt);

    // Moving off a read-only mount copies, then cannot remove the source: both stay.
    ui.asked.clear();
    ui.errorAnswers = {ErrorAnswer::Skip};
    EXPECT_EQ(RunJob(ui, FileOpKind::Move, List({mnt + "/on-ro.mp3"}), to), kFileOpDone);
    EXPECT_EQ(ReadAll(to + "/on-ro.mp3"), "ro");
    EXPECT_EQ(ReadAll(mnt + "/on-ro.mp3"), "ro");
    ASSERT_EQ(ui.asked.size(), 1);
    EXPECT_EQ(ui.asked[0].reason, SystemReason(EROFS));

    // No trash can be had there: the user is asked before anything is erased.
    ui.asked.clear();
    ui.confirmAnswers = {true, false};
    EXPECT_EQ(RunJob(ui, FileOpKind::Trash, List({mnt + "/on-ro.mp3"})), kFileOpDone);
    EXPECT_EQ(ui.Kinds(), (QStringList{"trash", "forgood"}));
    EXPECT_TRUE(Exists(mnt + "/on-ro.mp3"));
    EXPECT_EQ(ui.unanswered, 0);
}
