#pragma once

#include "Decoder.h"
#include "Mp3Span.h"
#include "NativeFile.h"
#include "ReadAhead.h"

#include <QByteArray>

#include <sys/types.h>

#include <atomic>
#include <memory>
#include <vector>

struct mpg123_handle_struct;

// An MP3 file through libmpg123, frame-exact: the whole file is scanned at load.
// The encoder's delay and padding that a LAME/Info header names are trimmed
// (gapless), so the sound can be a little shorter than the frames; the length
// in time stays that of the whole frames. A last frame cut short is left out.
class Mp3Decoder final : public IDecoder {
public:
    // Opens the file without reading it; null when it is missing, unreadable
    // or no regular file.
    static std::unique_ptr<Mp3Decoder> OpenFile(const QByteArray& path);
    // Opens and loads at once; null on any failure.
    static std::unique_ptr<Mp3Decoder> Open(const QByteArray& path);
    ~Mp3Decoder() override;

    // The slow part: scans the whole file and decodes its start. False when no
    // whole frame decodes, or when cancel is set meanwhile (from any thread).
    bool Load(const std::atomic<bool>& cancel);

    int Rate() const override { return static_cast<int>(rate_); }
    int Read(int16_t* dst, int maxFrames) override;
    bool Seek(int64_t frame) override;

    int64_t FrameCount() const { return frames_; }
    int SamplesPerFrame() const { return spf_; }
    int64_t TotalMs() const { return frames_ * spf_ * 1000 / rate_; }

private:
    Mp3Decoder() = default;
    int Decode(int16_t* dst, int maxFrames);

    static ssize_t ReadSpan(void* self, void* dst, size_t size);
    static off_t SeekSpan(void* self, off_t offset, int whence);

    NativeFile file_;
    ReadAhead reader_{file_};
    Mp3Span span_;
    long long at_ = 0;  // read position inside the span
    const std::atomic<bool>* cancel_ = nullptr;
    mpg123_handle_struct* mh_ = nullptr;
    long rate_ = 0;
    int spf_ = 0;
    int64_t frames_ = 0;
    int64_t samples_ = 0;
    std::vector<int16_t> primed_;
    size_t primedAt_ = 0;
};
