#pragma once

#include <benchmark/benchmark.h>

#include "panes/FileIcons.h"
#include "panes/FileListFiller.h"
#include "panes/FileListModel.h"
#include "tags/ID3v1Tag.h"

#include <QByteArray>
#include <QEventLoop>
#include <QTemporaryDir>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
#include <utility>
#include <vector>
#include <unistd.h>

// A folder of `count` MP3 files, each 2 KB of body and an ID3v1 tag; every
// other title is Chinese in GBK, as tags made on Chinese Windows are.
inline void MakeTaggedFolder(const QByteArray& folder, int count)
{
    unsigned seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const QByteArray body(2048, '\x33');
    for (int i = 0; i < count; ++i) {
        QByteArray tag(128, '\0');
        std::memcpy(tag.data(), "TAG", 3);
        QByteArray title;
        if (i % 2 == 0) {
            for (int k = 0; k < 6; ++k) {
                title += static_cast<char>(0xB0 + next() % 40);
                title += static_cast<char>(0xA1 + next() % 94);
            }
        } else {
            title = "Track " + QByteArray::number(next() % 100000) + " of the night";
        }
        std::memcpy(tag.data() + 3, title.constData(), title.size());
        std::memcpy(tag.data() + 33, "Some Artist", 11);
        std::memcpy(tag.data() + 63, "An Album", 8);
        std::memcpy(tag.data() + 93, "2003", 4);
        std::memcpy(tag.data() + 97, "Ripped", 6);
        tag[127] = 17;
        const QByteArray path = folder + "song" + QByteArray::number(i) + ".mp3";
        const int fd = ::open(path.constData(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
        if (fd < 0 || ::write(fd, body.constData(), body.size()) != body.size()
            || ::write(fd, tag.constData(), tag.size()) != tag.size()) {
            std::perror(path.constData());
            std::exit(1);
        }
        ::close(fd);
    }
}

// The system calls any listing of a tagged folder needs: readdir, stat, open,
// pread of the last 128 bytes, close. Returns how many files have a tag.
inline long long ReadFolderFloor(const QByteArray& folder)
{
    DIR* dir = ::opendir(folder.constData());
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
    return tagged;
}

// The middle of the rounds' figures: one slow round on a shared machine does not move it.
inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Lists folder into list as a pane does and waits for its end.
inline void ListWhole(FileListFiller& filler, const QByteArray& folder)
{
    THead head;
    filler.Fill(folder, RulesFor(QStringLiteral("*.*"), head), QLocale::system(), 0);
    if (filler.Listing()) {
        QEventLoop loop;
        QObject::connect(&filler, &FileListFiller::Listed, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// No icons: the benchmarks measure reading, not the icon theme.
class NoIcons : public IFileIcons {
public:
    QIcon SmallFileIcon(const QByteArray&) override { return QIcon(); }
};

// Each round lists folder whole into a list with the window's columns; an error unless every one of
// the files is a row and the first shows its title.
inline void FillWholeList(benchmark::State& state, const QByteArray& folder, int files)
{
    FileListModel list;
    list.SetColumns(QString::fromUtf8(kColumnTitles));
    NoIcons icons;
    FileListFiller filler(list, icons);
    for (auto _ : state)
        ListWhole(filler, folder);
    if (list.RowCount() != files || list.Text(0, 5).isEmpty())
        state.SkipWithError("the folder did not list whole, with its titles");
}

// Keeps the real time of every benchmark run, by name.
class TimeKeepingReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that the ratio line stays plain in logs.
    TimeKeepingReporter()
        : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular)
    {
    }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                seconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

using BenchFunction = void (*)(benchmark::State&);

// Runs baseline and measured in alternating rounds, so that both see the same
// load on a shared machine, and prints the median of the rounds' ratios last.
inline int RunPairedRounds(int argc, char** argv, const char* baselineName, BenchFunction baseline,
                           const char* measuredName, BenchFunction measured, double goal, int rounds = 7)
{
    benchmark::Initialize(&argc, argv);
    std::vector<std::pair<std::string, std::string>> names;
    for (int round = 0; round < rounds; ++round) {
        const std::string suffix = "/round:" + std::to_string(round);
        names.emplace_back(baselineName + suffix, measuredName + suffix);
        benchmark::RegisterBenchmark(names.back().first.c_str(), baseline)
            ->Unit(benchmark::kMillisecond)->MinTime(0.3);
        benchmark::RegisterBenchmark(names.back().second.c_str(), measured)
            ->Unit(benchmark::kMillisecond)->MinTime(0.3);
    }
    TimeKeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::vector<double> ratios;
    for (const auto& [base, ours] : names) {
        const auto b = reporter.seconds.find(base);
        const auto m = reporter.seconds.find(ours);
        if (b != reporter.seconds.end() && m != reporter.seconds.end() && b->second > 0)
            ratios.push_back(m->second / b->second);
    }
    if (ratios.empty()) {
        std::fprintf(stderr, "no complete round\n");
        return 1;
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("ratio=%.2f goal=%g\n", ratios[ratios.size() / 2], goal);
    return 0;
}
