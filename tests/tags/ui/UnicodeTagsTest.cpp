// 标签转为Unicode as the user runs it: the dialog, the writing, the one summary.
#include "TagWindowFixture.h"
#include "../TaggedFiles.h"

#include "tags/ui/utUnicodeTags.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>

namespace {

class UnicodeTags : public TagWindowFixture {
protected:
    QByteArray Tone() const { return TempFolder::ReadBytes(MELVANE_FIXTURES "/tags/tone.mp3"); }

    QByteArray WriteGbkMp3(const QByteArray& name, mode_t mode = 0644)
    {
        Tag tag;
        tag.title = tagged::kGbkTitle;
        tag.artist = tagged::kGbkArtist;
        return Write(name, Tone() + TagBlock(tag), mode);
    }

    // Runs the action; while its dialog is open, reads its rows and presses the button.
    void Convert(QDialogButtonBox::StandardButton button)
    {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TwinUnicodeTags*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            // The tags are read on a worker; 确定 waits for them.
            QPushButton* ok = dialog->Buttons()->button(QDialogButtonBox::Ok);
            ASSERT_TRUE(QTest::qWaitFor([ok] { return ok->isEnabled(); }, 10000));
            QTreeWidget* files = dialog->lvUnicodeFiles();
            for (int i = 0; i < files->topLevelItemCount(); ++i) {
                QStringList cells;
                for (int c = 0; c < files->columnCount(); ++c)
                    cells.append(files->topLevelItem(i)->text(c));
                shownRows.append(cells);
            }
            dialog->Buttons()->button(button)->click();
        });
        win->Action(QStringLiteral("aUnicodeTag"))->trigger();
    }

    static struct timespec Modified(const QByteArray& path)
    {
        struct stat st {};
        ::stat(path.constData(), &st);
        return st.st_mtim;
    }

    QList<QStringList> shownRows;
};

TEST_F(UnicodeTags, ConvertsWhatNeedsItAndSummarisesOnce)
{
    const QByteArray gbk = WriteGbkMp3("a.mp3");
    const QByteArray unicode = Write("b.mp3", Tone());
    tagged::WriteId3v2(unicode, 3, {{"TIT2", TagLib::String::UTF16, tagged::Text(QStringLiteral("红豆"))}});
    const QByteArray readOnly = WriteGbkMp3("ro.mp3", 0444);
    const QByteArray gbkBefore = Contents(gbk);
    const QByteArray unicodeBefore = Contents(unicode);
    const QByteArray readOnlyBefore = Contents(readOnly);
    const struct timespec unicodeTime = Modified(unicode);
    ListMusic();
    EXPECT_EQ(Cell("b.mp3", 5), "红豆");
    Select({"a.mp3", "b.mp3", "ro.mp3"});

    Convert(QDialogButtonBox::Ok);

    // In the list's order, which is the folder's.
    std::sort(shownRows.begin(), shownRows.end());
    EXPECT_EQ(shownRows, (QList<QStringList> {{"a.mp3", "光辉岁月", "彼寸", "Album", "转换"},
                                               {"b.mp3", "红豆", "", "", "不变（已是Unicode）"},
                                               {"ro.mp3", "光辉岁月", "彼寸", "Album", "转换"}}));
    ASSERT_EQ(msg->shown.size(), 1);
    EXPECT_EQ(msg->shown[0].text, "已转换1个文件。1个文件已是Unicode，未改动。\n"
                                  "以下文件未转换，原文件保持不变：\nro.mp3：文件只读");
    EXPECT_EQ(msg->shown[0].kind, MsgKind::Warning);
    const auto found = tagged::Mutagen(gbk);
    EXPECT_EQ(found.value("TIT2"), "3:光辉岁月");
    EXPECT_EQ(found.value("TPE1"), "3:彼寸");
    EXPECT_EQ(Contents(gbk).right(gbkBefore.size()), gbkBefore) << "the audio and the ID3v1 tag, byte for byte";
    EXPECT_EQ(Contents(unicode), unicodeBefore);
    EXPECT_EQ(Modified(unicode).tv_nsec, unicodeTime.tv_nsec);
    EXPECT_EQ(Contents(readOnly), readOnlyBefore);
    EXPECT_EQ(Cell("a.mp3", 5), "光辉岁月");
}

TEST_F(UnicodeTags, CancelWritesNothing)
{
    const QByteArray gbk = WriteGbkMp3("a.mp3");
    const QByteArray before = Contents(gbk);
    ListMusic();
    Select({"a.mp3"});
    Convert(QDialogButtonBox::Cancel);
    EXPECT_EQ(shownRows.size(), 1);
    EXPECT_TRUE(msg->shown.isEmpty());
    EXPECT_EQ(Contents(gbk), before);
}

} // namespace
