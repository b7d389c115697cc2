#include "FolderFixture.h"

#include "panes/FileIcons.h"
#include "panes/FileListModel.h"
#include "tags/ID3v1Tag.h"

#include <QSet>

#include <cstdlib>
#include <optional>

namespace {

class CountingIcons : public IFileIcons {
public:
    QIcon SmallFileIcon(const QByteArray& path) override
    {
        asked.append(path);
        return QIcon();
    }
    QList<QByteArray> asked;
};

class FillFileListTest : public FolderFixture {
protected:
    FillFileListTest() { list_.SetColumns(head_.ColumnTitles); }

    void Fill(const QString& mask = QStringLiteral("*.*"), const QLocale& locale = QLocale::c())
    {
        FillFileList(list_, Folder(), panels_, mask, head_, locale, icons_);
    }

    std::optional<FileRow> Find(const QString& caption) const
    {
        for (int r = 0; r < list_.RowCount(); ++r)
            if (list_.Row(r).caption == caption)
                return list_.Row(r);
        return std::nullopt;
    }

    QStringList Captions() const
    {
        QStringList captions;
        for (int r = 0; r < list_.RowCount(); ++r)
            captions.append(list_.Row(r).caption);
        captions.sort();
        return captions;
    }

    FileListModel list_;
    RecordingPanels panels_;
    CountingIcons icons_;
};

TEST_F(FillFileListTest, SkipsEmptyFilesFoldersAndShortcuts)
{
    Make("empty.mp3", "");
    dir_.MakeDir("sub");
    Make("a.lnk", "x");
    Make("B.LNK", "x");
    Make("c.Lnk", "x");
    Fill();
    EXPECT_EQ(list_.RowCount(), 0);
    EXPECT_EQ(panels_.Text(0), QStringLiteral("文件数:0"));

    head_.bShowHideSys = true;
    Fill();
    EXPECT_EQ(list_.RowCount(), 0);
}

TEST_F(FillFileListTest, MaskMatchesWithoutCase)
{
    Make("a.mp3", "x");
    Make("B.MP3", "x");
    Make("c.wav", "x");
    Make("readme", "x");
    Fill(QStringLiteral("*.mp3"));
    EXPECT_EQ(Captions(), QStringList({"B.MP3", "a.mp3"}));
    Fill(QStringLiteral("*.*"));
    EXPECT_EQ(list_.RowCount(), 4);
    Fill(QStringLiteral("*.mid"));
    EXPECT_EQ(list_.RowCount(), 0);
}

TEST_F(FillFileListTest, TypeCellIsTheExtensionOfAtMostFiveCharacters)
{
    Make("song.MPEG3", "x");
    Make("readme", "x");
    Make("a.abcdefgh", "x");
    Fill();
    EXPECT_EQ(Find("song.MPEG3")->cells[0], QStringLiteral("MPEG3"));
    EXPECT_EQ(Find("readme")->cells[0], QString());
    EXPECT_EQ(Find("a.abcdefgh")->cells[0], QStringLiteral("abcde"));
    EXPECT_EQ(Find("readme")->cells.size(), 4);
}

TEST_F(FillFileListTest, SizeTextsInKilobytesAndMegabytes)
{
    Make("small.wav", QByteArray(500, 'x'));
    Make("k.wav", QByteArray(1023, 'x'));
    MakeSized("big.wav", 2500000);
    MakeSized("one.wav", 1048576);
    Fill();
    EXPECT_EQ(Find("small.wav")->cells[1], QStringLiteral("0KB"));
    EXPECT_EQ(Find("k.wav")->cells[1], QStringLiteral("0KB"));
    EXPECT_EQ(Find("big.wav")->cells[1], QStringLiteral("2441KB"));

    head_.iFileSizeUnit = 1;
    Fill(QStringLiteral("*.*"), QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Find("small.wav")->cells[1], QStringLiteral("0,000477MB"));
    EXPECT_EQ(Find("big.wav")->cells[1], QStringLiteral("2,38MB"));
    EXPECT_EQ(Find("one.wav")->cells[1], QStringLiteral("1MB"));
}

TEST_F(FillFileListTest, SizesOfTwoAndFourGibibytesAreListedTrue)
{
    MakeSized("two.wav", 2147483648LL);
    MakeSized("four.wav", 4294967296LL);
    MakeSized("five.wav", 5368709120LL);
    Fill();
    ASSERT_EQ(list_.RowCount(), 3);
    EXPECT_EQ(Find("two.wav")->cells[1], QStringLiteral("2097152KB"));
    EXPECT_EQ(Find("four.wav")->cells[1], QStringLiteral("4194304KB"));
    EXPECT_EQ(Find("five.wav")->cells[1], QStringLiteral("5242880KB"));
    head_.iFileSizeUnit = 1;
    Fill();
    EXPECT_EQ(Find("four.wav")->cells[1], QStringLiteral("4.1E3MB"));
}

TEST_F(FillFileListTest, AttributeWordsAndHiddenFiles)
{
    Make("plain.wav", "x");
    ::chmod(Make("ro.wav", "x").constData(), 0444);
    ::chmod(Make(".hidden-ro.wav", "x").constData(), 0444);
    Make(".hidden.wav", "x");
    Fill();
    EXPECT_EQ(Captions(), QStringList({"plain.wav", "ro.wav"}));
    EXPECT_EQ(Find("plain.wav")->cells[2], QStringLiteral("无属性文件"));
    EXPECT_EQ(Find("ro.wav")->cells[2], QStringLiteral("只读"));

    head_.bShowHideSys = true;
    Fill();
    EXPECT_EQ(list_.RowCount(), 4);
    EXPECT_EQ(Find(".hidden.wav")->cells[2], QStringLiteral("隐藏"));
    EXPECT_EQ(Find(".hidden-ro.wav")->cells[2], QStringLiteral("只读/隐藏"));
}

class LocalTimeZone {
public:
    explicit LocalTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            old_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~LocalTimeZone()
    {
        if (old_.isEmpty())
            ::unsetenv("TZ");
        else
            ::setenv("TZ", old_.constData(), 1);
        ::tzset();
    }

private:
    QByteArray old_;
};

TEST_F(FillFileListTest, TimeTextsAtTwoSecondsInTheUsersFormats)
{
    const LocalTimeZone zone("UTC");
    SetTime(Make("odd.wav", "x"), 1709644029);      // 2024-03-05 13:07:09
    SetTime(Make("midnight.wav", "x"), 1709596801); // 2024-03-05 00:00:01
    SetTime(Make("morning.wav", "x"), 1709622002);  // 2024-03-05 07:00:02

    Fill(QStringLiteral("*.*"), QLocale(QLocale::Chinese, QLocale::China));
    EXPECT_EQ(Find("odd.wav")->cells[3], QStringLiteral("2024/3/5 13:07:08"));
    EXPECT_EQ(Find("midnight.wav")->cells[3], QStringLiteral("2024/3/5"));
    EXPECT_EQ(Find("morning.wav")->cells[3], QStringLiteral("2024/3/5 07:00:02"));

    Fill(QStringLiteral("*.*"), QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Find("odd.wav")->cells[3], QStringLiteral("3/5/24 1:07:08 PM"));
    EXPECT_EQ(Find("midnight.wav")->cells[3], QStringLiteral("3/5/24"));
}

TEST_F(FillFileListTest, TagCellsOfMp3Files)
{
    Make("padded.mp3", TaggedMp3("   Title   "));
    QByteArray zeroTitle = TaggedMp3("");
    Make("zero.mp3", zeroTitle);
    Make("untagged.mp3", QByteArray(300, '\x22'));
    Make("short.mp3", "TAGshort");
    Make("tagged.wav", TaggedMp3("Wave"));
    Make("chinese.mp3", TaggedMp3("\xC4\xE3\xBA\xC3", "\xD6\xD0"));
    Fill();
    EXPECT_EQ(Find("padded.mp3")->cells.mid(4),
              QStringList({"Title", "Artist", "Album", "2001", "Comment"}));
    EXPECT_EQ(Find("zero.mp3")->cells[4], QString());
    EXPECT_EQ(Find("untagged.mp3")->cells.mid(4), QStringList(5, QString()));
    EXPECT_EQ(Find("short.mp3")->cells.mid(4), QStringList(5, QString()));
    EXPECT_EQ(Find("tagged.wav")->cells.size(), 4);
    EXPECT_EQ(Find("chinese.mp3")->cells[4], QStringLiteral("你好"));
    EXPECT_EQ(Find("chinese.mp3")->cells[5], QStringLiteral("中"));
}

TEST_F(FillFileListTest, PlayingFileRowHasNoTagCells)
{
    Make("playing.mp3", TaggedMp3("Now"));
    Make("other.mp3", TaggedMp3("Other"));
    head_.PlayingFile = Folder() + "playing.mp3";
    Fill();
    EXPECT_EQ(Find("playing.mp3")->cells.size(), 4);
    EXPECT_EQ(Find("other.mp3")->cells.size(), 9);
}

TEST_F(FillFileListTest, UnreadableMp3GetsEmptyTagCellsAndTheListingGoesOn)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files without permission";
    ::chmod(Make("locked.mp3", TaggedMp3("Secret")).constData(), 0);
    Make("a.wav", "x");
    Make("b.mp3", TaggedMp3("B"));
    Fill();
    ASSERT_EQ(list_.RowCount(), 3);
    EXPECT_EQ(Find("locked.mp3")->cells.mid(4), QStringList(5, QString()));
    EXPECT_EQ(Find("b.mp3")->cells[4], QStringLiteral("B"));
    EXPECT_EQ(panels_.Text(0), QStringLiteral("文件数:3"));
}

TEST_F(FillFileListTest, OnlyTheCellsOfListedColumns)
{
    head_.ColumnTitles = QStringLiteral("文件名;大小;音乐名");
    list_.SetColumns(head_.ColumnTitles);
    Make("a.mp3", TaggedMp3("T", "A", 1024));
    Fill();
    EXPECT_EQ(list_.Row(0).cells, QStringList({"1KB", "T"}));
    EXPECT_EQ(panels_.Text(2), QStringLiteral("大小合计:1KB"));
}

TEST_F(FillFileListTest, IconsOncePerExtensionWithTheFixedImageForExe)
{
    Make("a.EXE", "x");
    Make("b.exe", "x");
    Make("one.ico", "x");
    Make("two.ICO", "x");
    Make("readme", "x");
    Fill();
    EXPECT_EQ(Find("a.EXE")->imageIndex, 0);
    EXPECT_EQ(Find("b.exe")->imageIndex, 0);
    const int ico = Find("one.ico")->imageIndex;
    EXPECT_GE(ico, 1);
    EXPECT_EQ(Find("two.ICO")->imageIndex, ico);
    EXPECT_GE(Find("readme")->imageIndex, 1);
    EXPECT_NE(Find("readme")->imageIndex, ico);
    EXPECT_EQ(icons_.asked.size(), 2);
    EXPECT_EQ(list_.ImageCount(), 3);

    Fill(); // a new listing fetches afresh and keeps only image 0 besides
    EXPECT_EQ(icons_.asked.size(), 4);
    EXPECT_EQ(list_.ImageCount(), 3);
}

TEST_F(FillFileListTest, MissingFolderListsNothingAndStillWritesTheStatus)
{
    panels_.SetPanelText(0, QStringLiteral("stale"));
    FillFileList(list_, Folder() + "gone/", panels_, QStringLiteral("*.*"), head_, QLocale::c(), icons_);
    EXPECT_EQ(list_.RowCount(), 0);
    EXPECT_EQ(panels_.Texts(), QList<QString>({"文件数:0", "选择数:0", "大小合计:0KB"}));
    EXPECT_TRUE(icons_.asked.isEmpty());
}

TEST_F(FillFileListTest, RefillingNeitherSortsNorResetsTheFlags)
{
    Make("b.wav", "x");
    Make("a.wav", "x");
    Fill();
    ASSERT_TRUE(list_.ColumnClick(0));
    EXPECT_EQ(list_.SortFlag(0), 1);
    Fill();
    EXPECT_EQ(list_.SortFlag(0), 1);
}

TEST_F(FillFileListTest, GbkNamedFileEndToEnd)
{
    const QByteArray gbkName("\xC4\xE3\xBA\xC3.mp3", 8); // 你好.mp3, not UTF-8
    Make(gbkName, TaggedMp3("\xD6\xD0\xCE\xC4")); // 中文
    Make("\xB0\xA1.wav", "x");                   // 啊.wav
    Make("z.wav", "x");
    Fill();
    ASSERT_EQ(list_.RowCount(), 3);
    const std::optional<FileRow> row = Find(QStringLiteral("你好.mp3"));
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->name, gbkName);
    EXPECT_EQ(row->cells[0], QStringLiteral("mp3"));
    EXPECT_EQ(row->cells[4], QStringLiteral("中文"));

    ID3v1Tag tag {};
    ASSERT_TRUE(ReadID3v1Tag(Folder() + row->name, tag));
    EXPECT_EQ(FieldText(tag.Title), QStringLiteral("中文"));

    // GBK order: z (0x7A) < 啊 (B0A1) < 你 (C4E3)
    ASSERT_TRUE(list_.ColumnClick(0));
    EXPECT_EQ(list_.Row(0).caption, QStringLiteral("z.wav"));
    EXPECT_EQ(list_.Row(1).caption, QStringLiteral("啊.wav"));
    EXPECT_EQ(list_.Row(2).name, gbkName);
    EXPECT_EQ(list_.data(list_.index(2, 0), FileListModel::NameRole).toByteArray(), gbkName);
}

} // namespace
