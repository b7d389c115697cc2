// The window on a Desktop of thousands of files: it shows before the panes are filled, the
// event loop stays quick while rows arrive, a sort asked for during the listing holds for every
// row, and a folder changed during the listing shows only its own rows.
#include "MainWindowFixture.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TPaneStatusBar.h"
#include "tags/GbkCodec.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// Enough files that the listing takes many batches, few enough for a sanitizer build.
constexpr int kFiles = 8000;
#if defined(__SANITIZE_ADDRESS__)
// Sanitizers make every step several times slower; the bound is generous for them.
constexpr qint64 kMostLateMs = 400;
#else
constexpr qint64 kMostLateMs = 50;
#endif

class BigFolderWindowTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        desktop = qgetenv("XDG_DESKTOP_DIR");
        QByteArray tag(128, '\0');
        std::memcpy(tag.data(), "TAG", 3);
        for (int i = 0; i < kFiles; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "/%05d.mp3", (i * 7919) % kFiles);
            TempFolder::WriteBytes(desktop + name, QByteArray(100, 'x') + tag, 0644);
        }
        deliverCatalogue();
    }

    void TearDown() override
    {
        MainWindowFixture::TearDown();
        TempFolder::RemoveTree(desktop);
        ::mkdir(desktop.constData(), 0755);
    }

    static QStringList Captions(TFolderPane* pane)
    {
        QStringList captions;
        for (int row = 0; row < pane->ListModel().RowCount(); ++row)
            captions << pane->ListModel().Text(row, 0);
        return captions;
    }

    QByteArray desktop;
};

TEST_F(BigFolderWindowTest, RowsArriveWhileTheEventLoopStaysQuickAndTheSortHolds)
{
    QElapsedTimer clock;
    qint64 mostLate = 0;
    qint64 due = 0;
    QTimer tick;
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        mostLate = std::max(mostLate, clock.elapsed() - due);
        due = clock.elapsed() + tick.interval();
    });
    start();
    TFolderPane* source = win->SourcePane();
    ASSERT_TRUE(source->Listing()) << "the window showed before the folder was read";
    clock.start();
    due = tick.interval();
    tick.start();

    // The user sorts by name while rows are still arriving.
    QTRY_VERIFY(source->ListModel().RowCount() > 0);
    source->lvSourceColumnClick(0);
    QTRY_VERIFY_WITH_TIMEOUT(!source->Listing() && !win->TargetPane()->Listing(), 30000);
    tick.stop();
    std::printf("most late while listing: %lld ms\n", static_cast<long long>(mostLate));
    EXPECT_LE(mostLate, kMostLateMs);

    const QStringList captions = Captions(source);
    ASSERT_EQ(captions.size(), kFiles);
    EXPECT_TRUE(std::is_sorted(captions.begin(), captions.end(),
                               [](const QString& a, const QString& b) { return CompareGbkNoCase(a, b) < 0; }));
    EXPECT_EQ(source->StatusBar()->PanelText(0), QStringLiteral("文件数:%1").arg(kFiles));
    EXPECT_EQ(win->TargetPane()->ListModel().RowCount(), kFiles);
}

TEST_F(BigFolderWindowTest, AFolderChosenDuringTheListingShowsOnlyItsOwnRows)
{
    const QByteArray music = dir.MakeDir("music");
    dir.MakeSizedFile("music/a.wav", 10);
    dir.MakeSizedFile("music/b.wav", 10);
    start();
    TFolderPane* source = win->SourcePane();
    ASSERT_TRUE(source->Listing());
    source->PathField()->setText(QString::fromUtf8(music));
    ASSERT_EQ(win->Head().SourcePath, music + "/");
    // Whatever of the Desktop was still on its way must not come.
    QTRY_VERIFY_WITH_TIMEOUT(!win->TargetPane()->Listing(), 30000);
    QTest::qWait(200);
    QStringList captions = Captions(source);
    captions.sort();
    EXPECT_EQ(captions, QStringList({"a.wav", "b.wav"}));
    EXPECT_EQ(source->StatusBar()->PanelText(0), QStringLiteral("文件数:2"));
}

} // namespace
