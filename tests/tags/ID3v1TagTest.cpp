#include "tags/ID3v1Tag.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

#include <cstring>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray block(const char* title, const char* artist, unsigned char genre)
{
    QByteArray b(128, '\0');
    std::memcpy(b.data(), "TAG", 3);
    std::memcpy(b.data() + 3, title, std::strlen(title));
    std::memcpy(b.data() + 33, artist, std::strlen(artist));
    std::memcpy(b.data() + 63, "Album", 5);
    std::memcpy(b.data() + 93, "1999", 4);
    std::memcpy(b.data() + 97, "Note", 4);
    b[127] = static_cast<char>(genre);
    return b;
}

class TagFile : public testing::Test {
protected:
    QByteArray path(const char* name) const { return dir_.At(name); }
    QByteArray make(const char* name, const QByteArray& content) const { return dir_.MakeFile(name, content); }
    static QByteArray contents(const QByteArray& p) { return TempFolder::ReadBytes(p); }

    static ID3v1Tag prepared()
    {
        ID3v1Tag tag {};
        ClearID3Tag(tag);
        return tag;
    }

    TempFolder dir_;
    const QByteArray audio_ = QByteArray(1000, '\x55');
};

TEST_F(TagFile, WriteMergesFieldByFieldAndKeepsTheGenre)
{
    const QByteArray p = make("a.mp3", audio_ + block("Old title", "Artist", 17));
    ID3v1Tag tag = prepared();
    std::memcpy(tag.Title, "New", 3);
    tag.Genre = 99;
    EXPECT_EQ(WriteID3v1Tag(p, tag), kTagWritten);

    QByteArray expected = audio_ + block("Old title", "Artist", 17);
    std::memset(expected.data() + 1000 + 3, 0, 30);
    std::memcpy(expected.data() + 1000 + 3, "New", 3);
    EXPECT_EQ(contents(p), expected);
}

TEST_F(TagFile, ANewCommentKeepsTheID3v11TrackWhereItLeavesTheLastTwoBytesFree)
{
    QByteArray old = block("T", "A", 1);
    old[97 + 29] = 7;
    const QByteArray p = make("a.mp3", audio_ + old);
    ID3v1Tag tag = prepared();
    std::memcpy(tag.Comment, "twenty-eight bytes of commen", 28);
    EXPECT_EQ(WriteID3v1Tag(p, tag), kTagWritten);
    EXPECT_EQ(contents(p).right(128).mid(97, 30), QByteArray("twenty-eight bytes of commen") + '\0' + '\x07');

    // A comment of 29 bytes takes the zero byte that marks the track: it ends the comment instead.
    std::memcpy(tag.Comment, "twenty-nine bytes of comment!", 29);
    EXPECT_EQ(WriteID3v1Tag(p, tag), kTagWritten);
    EXPECT_EQ(contents(p).right(128).mid(97, 30), QByteArray("twenty-nine bytes of comment!") + '\0');
}

TEST_F(TagFile, AllEmptyFieldsRewriteTheOldTagUnchanged)
{
    const QByteArray original = audio_ + block("Title", "Artist", 3);
    const QByteArray p = make("a.mp3", original);
    EXPECT_EQ(WriteID3v1Tag(p, prepared()), kTagWritten);
    EXPECT_EQ(contents(p), original);
}

TEST_F(TagFile, WritingTwiceKeepsOneTagAndTheSize)
{
    const QByteArray p = make("a.mp3", audio_ + block("T", "A", 0));
    ID3v1Tag tag = prepared();
    std::memcpy(tag.Artist, "Second", 6);
    EXPECT_EQ(WriteID3v1Tag(p, tag), kTagWritten);
    EXPECT_EQ(WriteID3v1Tag(p, tag), kTagWritten);
    const QByteArray after = contents(p);
    EXPECT_EQ(after.size(), 1128);
    EXPECT_EQ(after.left(1000), audio_);
    EXPECT_EQ(after.mid(1000 + 33, 7), QByteArray("Second\0", 7));
}

TEST_F(TagFile, NoTagIsEverAdded)
{
    const QByteArray p = make("plain.mp3", audio_);
    ID3v1Tag tag = prepared();
    std::memcpy(tag.Title, "X", 1);
    EXPECT_EQ(WriteID3v1Tag(p, tag), kTagMissing);
    EXPECT_EQ(contents(p), audio_);
}

TEST_F(TagFile, FilesShorterThanATagCountAsUntagged)
{
    const QByteArray shortTag = block("Short", "A", 0).left(100);
    const QByteArray p = make("short.mp3", shortTag);
    ID3v1Tag read {};
    EXPECT_TRUE(ReadID3v1Tag(p, read));
    EXPECT_FALSE(HasTagHeader(read));
    EXPECT_EQ(WriteID3v1Tag(p, prepared()), kTagMissing);
    EXPECT_EQ(contents(p), shortTag);
}

TEST_F(TagFile, ReadOnlyFileIsWrittenAndReadOnlyAgain)
{
    const QByteArray p = make("ro.mp3", audio_ + block("Old", "A", 0));
    ASSERT_EQ(::chmod(p.constData(), 0444), 0);
    ID3v1Tag tag = prepared();
    std::memcpy(tag.Title, "New", 3);
    EXPECT_EQ(WriteID3v1Tag(p, tag), kTagWritten);
    struct stat st {};
    ::stat(p.constData(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(contents(p).mid(1003, 4), QByteArray("New\0", 4));
}

// Runs a write as the unprivileged user "nobody" in a child process; its exit code is the result.
int WriteAsNobody(const QByteArray& file, const ID3v1Tag& tag)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setresgid(65534, 65534, 65534) == 0
                             && ::setresuid(65534, 65534, 65534) == 0;
        ::_exit(dropped ? WriteID3v1Tag(file, tag) : 100);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

TEST_F(TagFile, FileTheUserMayNotMakeWritableGives3AndStaysUntouched)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "making a file of another owner needs root";
    // A read-only file of root's in a folder that nobody may enter but not change.
    ASSERT_EQ(::chmod(dir_.Path().constData(), 0755), 0);
    const QByteArray original = audio_ + block("Root's", "A", 0);
    const QByteArray p = make("theirs.mp3", original);
    ASSERT_EQ(::chmod(p.constData(), 0444), 0);
    ID3v1Tag tag = prepared();
    std::memcpy(tag.Title, "Nobody's", 8);

    EXPECT_EQ(WriteAsNobody(p, tag), kTagReadOnly);
    EXPECT_EQ(contents(p), original);
    struct stat st {};
    ASSERT_EQ(::stat(p.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(st.st_uid, 0u);
}

TEST_F(TagFile, ResultCodesForNamesAndMissingFiles)
{
    EXPECT_EQ(WriteID3v1Tag(path("missing.mp3"), prepared()), kTagReadOnly);
    EXPECT_EQ(WriteID3v1Tag(path("missing.wav"), prepared()), kTagNotMp3);
    const QByteArray wav = make("a.wav", audio_ + block("T", "A", 0));
    EXPECT_EQ(WriteID3v1Tag(wav, prepared()), kTagNotMp3);
}

TEST_F(TagFile, UnopenableFileReportsTheSystemError)
{
    const QByteArray folder = path("folder.mp3");
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    QString error;
    EXPECT_EQ(WriteID3v1Tag(folder, prepared(), &error), kTagIoError);
    EXPECT_TRUE(error.contains(QStringLiteral("folder.mp3")));

    const QByteArray loop = path("loop.mp3");
    ASSERT_EQ(::symlink("loop.mp3", loop.constData()), 0);
    ID3v1Tag looped {};
    error.clear();
    EXPECT_FALSE(ReadID3v1Tag(loop, looped, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("loop.mp3")));

    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files without permission";
    const QByteArray locked = make("locked.mp3", audio_ + block("T", "A", 0));
    ::chmod(locked.constData(), 0);
    ID3v1Tag tag {};
    error.clear();
    EXPECT_FALSE(ReadID3v1Tag(locked, tag, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(HasTagHeader(tag));
}

TEST_F(TagFile, ReadCopiesTheLastBlockOfMp3NamesOnly)
{
    const QByteArray tagged = audio_ + block("Song", "A", 5);
    ID3v1Tag upper {}, lower {}, wav {};
    EXPECT_TRUE(ReadID3v1Tag(make("x.MP3", tagged), upper));
    EXPECT_TRUE(ReadID3v1Tag(make("x.mp3", tagged), lower));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&upper), 128), tagged.right(128));
    EXPECT_EQ(std::memcmp(&upper, &lower, 128), 0);
    std::memset(&wav, 0x7A, sizeof wav);
    EXPECT_TRUE(ReadID3v1Tag(make("x.wav", tagged), wav));
    EXPECT_EQ(wav.Title[0], 0x7A);
    ID3v1Tag missing {};
    EXPECT_TRUE(ReadID3v1Tag(path("gone.mp3"), missing));
    EXPECT_FALSE(HasTagHeader(missing));
}

TEST(TagFields, TextRuleCutsAtZeroAndTrimsBlanksAndControls)
{
    ID3v1Tag tag {};
    std::memcpy(tag.Title, "  abc", 5);
    std::memset(tag.Comment, 'c', 30);
    std::memcpy(tag.Artist, "\t\x01Name \r\n\0tail", 14);
    EXPECT_EQ(FieldBytes(tag.Title), "abc");
    EXPECT_EQ(FieldBytes(tag.Comment), QByteArray(30, 'c'));
    EXPECT_EQ(FieldBytes(tag.Artist), "Name");
    EXPECT_EQ(FieldBytes(tag.Album), "");
    std::memcpy(tag.Album, "\xC4\xE3\xBA\xC3", 4);
    EXPECT_EQ(FieldText(tag.Album), QStringLiteral("你好"));
}

TEST(TagFields, ClearKeepsOnlyTheGenre)
{
    ID3v1Tag tag;
    std::memset(&tag, 'x', sizeof tag);
    tag.Genre = 42;
    ClearID3Tag(tag);
    EXPECT_TRUE(HasTagHeader(tag));
    EXPECT_EQ(FieldBytes(tag.Title), "");
    EXPECT_EQ(tag.Year[3], 0);
    EXPECT_EQ(tag.Comment[29], 0);
    EXPECT_EQ(tag.Genre, 42);
}

TEST(TagFields, Mp3NameTest)
{
    EXPECT_TRUE(IsMp3Name("a.mp3"));
    EXPECT_TRUE(IsMp3Name("/x/B.Mp3"));
    EXPECT_FALSE(IsMp3Name("a.mp3.bak"));
    EXPECT_FALSE(IsMp3Name("mp3"));
    EXPECT_FALSE(IsMp3Name("/music.mp3/readme"));
    EXPECT_FALSE(IsMp3Name("a.mp4"));
}

} // namespace
