#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <string>
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

// Keeps the mean real time of every benchmark run, by name.
class TimeKeepingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                seconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

// Runs the registered benchmarks and prints the ratio of `measured` to `baseline` last.
inline int RunAndPrintRatio(int argc, char** argv, const char* measured, const char* baseline, double goal)
{
    benchmark::Initialize(&argc, argv);
    TimeKeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double ours = reporter.seconds[measured];
    const double floor = reporter.seconds[baseline];
    if (ours <= 0 || floor <= 0) {
        std::fprintf(stderr, "missing runs of %s or %s\n", measured, baseline);
        return 1;
    }
    std::printf("ratio=%.2f goal=%g\n", ours / floor, goal);
    return 0;
}
