// FillFileList on 10,000 tagged MP3 files against the system calls any listing
// of them needs: readdir, stat, open, pread of the last 128 bytes, close.
#include "BenchSupport.h"

#include "panes/FileListModel.h"
#include "panes/FillFileList.h"
#include "panes/PaneStatus.h"
#include "tags/ID3v1Tag.h"

#include <QGuiApplication>

#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr int kFiles = 10000;
QByteArray g_folder;

class Panels : public IStatusPanels {
public:
    int PanelCount() const override { return 3; }
    int PanelTabOrder(int panel) const override { return panel; }
    void SetPanelText(int panel, const QString& text) override { texts[panel] = text; }
    QString texts[3];
};

void BM_Floor(benchmark::State& state)
{
    for (auto _ : state) {
        DIR* dir = ::opendir(g_folder.constData());
        const int dirFd = ::dirfd(dir);
        long long tagged = 0;
        while (const dirent* entry = ::readdir(dir)) {
            struct stat st {};
            if (::fstatat(dirFd, entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
                continue;
            const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_CLOEXEC);
            ID3v1Tag tag;
            if (::pread(fd, &tag, sizeof tag, st.st_size - 128) == 128)
                tagged += tag.Header[0] == 'T';
            ::close(fd);
        }
        ::closedir(dir);
        benchmark::DoNotOptimize(tagged);
    }
}

void BM_FillFileList(benchmark::State& state)
{
    THead head;
    head.ColumnTitles = QString::fromUtf8(kColumnTitles);
    FileListModel list;
    list.SetColumns(head.ColumnTitles);
    Panels panels;
    for (auto _ : state)
        FillFileList(list, g_folder, panels, QStringLiteral("*.*"), head);
    if (list.RowCount() != kFiles)
        state.SkipWithError("the folder did not list whole");
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
