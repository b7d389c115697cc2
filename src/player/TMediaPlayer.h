#pragma once

#include "AudioOutput.h"
#include "PcmPipeline.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <cstdint>

enum class MediaMode { NotOpen, Stopped, Playing, Paused };

// The media player for .mid (FluidSynth) and the types FFmpeg decodes (.wav, .wma,
// .flac, .ogg, .opus, .m4a, .ape). All times in milliseconds.
class TMediaPlayer {
public:
    explicit TMediaPlayer(IAudioOutputFactory& outputs);

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

    int Error() const { return error_; }
    QString ErrorText() const;

private:
    int64_t ToMs(int64_t frames) const;

    PcmPipeline pipeline_;
    QByteArray fileName_;
    QByteArrayList soundFonts_;
    int64_t openMs_ = 0;
    bool exactAtOpen_ = false;  // openMs_ is the decoded length, not the header's
    enum Run { kIdle, kPlaying, kPaused };
    Run run_ = kIdle;
    int error_ = 0;
};
