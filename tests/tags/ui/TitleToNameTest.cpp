#include "TagWindowFixture.h"
#include "../TaggedFiles.h"

#include "panes/ui/TFolderTree.h"
#include "panes/ui/TPaneStatusBar.h"
#include "player/TMp3Play.h"
#include "tags/GbkCodec.h"

#include <QTabWidget>

namespace {

class TitleToName : public TagWindowFixture {
protected:
    void SetUp() override
    {
        TagWindowFixture::SetUp();
        // The title alone, whatever the delivered catalogue's option says.
        win->Head().iT2FMode = 0;
    }

    // Selects the files, answers the question with `answer` and runs aT2N.
    void Rename(std::initializer_list<QByteArray> names, MsgResult answer = MsgResult::Yes)
    {
        ListMusic();
        Select(names);
        msg->answers.push_back(answer);
        win->Action(QStringLiteral("aT2N"))->trigger();
    }

    Tag Titled(const QByteArray& title, const QByteArray& artist = "Artist")
    {
        Tag tag;
        tag.title = title;
        tag.artist = artist;
        return tag;
    }
};

} // namespace

TEST_F(TitleToName, EachModeNamesTheFileAfterTitleAndArtistWithLowerCaseMp3)
{
    struct Case {
        int mode;
        QByteArray name;
        Tag tag;
        QByteArray expected;
    };
    const QList<Case> cases = {
        {0, "one.mp3", Titled("Song"), "Song.mp3"},
        {1, "two.mp3", Titled("Two", ""), "-Two.mp3"},
        {2, "three.mp3", Titled("Three", ""), "Three-.mp3"},
        {1, "four.MP3", Titled("Four", "Art"), "Art-Four.mp3"},
        {2, "five.Mp3", Titled("Five", "Art"), "Five-Art.mp3"},
        {3, "six.mp3", Titled("Six"), "six.mp3"},
    };
    for (const Case& c : cases) {
        const QByteArray contents = Contents(WriteMp3(c.name, c.tag));
        win->Head().iT2FMode = c.mode;
        Rename({c.name});
        EXPECT_EQ(Contents(music + c.expected), contents) << c.mode << ' ' << c.name.constData();
        EXPECT_EQ(Exists(music + c.name), c.name == c.expected) << c.name.constData();
        // The pane reads the renamed entries again.
        QTRY_VERIFY_WITH_TIMEOUT(RowOf(c.expected) >= 0, 1000);
    }
    ASSERT_EQ(msg->shown.size(), cases.size());
    EXPECT_EQ(msg->shown[0].text, "将选择的文件用Tag音乐名更改文件名吗？");
    EXPECT_EQ(msg->shown[0].kind, MsgKind::Confirmation);
    EXPECT_EQ(msg->shown[0].buttons, MsgButtons::YesNo);
}

TEST_F(TitleToName, AFileWithOnlyAnId3v2TagIsNamedAfterTheTextsItsRowShows)
{
    const QByteArray path = Write("v2.mp3", TempFolder::ReadBytes(MELVANE_FIXTURES "/tags/tone.mp3"));
    tagged::WriteId3v2(path, 3,
                       {{"TIT2", TagLib::String::Latin1, tagged::Raw(tagged::kGbkTitle)},
                        {"TPE1", TagLib::String::UTF16, tagged::Text(QStringLiteral("Beyond"))}});
    const QByteArray contents = Contents(path);
    win->Head().iT2FMode = 1;
    Rename({"v2.mp3"});
    EXPECT_EQ(Contents(music + "Beyond-光辉岁月.mp3"), contents);
}

TEST_F(TitleToName, AsksForASelectionAndNoKeepsEveryName)
{
    WriteMp3("a.mp3", Titled("Song"));
    ListMusic();
    win->SetActivePane(Source()->List(), Source()->Tree(), Source()->StatusBar());
    win->Action(QStringLiteral("aT2N"))->trigger();
    ASSERT_EQ(msg->shown.size(), 1);
    EXPECT_EQ(msg->shown[0].text, "请选择需要进行处理的文件！");
    EXPECT_EQ(msg->shown[0].kind, MsgKind::Information);
    EXPECT_EQ(msg->shown[0].buttons, MsgButtons::Ok);

    Rename({"a.mp3"}, MsgResult::No);
    EXPECT_TRUE(Exists(music + "a.mp3"));
    EXPECT_FALSE(Exists(music + "Song.mp3"));
    EXPECT_EQ(msg->unanswered, 0);
}

TEST_F(TitleToName, TwoFilesWithOneTitleTheFirstIsRenamedAndNothingIsReplaced)
{
    const QByteArray a = Contents(WriteMp3("a.mp3", Titled("Same", "A")));
    const QByteArray b = Contents(WriteMp3("b.mp3", Titled("Same", "B")));
    const QByteArray taken = Contents(Write("Taken.mp3", "not selected"));
    const QByteArray c = Contents(WriteMp3("c.mp3", Titled("Taken")));
    ListMusic();
    const bool aFirst = RowOf("a.mp3") < RowOf("b.mp3");

    Rename({"a.mp3", "b.mp3", "c.mp3"});
    EXPECT_EQ(Contents(music + "Same.mp3"), aFirst ? a : b);
    EXPECT_EQ(Contents(music + (aFirst ? "b.mp3" : "a.mp3")), aFirst ? b : a);
    EXPECT_FALSE(Exists(music + (aFirst ? "a.mp3" : "b.mp3")));
    EXPECT_EQ(Contents(music + "Taken.mp3"), taken);
    EXPECT_EQ(Contents(music + "c.mp3"), c);
    EXPECT_EQ(Rows().RowCount(), 4);
}

TEST_F(TitleToName, ThePlayingFileIsStoppedFirst)
{
    const QByteArray played = WritePlayableMp3("played.mp3", Titled("Played"));
    ListMusic();
    win->PlayFile(played);
    ASSERT_EQ(win->Mp3Play().GetState(), 1);
    Select({"played.mp3"});
    msg->answers.push_back(MsgResult::Yes);
    win->Action(QStringLiteral("aT2N"))->trigger();
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_EQ(win->Mp3Play().GetState(), 0);
    EXPECT_TRUE(Exists(music + "Played.mp3"));
    EXPECT_FALSE(Exists(played));

    // Listed while it played, its row has no tag cells: stopped all the same, and it keeps its name.
    const QByteArray again = music + "Played.mp3";
    win->PlayFile(again);
    Rename({"Played.mp3"});
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_EQ(win->Mp3Play().GetState(), 0);
    EXPECT_TRUE(Exists(again));
}

TEST_F(TitleToName, NamesThatWouldLeaveTheFolderOrAreNoMp3KeepTheirFiles)
{
    WriteMp3("slash.mp3", Titled("AC/DC"));
    WriteMp3("up.mp3", Titled("../up"));
    WriteMp3("dots.mp3", Titled(".."));
    WriteMp3("empty.mp3", Titled(""));
    WriteMp3("x.mp3.bak", Titled("Bak"));
    Write("tone.wav", QByteArray(600, 'w'));
    WriteMp3("gbk.mp3", Titled(TextToGbk(u"月光")));
    WriteMp3("notgbk.mp3", Titled("a\xFF"));

    Rename({"slash.mp3", "up.mp3", "dots.mp3", "empty.mp3", "x.mp3.bak", "tone.wav", "gbk.mp3", "notgbk.mp3"});
    // ".." would make "...mp3", which the pane hides; bytes that are no GBK would make a stand-in.
    for (const char* kept : {"slash.mp3", "up.mp3", "dots.mp3", "empty.mp3", "x.mp3.bak", "tone.wav", "notgbk.mp3"})
        EXPECT_TRUE(Exists(music + kept)) << kept;
    EXPECT_FALSE(Exists(programFolder() + "up.mp3"));
    EXPECT_FALSE(Exists(music + "...mp3"));
    // The name is the UTF-8 of the title, not its GBK bytes.
    EXPECT_TRUE(Exists(music + "\xe6\x9c\x88\xe5\x85\x89.mp3"));
    EXPECT_FALSE(Exists(music + "gbk.mp3"));
}

TEST_F(TitleToName, DoesNothingOnThePlayListPage)
{
    WriteMp3("a.mp3", Titled("Song"));
    ListMusic();
    Select({"a.mp3"});
    win->findChild<QTabWidget*>(QStringLiteral("pcMain"))->setCurrentIndex(1);
    win->Action(QStringLiteral("aT2N"))->trigger();
    EXPECT_TRUE(msg->shown.isEmpty());
    EXPECT_TRUE(Exists(music + "a.mp3"));
}
