#include "TagWindowFixture.h"

#include "core/ItemRoles.h"
#include "player/TMp3Play.h"
#include "tags/GbkCodec.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>

namespace {

class TagDialog : public TagWindowFixture {};

constexpr int kTitle = 5, kArtist = 6, kAlbum = 7, kYear = 8, kComment = 9;

QByteArray tagOf(const QByteArray& contents) { return contents.right(128); }

} // namespace

TEST_F(TagDialog, RefusalsGoToTheStatusPanelAndOpenNoDialog)
{
    Write("tone.wav", QByteArray(600, 'w'));
    Write("bare.mp3", QByteArray(600, '\x11'));
    const QByteArray playing = WritePlayableMp3("playing.mp3");
    ListMusic();

    // Nothing selected: nothing happens.
    EXPECT_FALSE(WithTagDialog());
    EXPECT_TRUE(Status().isEmpty());

    Select({"tone.wav"});
    EXPECT_FALSE(WithTagDialog());
    EXPECT_EQ(Status(), "不是MP3文件。");

    Select({"bare.mp3"});
    EXPECT_FALSE(WithTagDialog());
    EXPECT_EQ(Status(), "文件无ID3TAG信息。");

    win->PlayFile(playing);
    ASSERT_EQ(win->Head().PlayingFile, playing);
    Select({"playing.mp3"});
    EXPECT_FALSE(WithTagDialog());
    EXPECT_EQ(Status(), "文件正在播放，不能获取TAG信息。");
    EXPECT_EQ(win->Head().PlayingFile, playing);
    EXPECT_EQ(win->Mp3Play().GetState(), 1);
    EXPECT_TRUE(msg->shown.isEmpty());
}

TEST_F(TagDialog, ShowsTheTrimmedFieldsInAFixedDialogAndEscClosesWithoutWriting)
{
    Tag tag;
    tag.title = "  Moon  ";
    tag.comment = QByteArray(30, 'c'); // no terminating zero
    const QByteArray file = WriteMp3("a.mp3", tag);
    const QByteArray before = Contents(file);
    ListMusic();
    Select({"a.mp3"});

    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "ID3TAG信息");
        EXPECT_EQ(dialog.FileName(), file);
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
        EXPECT_EQ(dialog.Edit(TagField::Title)->text(), "Moon");
        EXPECT_EQ(dialog.Edit(TagField::Artist)->text(), "Artist");
        EXPECT_EQ(dialog.Edit(TagField::Album)->text(), "Album");
        EXPECT_EQ(dialog.Edit(TagField::Year)->text(), "2001");
        EXPECT_EQ(dialog.Edit(TagField::Comment)->text(), QString(30, u'c'));
        EXPECT_TRUE(dialog.btnModify()->isVisible());
        EXPECT_EQ(dialog.btnModify()->text(), "修改");
        EXPECT_EQ(dialog.btnClose()->text(), "关闭");

        // The edits, then 修改, then 关闭.
        const QList<QWidget*> order = {dialog.Edit(TagField::Title), dialog.Edit(TagField::Artist),
                                       dialog.Edit(TagField::Album), dialog.Edit(TagField::Year),
                                       dialog.Edit(TagField::Comment), dialog.btnModify(), dialog.btnClose()};
        const auto nextTabStop = [](QWidget* w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible());
            return w;
        };
        for (int i = 0; i + 1 < order.size(); ++i)
            EXPECT_EQ(nextTabStop(order[i]), order[i + 1]) << i;

        Retype(dialog.Edit(TagField::Title), QStringLiteral("Changed"));
        QTest::keyClick(dialog.Edit(TagField::Title), Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_EQ(Contents(file), before);
    EXPECT_EQ(Cell("a.mp3", kTitle), "Moon");

    // 关闭 closes as well, and Enter in an edit does not write.
    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) {
        Retype(dialog.Edit(TagField::Year), QStringLiteral("1990"));
        QTest::keyClick(dialog.Edit(TagField::Year), Qt::Key_Return);
        QTest::mouseClick(dialog.btnClose(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_EQ(Contents(file), before);
}

TEST_F(TagDialog, ModifyWritesTheFieldsAndTheRowShowsWhatWasTyped)
{
    Tag tag;
    tag.title = "Old title";
    const QByteArray file = WriteMp3("a.mp3", tag);
    WriteMp3("b.mp3");
    ListMusic();
    Select({"a.mp3"});

    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) {
        Retype(dialog.Edit(TagField::Title), QString());
        Retype(dialog.Edit(TagField::Artist), QStringLiteral("  周璇 "));
        Retype(dialog.Edit(TagField::Year), QStringLiteral("99"));
        QTest::mouseClick(dialog.btnModify(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_TRUE(msg->shown.isEmpty());

    const QByteArray written = tagOf(Contents(file));
    // The emptied title keeps the file's title; the year is 9, 9 and two zero bytes.
    EXPECT_EQ(written.mid(3, 30), QByteArray("Old title") + QByteArray(21, '\0'));
    EXPECT_EQ(written.mid(33, 30), TextToGbk(u"周璇") + QByteArray(26, '\0'));
    EXPECT_EQ(written.mid(93, 4), QByteArray("99\0\0", 4));
    EXPECT_EQ(written.mid(63, 5), "Album");
    EXPECT_EQ(static_cast<unsigned char>(written[127]), 17);
    EXPECT_EQ(Contents(file).size(), 512 + 128);

    // The row shows the texts as typed (trimmed), the empty title too, until the pane is listed again.
    EXPECT_EQ(Cell("a.mp3", kTitle), "");
    EXPECT_EQ(Cell("a.mp3", kArtist), "周璇");
    EXPECT_EQ(Cell("a.mp3", kAlbum), "Album");
    EXPECT_EQ(Cell("a.mp3", kYear), "99");
    EXPECT_EQ(Cell("a.mp3", kComment), "Comment");
    EXPECT_EQ(Cell("b.mp3", kYear), "2001");
    ListMusic();
    EXPECT_EQ(Cell("a.mp3", kTitle), "Old title");
}

TEST_F(TagDialog, FailedWriteKeepsTheDialogOpenWithTheTexts)
{
    const QByteArray file = WriteMp3("gone.mp3");
    const QByteArray other = WriteMp3("folder.mp3");
    ListMusic();

    // The file disappears while the dialog is open: the write fails with the program's own box.
    Select({"gone.mp3"});
    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) {
        ASSERT_EQ(::unlink(file.constData()), 0);
        Retype(dialog.Edit(TagField::Title), QStringLiteral("New"));
        QTest::mouseClick(dialog.btnModify(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.Edit(TagField::Title)->text(), "New");
        ASSERT_EQ(msg->shown.size(), 1);
        EXPECT_EQ(msg->shown[0].text, "修改MP3文件ID3TAG信息失败！");
        EXPECT_EQ(msg->shown[0].kind, MsgKind::Error);
        EXPECT_EQ(msg->shown[0].buttons, MsgButtons::Ok);
    }));
    EXPECT_EQ(Cell("gone.mp3", kTitle), "Title");

    // A file that cannot be opened for writing: the system's own text.
    Select({"folder.mp3"});
    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) {
        ASSERT_EQ(::unlink(other.constData()), 0);
        ASSERT_EQ(::mkdir(other.constData(), 0755), 0);
        QTest::mouseClick(dialog.btnModify(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(msg->layerErrors.size(), 1);
        EXPECT_TRUE(msg->layerErrors[0].contains("folder.mp3"));
    }));
    EXPECT_EQ(msg->shown.size(), 1);
}

// Also run as an unprivileged user, for whom the mode really keeps the file from being written.
TEST_F(TagDialog, ReadOnlyFileIsChangedAndStaysReadOnly)
{
    const QByteArray file = WriteMp3("ro.mp3", {}, 0444);
    ListMusic();
    Select({"ro.mp3"});
    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) {
        Retype(dialog.Edit(TagField::Album), QStringLiteral("Changed"));
        QTest::mouseClick(dialog.btnModify(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_TRUE(msg->shown.isEmpty());
    EXPECT_TRUE(msg->layerErrors.isEmpty());
    EXPECT_EQ(tagOf(Contents(file)).mid(63, 8), QByteArray("Changed\0", 8));
    struct stat st {};
    ASSERT_EQ(::stat(file.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
}

TEST_F(TagDialog, PlayListEntryOpensWithoutModifyAndTheNextDialogIsFresh)
{
    Tag tag;
    tag.title = "Entry";
    const QByteArray file = WriteMp3("entry.mp3", tag);
    // An entry of the play list page: its row holds the whole path.
    auto* entries = win->findChild<QAbstractItemView*>(QStringLiteral("lvListDetail"));
    auto* model = new QStandardItemModel(entries);
    auto* item = new QStandardItem(QString::fromUtf8(file));
    item->setData(file, kNameBytesRole);
    model->appendRow(item);
    entries->setModel(model);
    win->findChild<QTabWidget*>(QStringLiteral("pcMain"))->setCurrentIndex(1);
    win->SetActivePane(entries, win->ActiveTree(), nullptr);
    entries->selectionModel()->select(model->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    const QByteArray before = Contents(file);
    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) {
        EXPECT_FALSE(dialog.btnModify()->isVisible());
        EXPECT_EQ(dialog.FileName(), file);
        EXPECT_EQ(dialog.Edit(TagField::Title)->text(), "Entry");
    }));
    EXPECT_EQ(Contents(file), before);

    win->findChild<QTabWidget*>(QStringLiteral("pcMain"))->setCurrentIndex(0);
    ListMusic();
    Select({"entry.mp3"});
    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) { EXPECT_TRUE(dialog.btnModify()->isVisible()); }));
}

TEST_F(TagDialog, EditsHoldAtMostTheFieldsGbkBytesAndOnlyCharactersGbkHas)
{
    const QString fifteen = QStringLiteral("春眠不觉晓处处闻啼鸟夜来风雨声");
    const QByteArray file = WriteMp3("a.mp3");
    ListMusic();
    Select({"a.mp3"});
    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) {
        auto* hint = dialog.findChild<QLabel*>(QStringLiteral("lblHint"));
        QLineEdit* title = dialog.Edit(TagField::Title);

        // Thirty bytes fit; one byte more is refused, with the reason.
        Retype(title, fifteen);
        EXPECT_EQ(title->text(), fifteen);
        Type(title, QStringLiteral("x"));
        EXPECT_EQ(title->text(), fifteen);
        EXPECT_EQ(hint->text(), "音乐名最多30个字节（一个汉字占2个字节）。");

        // Twenty-nine bytes: a double-byte character would not fit whole, so it does not go in at all.
        Retype(title, QStringLiteral("a") + fifteen.left(14));
        EXPECT_TRUE(hint->text().isEmpty());
        Type(title, QStringLiteral("声"));
        EXPECT_EQ(title->text(), QStringLiteral("a") + fifteen.left(14));

        // A character GBK lacks is refused, with the reason.
        Type(dialog.Edit(TagField::Comment), QStringLiteral("😀"));
        EXPECT_EQ(dialog.Edit(TagField::Comment)->text(), "Comment");
        EXPECT_TRUE(hint->text().contains(QStringLiteral("😀")));

        Retype(dialog.Edit(TagField::Year), QStringLiteral("19999"));
        EXPECT_EQ(dialog.Edit(TagField::Year)->text(), "1999");

        QTest::mouseClick(dialog.btnModify(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }));
    const QByteArray written = tagOf(Contents(file));
    EXPECT_EQ(written.mid(3, 30), TextToGbk(QStringLiteral("a") + fifteen.left(14)) + '\0');
    EXPECT_EQ(written.mid(93, 4), "1999");
}

TEST_F(TagDialog, FieldsLeftAsTheyWereKeepTheirBytesAndTheTrackNumberWhenAnotherChanges)
{
    Tag tag;
    tag.title = "Caf\xe9";  // Latin-1, which GBK cannot decode
    const QByteArray track = QByteArray(25, '\0') + '\x07'; // ID3v1.1: zero byte, then track 7
    tag.comment = "Note" + track;
    const QByteArray file = WriteMp3("latin.mp3", tag);
    ListMusic();
    Select({"latin.mp3"});
    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) {
        Retype(dialog.Edit(TagField::Artist), QStringLiteral("Someone"));
        QTest::mouseClick(dialog.btnModify(), Qt::LeftButton);
    }));
    QByteArray written = tagOf(Contents(file));
    EXPECT_EQ(written.mid(3, 30), QByteArray("Caf\xe9") + QByteArray(26, '\0'));
    EXPECT_EQ(written.mid(33, 30), QByteArray("Someone") + QByteArray(23, '\0'));
    EXPECT_EQ(written.mid(97, 30), "Note" + track);

    EXPECT_TRUE(WithTagDialog([&](TwinID3Tag& dialog) {
        Retype(dialog.Edit(TagField::Comment), QStringLiteral("Live"));
        QTest::mouseClick(dialog.btnModify(), Qt::LeftButton);
    }));
    written = tagOf(Contents(file));
    EXPECT_EQ(written.mid(97, 30), "Live" + track);
}
