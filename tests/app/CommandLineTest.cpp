// The command line of a later start: its bytes on the way to the first copy, and the files it names.
#include "app/CommandLine.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

const CommandLine kLine{"/home/\xd2\xf4", {"\xd2\xf4\xc0\xd6.mp3", "/m/a b.mp3", ""}};

// Feeds bytes in pieces of the given size; the reader's last state.
CommandLineReader::State feed(CommandLineReader& reader, const QByteArray& bytes, qsizetype piece)
{
    for (qsizetype at = 0; at < bytes.size() && reader.Current() == CommandLineReader::State::More; at += piece)
        reader.Feed(QByteArrayView(bytes).sliced(at, qMin(piece, bytes.size() - at)));
    return reader.Current();
}

} // namespace

TEST(CommandLineBytes, TravelWholeInAnyPiecesAndWhatIsNoneOrTooMuchIsRefused)
{
    using State = CommandLineReader::State;
    const QByteArray sent = EncodeCommandLine(kLine);
    for (qsizetype piece : {qsizetype(1), qsizetype(3), sent.size()}) {
        CommandLineReader reader;
        EXPECT_EQ(feed(reader, sent.chopped(1), piece), State::More);
        EXPECT_EQ(reader.Feed(sent.right(1)), State::Done);
        EXPECT_EQ(reader.Line(), kLine);
    }
    const QByteArray past = EncodeCommandLine(kLine) + "x";
    const QByteArray bigPiece = QByteArray("\0\0\0\2\0\0\0\0\0\x10\0\0", 12);
    for (const QByteArray& broken : {QByteArray("\0\0\0\0", 4), QByteArray("\xff\xff\xff\xff", 4), past, bigPiece}) {
        CommandLineReader reader;
        EXPECT_EQ(reader.Feed(broken), State::Bad) << broken.toHex().constData();
    }

    // The caps: paths and bytes beyond them are left out by the sender and refused by the reader.
    CommandLine many{"/", QList<QByteArray>(kMaxHandOverPaths + 5, "a")};
    qsizetype dropped = 0;
    EXPECT_EQ(WithinHandOverCaps(many, dropped).arguments.size(), kMaxHandOverPaths);
    EXPECT_EQ(dropped, 5);
    CommandLineReader tooMany;
    EXPECT_EQ(tooMany.Feed(EncodeCommandLine(many)), State::Bad);
    CommandLine large{"/", QList<QByteArray>(3, QByteArray(kMaxHandOverBytes / 2, 'x'))};
    const CommandLine fits = WithinHandOverCaps(large, dropped);
    EXPECT_EQ(dropped, 2);
    CommandLineReader reader;
    EXPECT_EQ(reader.Feed(EncodeCommandLine(fits)), State::Done);
    EXPECT_EQ(reader.Line(), fits);
    CommandLineReader tooLarge;
    EXPECT_EQ(feed(tooLarge, EncodeCommandLine(large), 4096), State::Bad);
    EXPECT_LE(tooLarge.BytesRead(), kMaxHandOverBytes + 4096);
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

