// Converting a tag to Unicode: what an independent reader finds afterwards, and what stays byte for byte.
#include "TaggedFiles.h"
#include "tags/UnicodeTag.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>

namespace {

using TagLib::String;
using tagged::Raw;
using tagged::Text;

const QByteArray kPicture("\x89PNG\r\n\x1A\n\x00\x01\x02\xFF", 12);

QByteArray afterTag(const QByteArray& path)
{
    return TempFolder::ReadBytes(path).mid(tagged::Mutagen(path).value(QStringLiteral("size")).toInt());
}

QList<QByteArray> names(const QByteArray& folder)
{
    QList<QByteArray> found;
    DIR* dir = ::opendir(folder.constData());
    while (const dirent* entry = dir ? ::readdir(dir) : nullptr)
        if (entry->d_name[0] != '.' || (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0))
            found.append(entry->d_name);
    if (dir)
        ::closedir(dir);
    std::sort(found.begin(), found.end());
    return found;
}

class UnicodeTag : public ::testing::Test {
protected:
    // An ID3v2.3 tag of GBK declared ISO-8859-1 with a picture and lyrics, and an ID3v1 tag whose
    // title is the first 30 bytes of the long one.
    QByteArray MakeChineseFile(const QByteArray& name)
    {
        const QByteArray path = tagged::Copy(dir_, "tone.mp3", name);
        tagged::WriteId3v2(path, 3,
                           {{"TIT2", String::Latin1, Raw(kLongGbkTitle)},
                            {"TPE1", String::UTF16, Text(QStringLiteral("王菲"))},
                            {"TDRC", String::Latin1, Raw("1999")},
                            {"COMM", String::Latin1, Raw(tagged::kGbkTitle)},
                            {"APIC", String::Latin1, Raw(kPicture.toHex())},
                            {"USLT", String::UTF16, Text(QStringLiteral("歌词"))}});
        tagged::AppendId3v1(path, kLongGbkTitle.left(30), tagged::kGbkArtist);
        return path;
    }

    // 光辉岁月 four times: 32 bytes, more than an ID3v1 field holds.
    const QByteArray kLongGbkTitle = tagged::kGbkTitle.repeated(4);
    const QString kLongTitle = QStringLiteral("光辉岁月光辉岁月光辉岁月光辉岁月");
    // What the row shows: the ID3v1 tag, whose title is cut at 15 characters.
    const TagFieldTexts kRow = {QStringLiteral("光辉岁月光辉岁月光辉岁月光辉岁"), QStringLiteral("彼寸"), {}, {}, {}};
    TempFolder dir_;
};

TEST_F(UnicodeTag, WritesUtf8FramesAndKeepsTheRestByteForByte)
{
    const QByteArray path = MakeChineseFile("a.mp3");
    const QByteArray before = TempFolder::ReadBytes(path);
    const QByteArray audioBefore = afterTag(path);
    const UnicodePlan plan = PlanUnicode(path, kRow);
    EXPECT_FALSE(plan.unchanged);
    // The ID3v2 title extends the cut ID3v1 one and is kept whole; the artist is the row's (ID3v1) one.
    EXPECT_EQ(plan.texts, (TagFieldTexts {kLongTitle, QStringLiteral("彼寸"), {}, QStringLiteral("1999"),
                                          QStringLiteral("光辉岁月")}));
    ::chmod(path.constData(), 0640);

    const TagWriteResult result = WriteUnicodeTag(path, plan.texts);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const auto found = tagged::Mutagen(path);
    EXPECT_EQ(found.value("version"), "2.4");
    EXPECT_EQ(found.value("TIT2"), "3:" + kLongTitle);
    EXPECT_EQ(found.value("TPE1"), "3:彼寸");
    EXPECT_EQ(found.value("TDRC"), "3:1999");
    EXPECT_EQ(found.value("COMM"), "3:光辉岁月");
    EXPECT_FALSE(found.contains("TALB"));
    EXPECT_EQ(found.value("APIC"), QString::fromLatin1(kPicture.toHex()));
    EXPECT_EQ(found.value("USLT"), "歌词");
    EXPECT_EQ(afterTag(path), audioBefore) << "the audio frames and the ID3v1 tag";
    EXPECT_EQ(TempFolder::ReadBytes(path).right(128), before.right(128));
    struct stat st {};
    ASSERT_EQ(::stat(path.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(names(dir_.Path()), QList<QByteArray>{"a.mp3"}) << "no copy left behind";
    // Once written, the file is readable everywhere: a second conversion leaves it alone.
    EXPECT_TRUE(PlanUnicode(path, kRow).unchanged);
}

TEST_F(UnicodeTag, AnId3v1OnlyFileGetsAnId3v2Tag)
{
    const QByteArray path = tagged::Copy(dir_, "tone.mp3", "v1.mp3");
    tagged::AppendId3v1(path, tagged::kGbkTitle, tagged::kGbkArtist);
    const QByteArray before = TempFolder::ReadBytes(path);
    const TagFieldTexts row = {QStringLiteral("光辉岁月"), QStringLiteral("彼寸"), {}, {}, {}};
    const UnicodePlan plan = PlanUnicode(path, row);
    EXPECT_FALSE(plan.unchanged);
    EXPECT_EQ(plan.texts, row);
    ASSERT_TRUE(WriteUnicodeTag(path, plan.texts).ok);
    EXPECT_EQ(tagged::Mutagen(path).value("TIT2"), "3:光辉岁月");
    EXPECT_EQ(afterTag(path), before);
}

TEST_F(UnicodeTag, ReadableFilesAreUnchanged)
{
    const QByteArray unicode = tagged::Copy(dir_, "tone.mp3", "utf16.mp3");
    tagged::WriteId3v2(unicode, 3, {{"TIT2", String::UTF16, Text(QStringLiteral("红豆"))}});
    EXPECT_TRUE(PlanUnicode(unicode, {QStringLiteral("红豆"), {}, {}, {}, {}}).unchanged);
    const QByteArray ascii = tagged::Copy(dir_, "tone.mp3", "ascii.mp3");
    tagged::AppendId3v1(ascii, "Hello", "World");
    EXPECT_TRUE(PlanUnicode(ascii, {QStringLiteral("Hello"), QStringLiteral("World"), {}, {}, {}}).unchanged);
    // An ISO-8859-1 "Café" is read as such by every player, but an ID3v1 "Café" is not.
    const QByteArray cafe = tagged::Copy(dir_, "tone.mp3", "cafe.mp3");
    tagged::WriteId3v2(cafe, 3, {{"TIT2", String::Latin1, Raw("Caf\xE9")}});
    EXPECT_FALSE(PlanUnicode(cafe, {QStringLiteral("Café"), {}, {}, {}, {}}).unchanged);
}

TEST_F(UnicodeTag, AReadOnlyFileIsLeftWithItsReason)
{
    const QByteArray path = MakeChineseFile("ro.mp3");
    const QByteArray before = TempFolder::ReadBytes(path);
    ::chmod(path.constData(), 0444);
    const TagWriteResult result = WriteUnicodeTag(path, PlanUnicode(path, kRow).texts);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, QStringLiteral("文件只读"));
    EXPECT_EQ(TempFolder::ReadBytes(path), before);
}

TEST_F(UnicodeTag, AFullFileSystemLeavesTheOriginalWhole)
{
    const QByteArray mnt = dir_.MakeDir("mnt");
    if (::mount("tmpfs", mnt.constData(), "tmpfs", 0, "size=64k,mode=0755") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno) << "); the test needs root";
    const QByteArray frames = TempFolder::ReadBytes(MELVANE_FIXTURES "/tags/tone.mp3");
    // 40 KB cannot be there twice: the copy fails. Just under 32 KB can, but the copy cannot grow by
    // a tag: TagLib's own write fails, which it does not tell.
    for (const int size : {40 * 1024, 32 * 1024 - 300}) {
        const QByteArray path = mnt + "/big.mp3";
        ASSERT_TRUE(TempFolder::WriteBytes(path, frames.repeated(size / frames.size() + 1).left(size - 128)));
        tagged::AppendId3v1(path, tagged::kGbkTitle, tagged::kGbkArtist);
        const QByteArray before = TempFolder::ReadBytes(path);
        const TagWriteResult result = WriteUnicodeTag(path, {QStringLiteral("光辉岁月"), {}, {}, {}, {}});
        EXPECT_FALSE(result.ok) << size;
        if (size > 32 * 1024) {
            EXPECT_EQ(result.error, QString::fromLocal8Bit(std::strerror(ENOSPC)));
        }
        EXPECT_EQ(TempFolder::ReadBytes(path), before) << size;
        EXPECT_EQ(names(mnt), QList<QByteArray>{"big.mp3"}) << size;
    }
    ::umount2(mnt.constData(), MNT_DETACH);
}

} // namespace
