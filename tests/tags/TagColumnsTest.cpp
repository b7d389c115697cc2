// The five tag columns of a listing: ID3v1 where a file has it, else the file's other tag.
#include "TaggedFiles.h"
#include "tags/ColumnTexts.h"
#include "panes/FileListModel.h"
#include "panes/FolderReader.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QStringList>

namespace {

using TagLib::String;
using tagged::Raw;
using tagged::Text;

const QString kTitles = QStringLiteral("文件名;类型;大小;属性;修改时间;音乐名;艺术家;唱片标题;发行年;附注");
constexpr int kTitle = 5;
constexpr int kArtist = 6;

class TagColumns : public ::testing::Test {
protected:
    void SetUp() override
    {
        using tagged::WriteId3v2;
        WriteId3v2(Mp3("v23_utf16.mp3"), 3,
                   {{"TIT2", String::UTF16, Text(QStringLiteral("月亮代表我的心"))},
                    {"TPE1", String::UTF16, Text(QStringLiteral("邓丽君"))},
                    {"TALB", String::UTF16, Text(QStringLiteral("岛国之情歌"))},
                    {"TDRC", String::Latin1, Text(QStringLiteral("1977"))},
                    {"COMM", String::UTF16, Text(QStringLiteral("经典"))}});
        WriteId3v2(Mp3("v24_utf8.mp3"), 4,
                   {{"TIT2", String::UTF8, Text(QStringLiteral("红豆"))},
                    {"TPE1", String::UTF8, Text(QStringLiteral("王菲"))}});
        WriteId3v2(Mp3("gbk_as_latin1.mp3"), 3,
                   {{"TIT2", String::Latin1, Raw(tagged::kGbkTitle)}, {"TPE1", String::Latin1, Raw(tagged::kGbkArtist)}});
        WriteId3v2(Mp3("cafe.mp3"), 3,
                   {{"TIT2", String::Latin1, Raw("Caf\xE9")}, {"TPE1", String::Latin1, Raw("Zo\xE9")}});
        const QByteArray both = Mp3("both.mp3");
        WriteId3v2(both, 4, {{"TIT2", String::UTF8, Text(QStringLiteral("from ID3v2"))}});
        tagged::AppendId3v1(both, "from ID3v1", QByteArray("\xD5\xC5\xD1\xA7\xD3\xD1")); // 张学友
        Mp3("untagged.mp3");
        tagged::WriteProperties(tagged::Copy(dir_, "tone.flac", "a.flac"), QStringLiteral("FLAC 标题"),
                                QStringLiteral("Adele"), QStringLiteral("21"));
        tagged::WriteProperties(tagged::Copy(dir_, "tone.ogg", "b.ogg"), QStringLiteral("Ogg 标题"),
                                QStringLiteral("Bjork"), QStringLiteral("Post"));
        tagged::WriteProperties(tagged::Copy(dir_, "tone.m4a", "c.m4a"), QStringLiteral("M4A 标题"),
                                QStringLiteral("Coldplay"), QStringLiteral("X&Y"));
        tagged::WriteWavInfo(tagged::Copy(dir_, "tone.wav", "d.wav"), QStringLiteral("WAV title"),
                             QStringLiteral("Dido"));
        // GBK in an INFO chunk, as Chinese Windows wrote it: TagLib writes a placeholder of its length.
        const QByteArray gbkWav = tagged::Copy(dir_, "tone.wav", "e.wav");
        tagged::WriteWavInfo(gbkWav, QStringLiteral("XXXXXXXX"), QStringLiteral("Enya"));
        TempFolder::WriteBytes(gbkWav, TempFolder::ReadBytes(gbkWav).replace("XXXXXXXX", tagged::kGbkTitle));
        dir_.MakeFile("notes.txt", "text");

        FolderReader reader(dir_.Path() + '/', ListRules {"*.*", false, {}});
        QList<FileEntry> rows;
        const std::atomic<bool> never {false};
        while (reader.Read(rows, 64, never)) {
        }
        model_.SetColumns(kTitles);
        for (FileEntry& row : rows)
            model_.AppendRow(std::move(row));
    }

    QByteArray Mp3(const QByteArray& name) { return tagged::Copy(dir_, "tone.mp3", name); }

    // The five tag cells of the file's row.
    QStringList Cells(const QByteArray& name) const
    {
        for (int row = 0; row < model_.RowCount(); ++row)
            if (model_.Entry(row).name == name)
                return model_.Row(row).cells.mid(kTitle - 1);
        ADD_FAILURE() << "not listed: " << name.constData();
        return {};
    }

    TempFolder dir_;
    FileListModel model_;
};

TEST_F(TagColumns, ShowEveryFilesTag)
{
    EXPECT_EQ(Cells("v23_utf16.mp3"),
              QStringList({"月亮代表我的心", "邓丽君", "岛国之情歌", "1977", "经典"}));
    EXPECT_EQ(Cells("v24_utf8.mp3"), QStringList({"红豆", "王菲", "", "", ""}));
    EXPECT_EQ(Cells("gbk_as_latin1.mp3"), QStringList({"光辉岁月", "彼寸", "", "", ""}));
    EXPECT_EQ(Cells("cafe.mp3"), QStringList({"Café", "Zoé", "", "", ""}));
    EXPECT_EQ(Cells("both.mp3"), QStringList({"from ID3v1", "张学友", "", "", ""}));
    EXPECT_EQ(Cells("untagged.mp3"), QStringList({"", "", "", "", ""}));
    EXPECT_EQ(Cells("a.flac"), QStringList({"FLAC 标题", "Adele", "21", "", ""}));
    EXPECT_EQ(Cells("b.ogg"), QStringList({"Ogg 标题", "Bjork", "Post", "", ""}));
    EXPECT_EQ(Cells("c.m4a"), QStringList({"M4A 标题", "Coldplay", "X&Y", "", ""}));
    EXPECT_EQ(Cells("d.wav"), QStringList({"WAV title", "Dido", "", "", ""}));
    EXPECT_EQ(Cells("e.wav"), QStringList({"光辉岁月", "Enya", "", "", ""}));
    EXPECT_EQ(Cells("notes.txt"), QStringList());
}

// The sound menu names the file that plays with the texts its row shows.
TEST_F(TagColumns, ColumnTextsOfAPathAreTheRowsCells)
{
    for (const QByteArray name : {"v23_utf16.mp3", "gbk_as_latin1.mp3", "both.mp3", "a.flac", "e.wav"}) {
        const std::optional<TagFieldTexts> texts = ReadColumnTexts(dir_.Path() + '/' + name);
        ASSERT_TRUE(texts) << name.constData();
        EXPECT_EQ(QStringList(texts->begin(), texts->end()), Cells(name)) << name.constData();
    }
    EXPECT_FALSE(ReadColumnTexts(dir_.Path() + "/untagged.mp3"));
}

TEST_F(TagColumns, SortByArtistOverTheMix)
{
    ASSERT_TRUE(model_.ColumnClick(kArtist));
    QStringList artists;
    for (int row = 0; row < model_.RowCount(); ++row)
        artists.append(model_.Text(row, kArtist));
    // ASCII before double-byte characters, those by their GBK bytes; rows without a tag first.
    EXPECT_EQ(artists, QStringList({"", "", "Adele", "Bjork", "Coldplay", "Dido", "Enya", "Zoé", "彼寸", "邓丽君", "王菲", "张学友"}));
}

} // namespace
