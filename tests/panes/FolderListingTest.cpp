// Reading a folder on a worker, shared by the panes that list it, and the difference of two
// listings by name bytes.
#include "FolderFixture.h"

#include "panes/FileIcons.h"
#include "panes/FolderListing.h"
#include "panes/RowDiff.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <chrono>
#include <thread>

namespace {

using FolderListingTest = FolderFixture;

TEST_F(FolderListingTest, ABigFolderArrivesInBatchesReadOnceForBothReaders)
{
    for (int i = 0; i < 3000; ++i)
        MakeSized("f" + QByteArray::number(i) + ".wav", 10);
    const ListRules rules {"*.*", false, {}};
    const std::shared_ptr<FolderListing> first = FolderListing::Open(Folder(), rules);
    ASSERT_FALSE(first->Done());
    EXPECT_EQ(FolderListing::Open(Folder(), rules), first);
    EXPECT_NE(FolderListing::Open(Folder(), ListRules {"*.mp3", false, {}}), first);
    int batches = 0;
    qsizetype rows = first->Rows().size();
    QObject::connect(first.get(), &FolderListing::Arrived, [&](const QList<FileEntry>& batch) {
        ++batches;
        rows += batch.size();
    });
    QEventLoop loop;
    QObject::connect(first.get(), &FolderListing::Finished, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(rows, 3000);
    EXPECT_GT(batches, 1);
    EXPECT_TRUE(first->Rows().isEmpty()) << "rows handed on are not kept";
    EXPECT_NE(FolderListing::Open(Folder(), rules), first) << "a finished reading is not joined";
}

TEST_F(FolderListingTest, ASmallFolderIsReadWhenOpenReturns)
{
    Make("a.wav", "x");
    const std::shared_ptr<FolderListing> listing = FolderListing::Open(Folder(), ListRules {"*.*", false, {}});
    EXPECT_TRUE(listing->Done());
    EXPECT_EQ(listing->Rows().size(), 1);
    EXPECT_TRUE(FolderListing::Open(Folder() + "gone/", ListRules {"*.*", false, {}})->Done());
}

TEST_F(FolderListingTest, ReadingNamesAgainTouchesOnlyTheirRows)
{
    MakeSized("changed.wav", 10);
    MakeSized("gone.wav", 10);
    MakeSized("kept.wav", 10);
    FileListModel list;
    list.SetColumns(QString::fromUtf8(kColumnTitles));
    NoFileIcons icons;
    FileListFiller filler(list, icons);
    filler.Fill(Folder(), ListRules {"*.*", false, {}}, QLocale::c(), 0);
    ASSERT_EQ(list.RowCount(), 3);

    MakeSized("changed.wav", 20);
    ::unlink((Folder() + "gone.wav").constData());
    MakeSized("new.wav", 10);
    MakeSized("unnamed.wav", 10);
    ::unlink((Folder() + "kept.wav").constData());
    QSignalSpy changed(&filler, &FileListFiller::RowsChanged);
    filler.RefreshNames({"changed.wav", "gone.wav", "new.wav", "never.wav"});
    ASSERT_TRUE(changed.wait(1000)) << "the names are read on a worker";

    QMap<QByteArray, qint64> sizes;
    for (int r = 0; r < list.RowCount(); ++r)
        sizes.insert(list.Entry(r).name, list.Entry(r).size);
    // kept.wav went without being named, so its row stays until the folder is read again.
    EXPECT_EQ(sizes, (QMap<QByteArray, qint64>({{"changed.wav", 20}, {"kept.wav", 10}, {"new.wav", 10}})));
}

// A slow disk: every entry read off the window's thread takes a while.
class SlowReader final : public IFolderReader {
public:
    SlowReader(const QByteArray& folder, const ListRules& rules) : real_(folder, rules) {}
    bool Read(QList<FileEntry>& rows, int entries, const std::atomic<bool>& cancelled) override
    {
        for (int i = 0; i < entries && !cancelled; ++i) {
            if (QThread::currentThread() != QCoreApplication::instance()->thread())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (!real_.Read(rows, 1, cancelled))
                return false;
        }
        return true;
    }
    QList<FileEntry> ReadNames(const QSet<QByteArray>& names, const std::atomic<bool>& cancelled) override
    {
        return real_.ReadNames(names, cancelled);
    }

private:
    FolderReader real_;
};

TEST_F(FolderListingTest, SwitchingFolderDuringASlowListingNeverWaitsForTheReader)
{
    for (int i = 0; i < 2000; ++i)
        MakeSized("f" + QByteArray::number(i) + ".wav", 10);
    TempFolder other;
    other.MakeSizedFile("other.wav", 10);
    FileListModel list;
    list.SetColumns(QString::fromUtf8(kColumnTitles));
    NoFileIcons icons;
    FileListFiller filler(list, icons, nullptr, [](const QByteArray& folder, const ListRules& rules) {
        return std::make_unique<SlowReader>(folder, rules);
    });
    filler.Fill(Folder(), ListRules {"*.*", false, {}}, QLocale::c(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(list.RowCount() > 256, 2000);

    QElapsedTimer clock;
    clock.start();
    filler.Fill(other.Path() + "/", ListRules {"*.*", false, {}}, QLocale::c(), 0);
    EXPECT_LT(clock.elapsed(), 50);
    QTest::qWait(50);
    ASSERT_EQ(list.RowCount(), 1) << "nothing of the folder left arrives";
    EXPECT_EQ(list.Entry(0).name, "other.wav");
}

TEST_F(FolderListingTest, WhatWaitsForAListingIsDroppedWhenAnotherFolderIsFilledFirst)
{
    for (int i = 0; i < 3000; ++i)
        MakeSized("f" + QByteArray::number(i) + ".wav", 10);
    TempFolder other;
    FileListModel list;
    list.SetColumns(QString::fromUtf8(kColumnTitles));
    NoFileIcons icons;
    FileListFiller filler(list, icons);
    int ran = 0;
    filler.Fill(Folder(), ListRules {"*.*", false, {}}, QLocale::c(), 0);
    ASSERT_TRUE(filler.Listing());
    filler.WhenListed([&ran] { ++ran; });
    filler.Fill(Folder(), ListRules {"*.mp3", false, {}}, QLocale::c(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!filler.Listing(), 5000);
    EXPECT_EQ(ran, 1) << "the same folder listed again";

    filler.Fill(Folder(), ListRules {"*.*", false, {}}, QLocale::c(), 0);
    filler.WhenListed([&ran] { ++ran; });
    filler.Fill(other.Path() + "/", ListRules {"*.*", false, {}}, QLocale::c(), 0);
    QTest::qWait(100);
    EXPECT_EQ(ran, 1);
}

TEST(RowDiffTest, GoneChangedAndNewRowsByName)
{
    FileListModel listed;
    listed.SetColumns(QString::fromUtf8(kColumnTitles));
    for (const char* name : {"a", "b", "c"})
        listed.AppendRow(FileEntry(name));
    FileEntry bigger("b");
    bigger.size = 5;
    const RowDiff diff = DiffRows(listed, {bigger, FileEntry("c"), FileEntry("d")});
    EXPECT_EQ(diff.removed, QList<int>({0}));
    EXPECT_EQ(diff.changed, (QList<QPair<int, int>>({{1, 0}})));
    EXPECT_EQ(diff.added, QList<int>({2}));
}

} // namespace
