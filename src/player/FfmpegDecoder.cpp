#include "FfmpegDecoder.h"

#include "MediaError.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace {
constexpr int kIoBufferSize = 32768;
// Decoded at open, so that the length of a short file is known then, the same
// every time, and not whatever the decoder thread has reached.
constexpr int kLookaheadMs = 5000;
} // namespace

std::unique_ptr<FfmpegDecoder> FfmpegDecoder::Open(const QByteArray& path, int& error)
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });

    std::unique_ptr<FfmpegDecoder> d(new FfmpegDecoder);
    if (!d->file_.Open(path, error))
        return nullptr;
    if (!d->Load()) {
        error = kErrBadFormat;
        return nullptr;
    }
    return d;
}

FfmpegDecoder::~FfmpegDecoder()
{
    av_frame_free(&converted_);
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    swr_free(&swr_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
    if (io_) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
}

int FfmpegDecoder::ReadPacket(void* self, uint8_t* buf, int size)
{
    auto* d = static_cast<FfmpegDecoder*>(self);
    const long long n = d->file_.ReadAt(d->offset_, reinterpret_cast<char*>(buf), size);
    if (n < 0)
        return AVERROR(EIO);
    if (n == 0)
        return AVERROR_EOF;
    d->offset_ += n;
    return static_cast<int>(n);
}

int64_t FfmpegDecoder::SeekPacket(void* self, int64_t offset, int whence)
{
    auto* d = static_cast<FfmpegDecoder*>(self);
    const long long size = d->file_.Size();
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return size;
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += d->offset_;
        break;
    case SEEK_END:
        offset += size;
        break;
    default:
        return AVERROR(EINVAL);
    }
    if (offset < 0)
        return AVERROR(EINVAL);
    d->offset_ = offset;
    return offset;
}

bool FfmpegDecoder::Load()
{
    auto* buffer = static_cast<uint8_t*>(av_malloc(kIoBufferSize));
    io_ = avio_alloc_context(buffer, kIoBufferSize, 0, this, &FfmpegDecoder::ReadPacket, nullptr,
                             &FfmpegDecoder::SeekPacket);
    if (!io_) {
        av_free(buffer);
        return false;
    }
    format_ = avformat_alloc_context();
    if (!format_)
        return false;
    format_->pb = io_;
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    // Play lists and the like name other files or URLs: a media file is
    // played from its own bytes only, so no protocol may open anything.
    format_->protocol_whitelist = av_strdup("none");
    if (avformat_open_input(&format_, "", nullptr, nullptr) < 0)
        return false;  // format_ is freed and nulled
    if (avformat_find_stream_info(format_, nullptr) < 0)
        return false;
    const AVCodec* codec = nullptr;
    stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream_ < 0 || !codec)
        return false;
    const AVStream* stream = format_->streams[stream_];
    codec_ = avcodec_alloc_context3(codec);
    if (!codec_ || avcodec_parameters_to_context(codec_, stream->codecpar) < 0 || avcodec_open2(codec_, codec, nullptr) < 0)
        return false;
    rate_ = codec_->sample_rate;
    if (rate_ <= 0 || rate_ > kMaxDecoderRate || codec_->ch_layout.nb_channels <= 0)
        return false;
    swr_ = swr_alloc();
    if (!swr_)
        return false;

    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        headerMs_ = av_rescale_q(stream->duration, stream->time_base, AVRational{1, 1000});
    else if (format_->duration != AV_NOPTS_VALUE && format_->duration > 0)
        headerMs_ = format_->duration / 1000;

    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    converted_ = av_frame_alloc();
    if (!packet_ || !frame_ || !converted_)
        return false;
    // A file that does not decode must fail here, not play silence later.
    const size_t lookahead = static_cast<size_t>(rate_) * kLookaheadMs / 1000 * 2;
    while (pending_.size() < lookahead && DecodeMore()) {
    }
    if (pending_.empty())
        return false;
    if (finished_)
        knownFrames_ = static_cast<int64_t>(pending_.size() / 2);
    return true;
}

// The converter follows the frames: a damaged or spliced stream may change its
// channel layout, sample format or rate from one frame to the next.
void FfmpegDecoder::Convert(AVFrame* frame)
{
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        const int channels = frame->ch_layout.nb_channels;
        av_channel_layout_uninit(&frame->ch_layout);
        av_channel_layout_default(&frame->ch_layout, channels);
    }
    if (frame->sample_rate <= 0 || frame->sample_rate > kMaxDecoderRate)
        return;
    int r = AVERROR_INPUT_CHANGED;
    for (int attempt = 0; attempt < 2 && (r == AVERROR_INPUT_CHANGED || r == AVERROR_OUTPUT_CHANGED); ++attempt) {
        if (attempt > 0)
            swr_close(swr_);  // the next conversion sets it up from this frame
        av_frame_unref(converted_);
        converted_->ch_layout = AV_CHANNEL_LAYOUT_STEREO;
        converted_->format = AV_SAMPLE_FMT_S16;
        converted_->sample_rate = rate_;
        r = swr_convert_frame(swr_, converted_, frame);
    }
    const int got = r == 0 ? converted_->nb_samples : 0;
    if (got <= 0)
        return;
    const auto* out = reinterpret_cast<const int16_t*>(converted_->data[0]);
    const int64_t ts = frame->best_effort_timestamp;
    const int64_t start = ts == AV_NOPTS_VALUE ? -1 : av_rescale_q(ts, format_->streams[stream_]->time_base, AVRational{1, rate_});
    if (origin_ < 0)
        origin_ = std::max<int64_t>(0, start);
    int first = 0;
    if (skipUntil_ >= 0) {
        if (start >= 0)
            first = static_cast<int>(std::clamp<int64_t>(skipUntil_ - (start - origin_), 0, got));
        if (first < got)
            skipUntil_ = -1;
    }
    pending_.insert(pending_.end(), out + first * 2, out + got * 2);
}

// Decodes at least one more frame into pending_; false at the end.
bool FfmpegDecoder::DecodeMore()
{
    while (!finished_) {
        const int r = avcodec_receive_frame(codec_, frame_);
        if (r == 0) {
            Convert(frame_);
            av_frame_unref(frame_);
            return true;
        }
        if (r == AVERROR_EOF) {
            finished_ = true;
            break;
        }
        if (r != AVERROR(EAGAIN) && r != AVERROR_INVALIDDATA) {
            finished_ = true;
            break;
        }
        if (flushed_) {
            finished_ = true;
            break;
        }
        const int got = av_read_frame(format_, packet_);
        if (got < 0) {
            avcodec_send_packet(codec_, nullptr);
            flushed_ = true;
            continue;
        }
        if (packet_->stream_index == stream_)
            avcodec_send_packet(codec_, packet_);  // a damaged packet is skipped
        av_packet_unref(packet_);
    }
    return false;
}

int FfmpegDecoder::Read(int16_t* dst, int maxFrames)
{
    while (pendingAt_ >= pending_.size()) {
        pending_.clear();
        pendingAt_ = 0;
        if (!DecodeMore())
            return 0;
    }
    const size_t n = std::min(static_cast<size_t>(maxFrames) * 2, pending_.size() - pendingAt_);
    std::memcpy(dst, pending_.data() + pendingAt_, n * sizeof(int16_t));
    pendingAt_ += n;
    return static_cast<int>(n / 2);
}

bool FfmpegDecoder::Seek(int64_t frame)
{
    const AVStream* stream = format_->streams[stream_];
    const int64_t ts = av_rescale_q(frame, AVRational{1, rate_}, stream->time_base);
    if (av_seek_frame(format_, stream_, ts, AVSEEK_FLAG_BACKWARD) < 0
        && av_seek_frame(format_, stream_, ts, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) < 0)
        return false;
    avcodec_flush_buffers(codec_);
    swr_close(swr_);
    pending_.clear();
    pendingAt_ = 0;
    flushed_ = finished_ = false;
    skipUntil_ = frame;
    return true;
}
