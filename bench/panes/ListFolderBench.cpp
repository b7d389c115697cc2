// A pane's whole listing of 10,000 tagged MP3 files against the system calls any listing
// of them needs: readdir, stat, open, pread of the last 128 bytes, close.
#include "BenchSupport.h"


#include <QGuiApplication>

namespace {

constexpr int kFiles = 10000;
QByteArray g_folder;

void BM_Floor(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadFolderFloor(g_folder));
}

void BM_FillFileList(benchmark::State& state)
{
    FillWholeList(state, g_folder, kFiles);
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    g_folder = dir.path().toUtf8() + "/";
    MakeTaggedFolder(g_folder, kFiles);
    return RunPairedRounds(argc, argv, "floor", BM_Floor, "FillFileList", BM_FillFileList, 1.3);
}
