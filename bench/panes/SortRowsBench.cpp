// Sorting 10,000 listed rows by their title column against std::sort of the
// same title texts with the same comparison.
#include "BenchSupport.h"

#include "panes/FileListModel.h"
#include "panes/FolderReader.h"
#include "tags/GbkCodec.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace {

constexpr int kFiles = 10000;
constexpr int kTitleColumn = 5;
QList<FileEntry> g_rows;
QStringList g_titles;

void BM_StdSortKeys(benchmark::State& state)
{
    const std::vector<QString> original(g_titles.begin(), g_titles.end());
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<QString> keys = original;
        state.ResumeTiming();
        std::sort(keys.begin(), keys.end(),
                  [](const QString& a, const QString& b) { return CompareGbkNoCase(a, b) < 0; });
        benchmark::DoNotOptimize(keys.data());
    }
}

void BM_ColumnClick(benchmark::State& state)
{
    const QString titles = QString::fromUtf8(kColumnTitles);
    FileListModel list;
    for (auto _ : state) {
        state.PauseTiming();
        list.SetColumns(titles);
        list.Clear();
        list.InsertRows(g_rows);
        state.ResumeTiming();
        list.ColumnClick(kTitleColumn);
    }
}


} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QByteArray folder = dir.path().toUtf8() + "/";
    MakeTaggedFolder(folder, kFiles);
    THead head;
    head.ColumnTitles = QString::fromUtf8(kColumnTitles);
    FolderReader reader(folder, ListRules {"*.*", false, {}});
    static const std::atomic<bool> never {false};
    while (reader.Read(g_rows, kFiles, never)) {
    }
    FileListModel list;
    list.SetColumns(head.ColumnTitles);
    list.InsertRows(g_rows);
    for (int r = 0; r < list.RowCount(); ++r)
        g_titles.append(list.Text(r, kTitleColumn));
    // Both sides share the per-character weights; fill them outside the timing.
    list.ColumnClick(kTitleColumn);
    return RunPairedRounds(argc, argv, "std_sort", BM_StdSortKeys, "ColumnClick", BM_ColumnClick, 1.3);
}
