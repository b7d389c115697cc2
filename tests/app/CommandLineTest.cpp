// The command line of a later start: its bytes on the way to the first copy, and the files it names.
#include "app/CommandLine.h"
#include "app/TRunningCopy.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QSignalSpy>

namespace {

const CommandLine kLine{"/home/\xd2\xf4", {"\xd2\xf4\xc0\xd6.mp3", "/m/a b.mp3", ""}};

} // namespace

TEST(CommandLineBytes, TravelWholeInPiecesAndABrokenStreamIsRefused)
{
    const QByteArray sent = EncodeCommandLine(kLine) + EncodeCommandLine({"/", {}});
    QByteArray buffer;
    bool bad = false;
    // Byte by byte: nothing is taken before a whole command line is there.
    QList<CommandLine> taken;
    for (char c : sent) {
        buffer.append(c);
        while (const std::optional<CommandLine> line = TakeCommandLine(buffer, bad))
            taken.append(*line);
        ASSERT_FALSE(bad);
    }
    EXPECT_EQ(taken, (QList<CommandLine>{kLine, {"/", {}}}));
    EXPECT_TRUE(buffer.isEmpty());

    for (QByteArray broken : {QByteArray("\0\0\0\0", 4), QByteArray("\xff\xff\xff\xff", 4),
                              QByteArray("\0\0\0\1\x7f\0\0\0", 8)}) {
        EXPECT_FALSE(TakeCommandLine(broken, bad).has_value());
        EXPECT_TRUE(bad) << broken.toHex().constData();
    }
}

TEST(CommandLinePaths, RelativePathsLieBelowTheSendersFolder)
{
    EXPECT_EQ(AbsolutePaths(kLine), (QList<QByteArray>{"/home/\xd2\xf4/\xd2\xf4\xc0\xd6.mp3", "/m/a b.mp3"}));
}

TEST(CommandLinePaths, TheFirstExistingFilesFolderWithTheGivenFilesInIt)
{
    TempFolder dir;
    const QByteArray music = dir.MakeDir("\xd2\xf4\xc0\xd6");
    dir.MakeFile("\xd2\xf4\xc0\xd6/b.mp3", "b");
    dir.MakeFile("\xd2\xf4\xc0\xd6/a.mp3", "a");
    dir.MakeFile("other/c.mp3", "c");
    const FilesToOpen files = FilesInFolderOfFirst(
        {dir.At("gone.mp3"), dir.At("\xd2\xf4\xc0\xd6/./b.mp3"), dir.At("other/c.mp3"), dir.At("other/../\xd2\xf4\xc0\xd6/a.mp3")});
    EXPECT_EQ(files.folder, music + "/");
    EXPECT_EQ(files.names, (QList<QByteArray>{"b.mp3", "a.mp3"}));

    const FilesToOpen folder = FilesInFolderOfFirst({music, dir.At("other/c.mp3")});
    EXPECT_EQ(folder.folder, music + "/");
    EXPECT_TRUE(folder.names.isEmpty());
    EXPECT_TRUE(FilesInFolderOfFirst({dir.At("gone.mp3")}).folder.isEmpty());
}

TEST(RunningCopy, TheFirstStartListensAndALaterOneHandsItsCommandLineOver)
{
    TempFolder dir;
    const QString socket = QString::fromUtf8(dir.At("copy"));
    TRunningCopy first(socket);
    ASSERT_FALSE(first.HandOver({"/", {}}));
    ASSERT_TRUE(first.Listening());
    QSignalSpy arrived(&first, &TRunningCopy::CommandLineArrived);

    TRunningCopy later(socket);
    EXPECT_TRUE(later.HandOver(kLine));
    EXPECT_FALSE(later.Listening());
    ASSERT_TRUE(arrived.wait());
    EXPECT_EQ(arrived.at(0).at(0).value<CommandLine>(), kLine);

    // Garbage from another program ends its connection and nothing else.
    QLocalSocket stranger;
    stranger.connectToServer(socket);
    ASSERT_TRUE(stranger.waitForConnected());
    stranger.write(QByteArray("\xff\xff\xff\xff", 4));
    QSignalSpy ended(&stranger, &QLocalSocket::disconnected);
    ASSERT_TRUE(stranger.waitForBytesWritten());
    EXPECT_TRUE(ended.wait());
    EXPECT_EQ(arrived.size(), 1);
}

TEST(RunningCopy, ASocketLeftByACopyThatEndedIsTakenOver)
{
    TempFolder dir;
    const QString socket = QString::fromUtf8(dir.At("copy"));
    dir.MakeFile("copy", "left over");
    TRunningCopy first(socket);
    EXPECT_FALSE(first.HandOver({"/", {}}));
    EXPECT_TRUE(first.Listening());
}
