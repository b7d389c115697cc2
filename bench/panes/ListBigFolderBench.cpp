// A pane's listing of 100,000 tagged MP3 files: the time until the first 100 rows
// are in the list and until all are, each against the whole time of the bare
// system calls on the same folder (readdir, stat, pread of the tag), in
// alternating rounds. Prints first_ratio (goal 0.05) and ratio (goal 1.3) last.
#include "BenchSupport.h"


#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int kFiles = 100000;
constexpr int kFirstRows = 100;
constexpr int kRounds = 7;

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray folder = dir.path().toUtf8() + "/";
    MakeTaggedFolder(folder, kFiles);

    FileListModel list;
    list.SetColumns(QString::fromUtf8(kColumnTitles));
    NoIcons icons;
    FileListFiller filler(list, icons);
    QElapsedTimer clock;
    qint64 firstAt = -1;
    QObject::connect(&list, &QAbstractItemModel::rowsInserted, [&] {
        if (firstAt < 0 && list.RowCount() >= kFirstRows)
            firstAt = clock.nsecsElapsed();
    });
    std::vector<double> firstRatios;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        clock.start();
        const long long tagged = ReadFolderFloor(folder);
        const double floor = static_cast<double>(clock.nsecsElapsed());
        firstAt = -1;
        clock.start();
        ListWhole(filler, folder);
        const double all = static_cast<double>(clock.nsecsElapsed());
        if (tagged != kFiles || list.RowCount() != kFiles) {
            std::fprintf(stderr, "the folder did not list whole\n");
            return 1;
        }
        std::printf("round %d: floor %.1f ms, first %d rows %.2f ms, all rows %.1f ms\n", round, floor / 1e6,
                    kFirstRows, static_cast<double>(firstAt) / 1e6, all / 1e6);
        firstRatios.push_back(static_cast<double>(firstAt) / floor);
        ratios.push_back(all / floor);
    }
    std::printf("first_ratio=%.3f ratio=%.2f goal=0.05,1.3\n", Median(firstRatios), Median(ratios));
    return 0;
}
