#pragma once

#include "BufferedFd.h"
#include "Decoder.h"
#include "NativeFile.h"

#include <QByteArray>

#include <memory>
#include <vector>

struct mpg123_handle_struct;

// An MP3 file through libmpg123, frame-exact: the whole file is scanned at open
// and every frame gives its full samples (no gapless trimming), so frame n
// starts at sample n * SamplesPerFrame().
class Mp3Decoder final : public IDecoder {
public:
    // Null when the file is missing, unreadable, not MP3, cut off inside a frame
    // or does not decode.
    static std::unique_ptr<Mp3Decoder> Open(const QByteArray& path);
    ~Mp3Decoder() override;

    int Rate() const override { return static_cast<int>(rate_); }
    int Read(int16_t* dst, int maxFrames) override;
    bool Seek(int64_t frame) override;

    int64_t FrameCount() const { return frames_; }
    int SamplesPerFrame() const { return spf_; }
    int64_t TotalMs() const { return samples_ * 1000 / rate_; }

private:
    Mp3Decoder() = default;
    bool Load();
    bool EndsInsideFrame();
    int Decode(int16_t* dst, int maxFrames);

    NativeFile file_;
    BufferedFd reader_;
    mpg123_handle_struct* mh_ = nullptr;
    long rate_ = 0;
    int spf_ = 0;
    int64_t frames_ = 0;
    int64_t samples_ = 0;
    std::vector<int16_t> primed_;
    size_t primedAt_ = 0;
};
