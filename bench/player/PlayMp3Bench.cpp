// CPU time to play a 10-minute MP3 through the whole pipeline (decoder thread,
// buffer, volume, output) into an output that takes the sound as fast as it
// comes, against libmpg123 decoding the same file alone.
#include "player/AudioOutput.h"
#include "player/TMp3Play.h"
#include "player/VolumeScale.h"

#include <benchmark/benchmark.h>
#include <mpg123.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class UnpacedOutput final : public AudioOutput {
public:
    bool Start(int, IPcmSource& source) override
    {
        source_ = &source;
        thread_ = std::thread([this] { Run(); });
        return true;
    }
    void SetPaused(bool paused) override
    {
        {
            std::lock_guard lock(mutex_);
            paused_ = paused;
        }
        wake_.notify_all();
    }
    void Stop() override
    {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

private:
    void Run()
    {
        std::vector<int16_t> sink(4096 * 2);
        std::unique_lock lock(mutex_);
        while (!quit_) {
            wake_.wait(lock, [&] { return quit_ || !paused_; });
            if (quit_)
                break;
            lock.unlock();
            const int got = source_->Pull(sink.data(), 4096, true);
            benchmark::DoNotOptimize(sink.data());
            lock.lock();
            if (got == 0)
                wake_.wait_for(lock, std::chrono::milliseconds(1));
        }
    }

    IPcmSource* source_ = nullptr;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool paused_ = true;
    bool quit_ = false;
};

class UnpacedOutputs final : public IAudioOutputFactory {
public:
    std::unique_ptr<AudioOutput> Create() override { return std::make_unique<UnpacedOutput>(); }
    bool TakeNoDeviceNotice() override { return false; }
};

QByteArray g_file;
double g_baseline = std::numeric_limits<double>::max();
double g_pipeline = std::numeric_limits<double>::max();

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The same 4-second headerless file, concatenated to 10 minutes.
QByteArray MakeTenMinuteMp3(const QTemporaryDir& dir)
{
    QFile in(QStringLiteral(MELVANE_FIXTURES "/player/vbr_noheader.mp3"));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QByteArray one = in.readAll();
    QFile out(dir.filePath(QStringLiteral("ten_minutes.mp3")));
    if (!out.open(QIODevice::WriteOnly))
        return {};
    for (int i = 0; i < 150; ++i)  // 150 x 4.05 s
        out.write(one);
    return QFile::encodeName(out.fileName());
}

void BM_DecodeAlone(benchmark::State& state)
{
    std::vector<unsigned char> buf(4096 * 4);
    for (auto _ : state) {
        const double t0 = CpuSeconds();
        const int fd = ::open(g_file.constData(), O_RDONLY);
        mpg123_handle* mh = mpg123_new(nullptr, nullptr);
        mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_GAPLESS, 0);  // as the player decodes
        mpg123_format_none(mh);
        mpg123_format(mh, 44100, MPG123_STEREO, MPG123_ENC_SIGNED_16);
        mpg123_open_fd(mh, fd);
        size_t done = 0;
        long long bytes = 0;
        int r = MPG123_OK;
        while ((r = mpg123_read(mh, buf.data(), buf.size(), &done)) == MPG123_OK || r == MPG123_NEW_FORMAT)
            bytes += static_cast<long long>(done);
        benchmark::DoNotOptimize(bytes);
        mpg123_close(mh);
        mpg123_delete(mh);
        ::close(fd);
        g_baseline = std::min(g_baseline, CpuSeconds() - t0);
    }
}

void BM_PlayThroughPipeline(benchmark::State& state)
{
    UnpacedOutputs outputs;
    // Below full volume, so that every sample is scaled on its way.
    outputs.Gain().SetVolume(DeviceFromVolume(200));
    PcmPipeline pipeline(outputs);
    TMp3Play mp3(pipeline);
    for (auto _ : state) {
        const double t0 = CpuSeconds();
        if (mp3.Open(g_file) > 0) {
            state.SkipWithError("open failed");
            return;
        }
        mp3.Play();
        while (mp3.PlayPosition() < mp3.FrameCount())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        mp3.Close();
        g_pipeline = std::min(g_pipeline, CpuSeconds() - t0);
    }
}

} // namespace

BENCHMARK(BM_DecodeAlone)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlayThroughPipeline)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    g_file = MakeTenMinuteMp3(dir);
    if (g_file.isEmpty())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("ratio=%.3f goal=1.2\n", g_pipeline / g_baseline);
    return 0;
}
