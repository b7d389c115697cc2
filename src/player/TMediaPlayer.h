#pragma once

#include "AudioOutput.h"
#include "DecoderLoader.h"
#include "PcmPipeline.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <cstdint>
#include <memory>

enum class MediaMode { NotOpen, Stopped, Playing, Paused };

// The media player for .mid (FluidSynth) and the types FFmpeg decodes (.wav, .wma,
// .flac, .ogg, .oga, .opus, .m4a, .ape). All times in milliseconds. It shares
// its pipeline with the MP3 player and steers it only while it holds it.
class TMediaPlayer {
public:
    explicit TMediaPlayer(PcmPipeline& pipeline);

    void SetFileName(const QByteArray& file) { fileName_ = file; }
    // The sound fonts tried in order for MIDI files.
    void SetSoundFonts(const QByteArrayList& fonts) { soundFonts_ = fonts; }

    // Ready at position 0; false with Error() set when the file will not open.
    bool Open();
    void Close();
    // From the current position; from 0 when it stands at the end.
    bool Play();
    void Pause();
    void Resume();
    void Seek(int64_t ms);

    int64_t Position() const;
    // Where playback really ends: worked out at open (the decoded duration of
    // a short file, else the container's figure) until decoding reaches the
    // end, then the decoded duration.
    int64_t Length() const;
    MediaMode Mode() const;

    // Opens file on a worker to follow the file playing in the pipeline, this
    // player's or the MP3 player's, without a gap (resampled to the rate of the
    // file playing). A seek, Play from the end or Close drops it.
    void Queue(const QByteArray& file);
    void Unqueue();
    // The file last queued and not dropped (also by a seek of the MP3 player); empty when none.
    QByteArray Queued() const { return pipeline_.NextPending() ? queued_ : QByteArray(); }
    // Once the file playing has been heard to its end and file, the queued one,
    // follows it, file becomes the open file, playing. False otherwise.
    bool TakeQueued(const QByteArray& file);
    // Told each time a file has been heard to its end.
    void SetEndNotice(std::shared_ptr<EndNotice> notice) { pipeline_.SetEndNotice(std::move(notice)); }

    int Error() const { return error_; }
    QString ErrorText() const;

private:
    bool Holds() const { return pipeline_.HeldBy(this); }
    int64_t ToMs(int64_t frames) const;
    // The decoder for file by its extension, with where it is known to end (exact: decoded whole).
    static std::unique_ptr<IDecoder> OpenDecoder(const QByteArray& file, const QByteArrayList& soundFonts, int& error,
                                                 int64_t& lengthMs, bool& exact);

    PcmPipeline& pipeline_;
    QByteArray fileName_;
    QByteArrayList soundFonts_;
    int64_t openMs_ = 0;
    bool exactAtOpen_ = false;  // openMs_ is the decoded length, not the header's
    QByteArray queued_;
    // Set by the loader before it queues the decoder, read once the decoder has been promoted.
    int64_t queuedMs_ = 0;
    bool queuedExact_ = false;
    DecoderLoader loader_;
    enum Run { kIdle, kPlaying, kPaused };
    Run run_ = kIdle;
    int error_ = 0;
};
