// How soon a pane shows a file that another program made in its folder: a pane on
// 100,000 tagged MP3 files against a pane on 100 in the same run, in alternating
// rounds. Prints the big folder's median time and the ratio last (goals 60 ms, 1.5).
#include "BenchSupport.h"

#include "core/FolderChooser.h"
#include "core/MsgDlg.h"
#include "panes/ui/TFolderPane.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {

constexpr int kBigFolder = 100000;
constexpr int kSmallFolder = 100;
constexpr int kRounds = 7;

class NoBoxes final : public IMsgDlg {
public:
    MsgResult Show(const QString&, MsgKind, MsgButtons) override { return MsgResult::Ok; }
    void ShowLayerError(const QString&) override {}
    void ShowStandardError(const QString&) override {}
};

class NoChooser final : public IFolderChooser {
public:
    std::optional<QByteArray> Choose(const QString&, const QByteArray&) override { return std::nullopt; }
};

// A pane whose desktop is this folder (no trailing "/"), listed to its end.
std::unique_ptr<TFolderPane> paneOn(const QByteArray& folder, THead& head, IMsgDlg& msg, IFolderChooser& chooser)
{
    auto pane = std::make_unique<TFolderPane>(PaneSide::Source, head, msg, chooser,
                                              FolderTreeModel::Places {folder, folder, folder + "/no-mounts"});
    pane->show();
    pane->SetupFileColumns();
    pane->dtvSourceClick();
    while (pane->Listing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return pane;
}

// Writes one more file into the pane's folder and returns the milliseconds from then until its
// row shows.
double showNewFile(TFolderPane& pane, const QByteArray& folder, int round)
{
    const int before = pane.ListModel().RowCount();
    const QByteArray path = folder + "/new" + QByteArray::number(round) + ".wav";
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, "RIFF", 4) != 4) {
        std::perror(path.constData());
        std::exit(1);
    }
    ::close(fd);
    // From the moment the file is there: making a name in a folder of 100,000 takes the file
    // system itself a few milliseconds more, which is not the pane's.
    QElapsedTimer clock;
    clock.start();
    while (pane.ListModel().RowCount() == before) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        if (clock.elapsed() > 30000) {
            std::fprintf(stderr, "%s never showed\n", path.constData());
            std::exit(1);
        }
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray big = dir.path().toUtf8() + "/big";
    const QByteArray small = dir.path().toUtf8() + "/small";
    ::mkdir(big.constData(), 0700);
    ::mkdir(small.constData(), 0700);
    MakeTaggedFolder(big + "/", kBigFolder);
    MakeTaggedFolder(small + "/", kSmallFolder);

    THead head;
    head.ColumnTitles = QString::fromUtf8(kColumnTitles);
    NoBoxes msg;
    NoChooser chooser;
    const std::unique_ptr<TFolderPane> bigPane = paneOn(big, head, msg, chooser);
    THead smallHead = head;
    const std::unique_ptr<TFolderPane> smallPane = paneOn(small, smallHead, msg, chooser);
    std::vector<double> bigTimes;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        const double inSmall = showNewFile(*smallPane, small, round);
        const double inBig = showNewFile(*bigPane, big, round);
        std::printf("round %d: 100 files %.1f ms, 100,000 files %.1f ms\n", round, inSmall, inBig);
        bigTimes.push_back(inBig);
        ratios.push_back(inBig / inSmall);
    }
    std::printf("big_ms=%.0f ratio=%.2f goal=60,1.5\n", Median(bigTimes), Median(ratios));
    return 0;
}
