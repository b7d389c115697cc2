// Delete to the trash, rename in place, open, select, and the keys and mouse of the pane lists.
#include "SorterWindowFixture.h"

#include "tags/GbkCodec.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>

using DeleteFromWindow = SorterWindow;
using RenameInList = SorterWindow;
using ListKeysAndMouse = SorterWindow;

TEST_F(DeleteFromWindow, DecliningTheTrashQuestionLeavesEveryFileAndRow)
{
    WriteAll(src + "/a.mp3", "a");
    WriteAll(src + "/b.mp3", "b");
    GoBoth();
    Trigger("aFileDelete");
    EXPECT_TRUE(ops->requests.isEmpty()) << "no active list, nothing happens";
    Activate(Source());
    Trigger("aFileDelete");
    EXPECT_EQ(Shown(), QStringList{"请选择需要删除的文件！"});

    SelectNames(Source(), {"a.mp3", "b.mp3"});
    ops->confirmAnswers = {false};
    Trigger("aFileDelete");
    ASSERT_EQ(ops->asked.size(), 1);
    EXPECT_EQ(ops->asked[0].kind, "trash");
    EXPECT_EQ(ops->asked[0].count, 2);
    EXPECT_EQ(ops->requests[0].title, QStringLiteral("从 “from” 删除文件..."));
    EXPECT_EQ(Names(src), (QList<QByteArray>{"a.mp3", "b.mp3"}));
    EXPECT_EQ(Rows(Source()), (QList<QByteArray>{"a.mp3", "b.mp3"}));
}

TEST_F(DeleteFromWindow, ThePlayingFileStopsGoesToTheTrashAndCanBeRestored)
{
    PlaceSong(dst + "/song.mp3");
    WriteAll(dst + "/keep.mp3", "k");
    GoBoth();
    win->PlayFile(dst + "/song.mp3");
    Activate(Target());
    SelectNames(Target(), {"song.mp3"});
    ops->confirmAnswers = {true};
    Trigger("aFileDelete");
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_EQ(ops->asked[0].path, dst + "/song.mp3");
    EXPECT_EQ(Rows(Target()), QList<QByteArray>{"keep.mp3"});
    EXPECT_EQ(ops->requests[0].title, QStringLiteral("从 “to” 删除文件..."));

    const QByteArray trash = qgetenv("XDG_DATA_HOME") + "/Trash";
    const QByteArray info = ReadAll(trash + "/info/song.mp3.trashinfo");
    const QRegularExpression form(QStringLiteral("^\\[Trash Info\\]\nPath=(/\\S+)\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$"));
    const QRegularExpressionMatch match = form.match(QString::fromLatin1(info));
    ASSERT_TRUE(match.hasMatch()) << info.constData();
    const QByteArray original = QByteArray::fromPercentEncoding(match.captured(1).toLatin1());
    EXPECT_EQ(original, dst + "/song.mp3");
    ASSERT_EQ(::rename((trash + "/files/song.mp3").constData(), original.constData()), 0);
    EXPECT_EQ(ReadAll(dst + "/song.mp3"), ReadAll(MELVANE_FIXTURES "/player/cbr.mp3"));
}

TEST_F(DeleteFromWindow, AGbkNamedFileIsTrashedWithItsBytes)
{
    const QByteArray gbk = TextToGbk(u"旧歌") + ".mp3";
    WriteAll(src + "/" + gbk, "g");
    GoBoth();
    Activate(Source());
    SelectNames(Source(), {gbk});
    ops->confirmAnswers = {true};
    Trigger("aFileDelete");
    EXPECT_TRUE(Rows(Source()).isEmpty());
    const QByteArray trash = qgetenv("XDG_DATA_HOME") + "/Trash";
    EXPECT_EQ(ReadAll(trash + "/files/" + gbk), "g");
    EXPECT_TRUE(ReadAll(trash + "/info/" + gbk + ".trashinfo").contains("Path=" + (src + "/" + gbk).toPercentEncoding("/")));
    // Names that are not UTF-8 would keep the temporary home from being removed.
    ::unlink((trash + "/files/" + gbk).constData());
    ::unlink((trash + "/info/" + gbk + ".trashinfo").constData());
}

TEST_F(RenameInList, TheExtensionStaysAndTakenOrBadNamesChangeNothing)
{
    WriteAll(src + "/a.mp3", "a");
    WriteAll(src + "/taken.mp3", "t");
    GoBoth();
    QAbstractItemView* list = Source()->List();
    const auto edit = [&](const QByteArray& name, const QString& text) {
        Sorter().lvSourceEdited(list, RowOfName(Source(), name), text);
    };
    edit("a.mp3", QStringLiteral("b"));
    EXPECT_EQ(Names(src), (QList<QByteArray>{"b.mp3", "taken.mp3"}));
    EXPECT_EQ(list->model()->index(RowOfName(Source(), "b.mp3"), 0).data().toString(), QStringLiteral("b.mp3"));

    edit("b.mp3", QStringLiteral("b.MP3"));
    EXPECT_EQ(Names(src), (QList<QByteArray>{"b.MP3.mp3", "taken.mp3"}));

    // Confirmed unchanged, the name is no taken name.
    edit("taken.mp3", QStringLiteral("taken.mp3"));
    EXPECT_TRUE(Shown().isEmpty());
    edit("b.MP3.mp3", QStringLiteral("taken"));
    EXPECT_EQ(Shown(), QStringList{QString::fromUtf8(src) + "/taken.mp3文件名已经存在！"});
    EXPECT_EQ(msg->shown[0].kind, MsgKind::Warning);
    EXPECT_EQ(ReadAll(src + "/taken.mp3"), "t");
    EXPECT_EQ(ReadAll(src + "/b.MP3.mp3"), "a");

    msg->shown.clear();
    edit("b.MP3.mp3", QStringLiteral("../up"));
    edit("b.MP3.mp3", QString(300, u'x'));
    EXPECT_EQ(Shown(), (QStringList{QString::fromUtf8(src) + "/b.MP3.mp3重命名失败！",
                                    QString::fromUtf8(src) + "/b.MP3.mp3重命名失败！"}));
    EXPECT_EQ(msg->shown[0].kind, MsgKind::Error);
    EXPECT_EQ(Names(src), (QList<QByteArray>{"b.MP3.mp3", "taken.mp3"}));
    EXPECT_EQ(Names(root), (QList<QByteArray>{"from", "program", "to"}));

    edit("b.MP3.mp3", QString());
    ASSERT_EQ(Names(src).size(), 2);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^b\\.MP3_\\d{1,3}\\.mp3$")).match(QString::fromUtf8(Names(src)[0])).hasMatch())
        << Names(src)[0].constData();
}

TEST_F(RenameInList, F2EditsTheFocusedCaptionAndEnterRenamesAGbkFile)
{
    const QByteArray gbk = TextToGbk(u"情歌") + ".mp3";
    WriteAll(src + "/" + gbk, "g");
    GoBoth();
    Activate(Source());
    SelectNames(Source(), {gbk});
    Source()->List()->setFocus();
    QTest::keyClick(Source()->List(), Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("情歌.mp3"));
    editor->setText(QStringLiteral("新歌"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();   // the edit is committed by a queued call
    EXPECT_EQ(Names(src), QList<QByteArray>{QStringLiteral("新歌.mp3").toUtf8()});
    EXPECT_EQ(Rows(Source()), QList<QByteArray>{QStringLiteral("新歌.mp3").toUtf8()});
    EXPECT_TRUE(msg->shown.isEmpty());
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
}

TEST_F(RenameInList, TheEnterOfARefusedNameEndsTheEditAndPlaysNothing)
{
    PlaceSong(src + "/a.mp3");
    WriteAll(src + "/taken.mp3", "t");
    GoBoth();
    Activate(Source());
    for (const QString& refused : {QStringLiteral("taken"), QStringLiteral("x/y"), QString(300, u'x')}) {
        SelectNames(Source(), {"a.mp3"});
        Source()->List()->setFocus();
        QTest::keyClick(Source()->List(), Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->setText(refused);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(msg->shown.size(), 3);
    EXPECT_EQ(Names(src), (QList<QByteArray>{"a.mp3", "taken.mp3"}));
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
}

TEST_F(ListKeysAndMouse, DelDeletesAPressMakesTheListActiveAndSelectionActionsWork)
{
    WriteAll(dst + "/a.mp3", "a");
    WriteAll(dst + "/b.mp3", "b");
    WriteAll(dst + "/c.mp3", "c");
    GoBoth();
    Activate(Source());
    QTest::mousePress(Target()->List()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(win->ActiveFileList(), Target()->List());
    EXPECT_EQ(win->ActiveTree(), Target()->Tree());

    Trigger("aSelectAll");
    EXPECT_EQ(SelectedNames(Target()).size(), 3);
    Trigger("aReverseSel");
    EXPECT_TRUE(SelectedNames(Target()).isEmpty());
    SelectNames(Target(), {"a.mp3"});
    Trigger("aReverseSel");
    EXPECT_EQ(SelectedNames(Target()), (QList<QByteArray>{"b.mp3", "c.mp3"}));

    Trigger("aFileOpen");
    const int first = SelectedRows(Target()->List()).first();
    EXPECT_EQ(opened->opened,
              QList<QByteArray>{dst + "/" + Target()->List()->model()->index(first, 0).data(kNameBytesRole).toByteArray()});

    ops->confirmAnswers = {true};
    QTest::keyClick(Target()->List(), Qt::Key_Delete);
    EXPECT_EQ(ops->Kinds(), QStringList{"trash"});
    EXPECT_EQ(Rows(Target()), QList<QByteArray>{"a.mp3"});
    EXPECT_EQ(Names(dst), QList<QByteArray>{"a.mp3"});
}
