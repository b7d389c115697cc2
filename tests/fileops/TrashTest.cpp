// The trash on the home file system: where items go, their .trashinfo, the question first, and
// the question before erasing when no trash can be had.
#include "FileOpFixture.h"

#include "fileops/NameBytes.h"
#include "fileops/Trash.h"
#include "fileops/TFileOpJob.h"
#include "tags/GbkCodec.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cstdlib>

namespace {

int TrashJob(ScriptedFileOpUi& ui, const QByteArray& list)
{
    TFileOpJob job(FileOpKind::Trash, list);
    return ui.Run(nullptr, QStringLiteral("t"), job);
}

// The Path= and DeletionDate= values of a .trashinfo file, after checking its form.
struct TrashInfo {
    QByteArray path;
    QByteArray date;
};

TrashInfo ReadInfo(const QByteArray& file)
{
    TrashInfo info;
    const QList<QByteArray> lines = ReadAll(file).split('\n');
    EXPECT_EQ(lines.value(0), "[Trash Info]");
    for (const QByteArray& line : lines) {
        if (line.startsWith("Path="))
            info.path = QByteArray::fromPercentEncoding(line.sliced(5));
        if (line.startsWith("DeletionDate="))
            info.date = line.sliced(13);
    }
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$"))
                    .match(QString::fromLatin1(info.date))
                    .hasMatch())
        << info.date.constData();
    return info;
}

QByteArray HomeTrash()
{
    return qgetenv("XDG_DATA_HOME") + "/Trash";
}

// Runs a trash-cli command with the test's HOME and XDG_DATA_HOME; its standard output.
QString TrashCli(const QString& command, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(command, arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000)) << command.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

using TrashOnHome = FileOpTest;

TEST_F(TrashOnHome, LongNamesAreTrashedUnderShorterEntriesThatTrashCliListsAndRestores)
{
    if (QStandardPaths::findExecutable(QStringLiteral("trash-restore")).isEmpty())
        GTEST_SKIP() << "trash-cli is not installed";
    const QByteArray longName = QString(82, QChar(0x6B4C)).toUtf8() + ".mp3";
    // Its only dot comes early: everything after it is the tail.
    const QByteArray earlyDot = "St. " + QString(82, QChar(0x6B4C)).toUtf8();
    const QByteArray gbkName = TextToGbk(u"情歌") + ".mp3";
    ASSERT_EQ(longName.size(), 250);
    ASSERT_EQ(earlyDot.size(), 250);
    const QByteArray song = Pattern(70000, 1);
    WriteAll(from + "/" + longName, song);
    WriteAll(from + "/" + earlyDot, "st");
    WriteAll(from + "/" + gbkName, "gbk");

    ui.confirmAnswers = {true};
    EXPECT_EQ(TrashJob(ui, List({from + "/" + longName, from + "/" + earlyDot, from + "/" + gbkName})), kFileOpDone);
    EXPECT_EQ(ui.Kinds(), QStringList{"trash"});
    EXPECT_EQ(Names(from), QList<QByteArray>{});
    QList<QByteArray> paths;
    for (const QByteArray& entry : Names(HomeTrash() + "/info")) {
        EXPECT_LE(entry.size(), kNameMax);
        paths.append(ReadInfo(HomeTrash() + "/info/" + entry).path);
        if (paths.last() == from + "/" + longName) {
            EXPECT_TRUE(entry.endsWith(".mp3.trashinfo"));
        }
        if (paths.last() == from + "/" + earlyDot) {
            EXPECT_TRUE(entry.startsWith("S."));
        }
    }
    std::sort(paths.begin(), paths.end());
    QList<QByteArray> expected{from + "/" + longName, from + "/" + earlyDot, from + "/" + gbkName};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(paths, expected);

    const QString longPath = QString::fromUtf8(from + "/" + longName);
    const QString listed = TrashCli(QStringLiteral("trash-list"), {});
    EXPECT_TRUE(listed.contains(longPath)) << listed.toStdString();
    EXPECT_TRUE(listed.contains(QString::fromUtf8(from + "/" + earlyDot))) << listed.toStdString();
    EXPECT_EQ(listed.count(QString::fromUtf8(from) + u'/'), 3);
    TrashCli(QStringLiteral("trash-restore"), {longPath}, "0\n");
    EXPECT_EQ(ReadAll(from + "/" + longName), song);
}

TEST_F(TrashOnHome, AGbkNamedFileGoesToTheHomeTrashAndCanBeRestoredFromItsInfo)
{
    const QByteArray name = TextToGbk(u"情歌") + " 50%.mp3";
    WriteAll(from + "/" + name, "song");
    ui.confirmAnswers = {true};
    EXPECT_EQ(TrashJob(ui, List({from + "/" + name})), kFileOpDone);
    EXPECT_FALSE(Exists(from + "/" + name));
    ASSERT_EQ(ui.asked.size(), 1);
    EXPECT_EQ(ui.asked[0].kind, "trash");
    EXPECT_EQ(ui.asked[0].count, 1);
    EXPECT_EQ(ui.asked[0].path, from + "/" + name);

    const QByteArray infoFile = HomeTrash() + "/info/" + name + ".trashinfo";
    const QByteArray raw = ReadAll(infoFile);
    EXPECT_TRUE(raw.contains("\nPath=/")) << "the path is absolute in the home trash";
    EXPECT_FALSE(raw.contains(name)) << "the path is percent-encoded";
    EXPECT_TRUE(raw.contains("%25.mp3"));
    const TrashInfo info = ReadInfo(infoFile);
    EXPECT_EQ(info.path, from + "/" + name);

    ASSERT_EQ(::rename((HomeTrash() + "/files/" + name).constData(), info.path.constData()), 0);
    EXPECT_EQ(ReadAll(from + "/" + name), "song");
    EXPECT_EQ(::unlink(infoFile.constData()), 0);
}

TEST_F(TrashOnHome, DecliningLeavesEverythingAndSameNamesGetTheirOwnPlaces)
{
    MakeDir(to + "/album");
    WriteAll(to + "/album/t.mp3", "t");
    WriteAll(from + "/same.mp3", "one");
    WriteAll(to + "/same.mp3", "two");
    const QList<QByteArray> before = Names(HomeTrash() + "/files");

    ui.confirmAnswers = {false};
    EXPECT_EQ(TrashJob(ui, List({from + "/same.mp3", to + "/same.mp3"})), kFileOpCancelled);
    EXPECT_TRUE(Exists(from + "/same.mp3"));
    EXPECT_TRUE(Exists(to + "/same.mp3"));
    EXPECT_EQ(Names(HomeTrash() + "/files"), before);
    EXPECT_EQ(ui.asked[0].count, 2);
    EXPECT_TRUE(ui.asked[0].path.isEmpty());

    ui.confirmAnswers = {true};
    EXPECT_EQ(TrashJob(ui, List({from + "/same.mp3", to + "/same.mp3", to + "/album"})), kFileOpDone);
    EXPECT_EQ(Names(to), QList<QByteArray>{});
    const QByteArray info = HomeTrash() + "/info/";
    EXPECT_EQ(ReadInfo(info + "same.mp3.trashinfo").path, from + "/same.mp3");
    EXPECT_EQ(ReadInfo(info + "same (2).mp3.trashinfo").path, to + "/same.mp3");
    EXPECT_EQ(ReadAll(HomeTrash() + "/files/same (2).mp3"), "two");
    EXPECT_EQ(ReadAll(HomeTrash() + "/files/album/t.mp3"), "t");
}

TEST_F(TrashOnHome, WithoutATrashTheItemIsErasedOnlyAfterYes)
{
    // A data folder whose Trash is a file: no trash can be had there.
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    MakeDir(root + "/data");
    WriteAll(root + "/data/Trash", "not a folder");
    ::setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    WriteAll(from + "/a.mp3", "a");
    MakeDir(from + "/b");
    WriteAll(from + "/b/c.mp3", "c");

    ui.confirmAnswers = {true, false, true};
    const int result = TrashJob(ui, List({from + "/a.mp3", from + "/b"}));
    ::setenv("XDG_DATA_HOME", saved.constData(), 1);
    EXPECT_EQ(result, kFileOpDone);
    EXPECT_EQ(ui.Kinds(), (QStringList{"trash", "forgood", "forgood"}));
    EXPECT_TRUE(Exists(from + "/a.mp3"));
    EXPECT_FALSE(Exists(from + "/b"));
    EXPECT_EQ(ui.unanswered, 0);
}

TEST(TrashPath, PercentEncodesEveryByteButTheSafeOnesAndSlashes)
{
    EXPECT_EQ(TTrash::EncodeInfoPath("/a b/c%d.mp3"), "/a%20b/c%25d.mp3");
    EXPECT_EQ(TTrash::EncodeInfoPath("/" + TextToGbk(u"歌")), "/%B8%E8");
    EXPECT_EQ(TTrash::EncodeInfoPath("/x-y_z.~"), "/x-y_z.~");
}
