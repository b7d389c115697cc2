#include "TMediaPlayer.h"

#include "FfmpegDecoder.h"
#include "MediaError.h"
#include "MediaKind.h"
#include "MidiDecoder.h"

#include <algorithm>
#include <memory>
#include <utility>

TMediaPlayer::TMediaPlayer(PcmPipeline& pipeline)
    : pipeline_(pipeline),
      soundFonts_{"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3"}
{
}

std::unique_ptr<IDecoder> TMediaPlayer::OpenDecoder(const QByteArray& file, const QByteArrayList& soundFonts, int& error,
                                                    int64_t& lengthMs, bool& exact)
{
    exact = false;
    switch (MediaKindOf(file)) {
    case MediaKind::Midi: {
        auto midi = MidiDecoder::Open(file, soundFonts, error);
        if (midi)
            lengthMs = midi->LengthMs();
        return midi;
    }
    case MediaKind::Ffmpeg: {
        auto ff = FfmpegDecoder::Open(file, error);
        if (ff) {
            exact = ff->KnownFrames() >= 0;
            lengthMs = exact ? ff->KnownFrames() * 1000 / ff->Rate() : ff->HeaderMs();
        }
        return ff;
    }
    default:
        error = kErrBadFormat;
        return nullptr;
    }
}

bool TMediaPlayer::Open()
{
    Close();
    error_ = kMediaOk;
    auto decoder = OpenDecoder(fileName_, soundFonts_, error_, openMs_, exactAtOpen_);
    if (!decoder)
        return false;
    if (!pipeline_.Start(std::move(decoder), this)) {
        error_ = kErrNoAudioDevice;
        return false;
    }
    return true;
}

void TMediaPlayer::Queue(const QByteArray& file)
{
    Unqueue();
    if (!pipeline_.Running())
        return;
    queued_ = file;
    pipeline_.ExpectNext();
    auto length = std::make_shared<std::pair<int64_t, bool>>(0, false);
    // Copies of their own for the worker, so that no byte array's data is shared between threads.
    QByteArrayList fonts;
    for (const QByteArray& font : soundFonts_)
        fonts.append(QByteArray(font.constData(), font.size()));
    loader_.Start(
        [file = QByteArray(file.constData(), file.size()), fonts = std::move(fonts), length] {
            int error = kMediaOk;
            return OpenDecoder(file, fonts, error, length->first, length->second);
        },
        [this, length](std::unique_ptr<IDecoder> decoder) {
            queuedMs_ = length->first;
            queuedExact_ = length->second;
            pipeline_.Queue(std::move(decoder));
        });
}

void TMediaPlayer::Unqueue()
{
    loader_.Reset();  // first, so that no load queues its decoder afterwards
    if (!queued_.isEmpty())
        pipeline_.DropNext();
    queued_.clear();
}

bool TMediaPlayer::TakeQueued(const QByteArray& file)
{
    if (queued_.isEmpty() || file != queued_ || !pipeline_.Promote(this))
        return false;
    fileName_ = file;
    openMs_ = queuedMs_;
    exactAtOpen_ = queuedExact_;
    queued_.clear();
    run_ = kPlaying;
    return true;
}

void TMediaPlayer::Close()
{
    Unqueue();
    if (Holds())
        pipeline_.Stop();
    run_ = kIdle;
    openMs_ = 0;
    exactAtOpen_ = false;
}

bool TMediaPlayer::Play()
{
    if (!Holds()) {
        error_ = kErrNotOpen;
        return false;
    }
    if (pipeline_.Drained()) {
        pipeline_.SetPaused(true);
        Seek(0);
    }
    pipeline_.SetPaused(false);
    run_ = kPlaying;
    return true;
}

void TMediaPlayer::Pause()
{
    if (Mode() == MediaMode::Playing) {
        pipeline_.SetPaused(true);
        run_ = kPaused;
    }
}

void TMediaPlayer::Resume()
{
    if (Mode() == MediaMode::Paused) {
        pipeline_.SetPaused(false);
        run_ = kPlaying;
    }
}

void TMediaPlayer::Seek(int64_t ms)
{
    // Rounded up, so that the position read back in whole ms is ms itself.
    Unqueue();
    if (Holds())
        pipeline_.Seek((std::max<int64_t>(0, ms) * pipeline_.Rate() + 999) / 1000);
}

int64_t TMediaPlayer::ToMs(int64_t frames) const { return frames * 1000 / pipeline_.Rate(); }

int64_t TMediaPlayer::Position() const
{
    return Holds() ? ToMs(pipeline_.Position()) : 0;
}

int64_t TMediaPlayer::Length() const
{
    if (!Holds())
        return 0;
    const int64_t end = pipeline_.EndFrame();
    if (end >= 0)
        return ToMs(end);
    // Known whole at open: the same figure whether or not the decoder has reached the end yet.
    if (exactAtOpen_)
        return openMs_;
    const int64_t position = Position();
    if (pipeline_.Ended())
        return position;  // a seek beyond what the stream can reach
    // Past a header that claims too little, the end has still not come.
    return std::max(openMs_, position + 1);
}

MediaMode TMediaPlayer::Mode() const
{
    if (!Holds())
        return MediaMode::NotOpen;
    if (run_ == kPaused)
        return MediaMode::Paused;
    // A file played to its end stands stopped at its end.
    return run_ == kPlaying && !pipeline_.Drained() ? MediaMode::Playing : MediaMode::Stopped;
}

QString TMediaPlayer::ErrorText() const { return MediaErrorText(error_); }
