// Copying 1 GiB (100 files of 10 MiB) within one file system through the file-operation job,
// against `cp` of the same files in the same run.
#include "panes/BenchSupport.h"

#include "fileops/SourceList.h"
#include "fileops/TFileOpJob.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

constexpr int kFiles = 100;
constexpr qsizetype kFileSize = 10 * 1024 * 1024;
QByteArray g_from;
QByteArray g_to;
QList<QByteArray> g_paths;

// A job that meets no question: any error stops it, and the benchmark reports it.
class NoQuestions final : public IFileOpQuestions {
public:
    bool ConfirmTrash(int, const QByteArray&) override { return false; }
    bool ConfirmCreateFolder(const QByteArray&) override { return false; }
    ErrorAnswer AskError(const QByteArray&, const QString&) override { return ErrorAnswer::Stop; }
    bool ConfirmDeleteForGood(const QByteArray&) override { return false; }
    bool GoOn(const FileOpStats&) override { return true; }
};

void MakeData()
{
    QByteArray block(kFileSize, '\0');
    unsigned seed = 4711;
    for (qsizetype i = 0; i < block.size(); i += 4) {
        seed = seed * 1103515245u + 12345u;
        std::memcpy(block.data() + i, &seed, 4);
    }
    for (int i = 0; i < kFiles; ++i) {
        const QByteArray path = g_from + "song" + QByteArray::number(i) + ".mp3";
        block[0] = char(i);
        const int fd = ::open(path.constData(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, block.constData(), size_t(block.size())) != block.size()) {
            std::perror(path.constData());
            std::exit(1);
        }
        ::close(fd);
        g_paths.append(path);
    }
}

// Removes the copies and flushes the file system, so that every copy starts on an idle disk.
void ClearCopies(benchmark::State& state)
{
    state.PauseTiming();
    for (int i = 0; i < kFiles; ++i)
        ::unlink((g_to + "song" + QByteArray::number(i) + ".mp3").constData());
    const int fd = ::open(g_to.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::syncfs(fd);
    ::close(fd);
    state.ResumeTiming();
}

void BM_Cp(benchmark::State& state)
{
    std::vector<char*> argv {const_cast<char*>("cp")};
    for (QByteArray& path : g_paths)
        argv.push_back(path.data());
    argv.push_back(g_to.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (::posix_spawnp(&pid, "cp", nullptr, nullptr, argv.data(), environ) != 0
            || ::waitpid(pid, &status, 0) != pid || status != 0) {
            state.SkipWithError("cp failed");
            return;
        }
        ClearCopies(state);
    }
}

void BM_Job(benchmark::State& state)
{
    QByteArray list;
    for (const QByteArray& path : g_paths)
        AppendSource(list, path);
    list = EndSourceList(list);
    for (auto _ : state) {
        TFileOpJob job(FileOpKind::Copy, list, g_to);
        NoQuestions questions;
        int result = -1;
        std::thread worker([&] { result = job.Run(questions); });
        worker.join();
        if (result != kFileOpDone || job.Snapshot().bytesDone != kFiles * kFileSize) {
            state.SkipWithError("the job did not copy everything");
            return;
        }
        ClearCopies(state);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_from = QFile::encodeName(dir.path()) + "/from/";
    g_to = QFile::encodeName(dir.path()) + "/to/";
    ::mkdir(g_from.constData(), 0755);
    ::mkdir(g_to.constData(), 0755);
    MakeData();
    return RunPairedRounds(argc, argv, "cp", BM_Cp, "job", BM_Job, 1.11, 5);
}
