#pragma once

#include "Decoder.h"
#include "NativeFile.h"

#include <QByteArray>

#include <memory>
#include <vector>

struct AVFormatContext;
struct AVIOContext;
struct AVCodecContext;
struct SwrContext;
struct AVPacket;
struct AVFrame;

// WAV, WMA, FLAC, Ogg, Opus, M4A and APE through FFmpeg, read from a descriptor we opened ourselves. The
// content decides the format, since downloaded files are often misnamed.
class FfmpegDecoder final : public IDecoder {
public:
    // Null on failure, with error a MediaErrorCode.
    static std::unique_ptr<FfmpegDecoder> Open(const QByteArray& path, int& error);
    ~FfmpegDecoder() override;

    int Rate() const override { return rate_; }
    int Read(int16_t* dst, int maxFrames) override;
    bool Seek(int64_t frame) override;

    // The container's idea of the length; not to be trusted to the millisecond.
    int64_t HeaderMs() const { return headerMs_; }
    // The frames of the whole stream when it ended within the stretch decoded
    // at open; -1 for longer streams.
    int64_t KnownFrames() const { return knownFrames_; }

private:
    FfmpegDecoder() = default;
    bool Load();
    bool DecodeMore();
    void Convert(AVFrame* frame);

    static int ReadPacket(void* self, uint8_t* buf, int size);
    static int64_t SeekPacket(void* self, int64_t offset, int whence);

    NativeFile file_;
    long long offset_ = 0;
    AVIOContext* io_ = nullptr;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    SwrContext* swr_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVFrame* converted_ = nullptr;
    int stream_ = -1;
    int rate_ = 0;
    int64_t headerMs_ = 0;
    int64_t knownFrames_ = -1;
    bool flushed_ = false;
    bool finished_ = false;
    int64_t skipUntil_ = -1;  // after a seek: the first frame wanted
    // Timestamp (in frames) of the first sound decoded: position 0. Codecs such
    // as WMA swallow their first packets, so it need not be 0.
    int64_t origin_ = -1;
    std::vector<int16_t> pending_;
    size_t pendingAt_ = 0;
};
