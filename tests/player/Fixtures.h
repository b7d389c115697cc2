#pragma once

#include "player/Decoder.h"
#include "support/TempFolder.h"

#include <QByteArray>
#include <QFile>

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <thread>
#include <vector>

extern char** environ;

// Waits for a condition that another thread brings about; fails after 10 s instead of hanging.
inline bool Eventually(const std::function<bool()>& done)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

inline QByteArray Fixture(const char* name) { return QByteArray(MELVANE_FIXTURES "/player/") + name; }

inline QByteArray ReadFixture(const char* name)
{
    QFile f(QString::fromUtf8(Fixture(name)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Starts a program found on PATH with these arguments (the first names it); 0 when it cannot. Not
// through QProcess: its child calls execve from inside Qt, which leaves the race checker blind to
// the locks of the calling thread for the rest of the run.
inline pid_t Spawn(std::vector<QByteArray> args)
{
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    return ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : 0;
}

// Runs the lame encoder quietly with these arguments and waits for it; true when it succeeded.
inline bool RunLame(std::vector<QByteArray> args)
{
    args.insert(args.begin(), {"lame", "--quiet"});
    const pid_t pid = Spawn(std::move(args));
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Writes bytes to dir/name by the native name (which need not be UTF-8).
inline QByteArray WriteFile(const TempFolder& dir, const QByteArray& name, const QByteArray& bytes)
{
    const QByteArray path = dir.At(name);
    return TempFolder::WriteBytes(path, bytes) ? path : QByteArray();
}

// A fixture repeated times over in dir/name: headerless MP3 frames concatenate
// into one longer stream.
inline QByteArray WriteRepeated(const TempFolder& dir, const QByteArray& name, const char* fixture, int times)
{
    return WriteFile(dir, name, ReadFixture(fixture).repeated(times));
}

// Every frame a decoder gives from where it stands to its end.
inline std::vector<int16_t> DecodeAll(IDecoder& d)
{
    std::vector<int16_t> out;
    std::vector<int16_t> chunk(4096 * 2);
    for (int n = d.Read(chunk.data(), 4096); n > 0; n = d.Read(chunk.data(), 4096))
        out.insert(out.end(), chunk.begin(), chunk.begin() + n * 2);
    return out;
}

// A 16-bit stereo WAV file of frames of a 440 Hz tone at rate.
inline QByteArray ToneWav(int rate, int frames)
{
    QByteArray wav("RIFF....WAVEfmt \x10\0\0\0\x01\0\x02\0........\x04\0\x10\0data....", 44);
    const auto le32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            wav[at + i] = static_cast<char>(v >> (8 * i));
    };
    le32(4, 36 + static_cast<uint32_t>(frames) * 4);
    le32(24, static_cast<uint32_t>(rate));
    le32(28, static_cast<uint32_t>(rate) * 4);
    le32(40, static_cast<uint32_t>(frames) * 4);
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<int16_t>(10000 * std::sin(2 * M_PI * 440 * (i + 0.5) / rate));
        for (int c = 0; c < 2; ++c)
            wav.append(static_cast<char>(v & 0xFF)).append(static_cast<char>(v >> 8));
    }
    return wav;
}
