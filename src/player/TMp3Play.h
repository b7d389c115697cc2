#pragma once

#include "AudioOutput.h"
#include "Mp3Loader.h"
#include "PcmPipeline.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

// The MP3 player control: one loaded file, positions in MPEG frames. It shares
// its pipeline with the media player and steers it only while it holds it.
class TMp3Play {
public:
    explicit TMp3Play(PcmPipeline& pipeline) : pipeline_(pipeline) {}
    // A load still running would hand its decoder to the pipeline.
    ~TMp3Play() { Release(); }
    TMp3Play(const TMp3Play&) = delete;
    TMp3Play& operator=(const TMp3Play&) = delete;

    // Starts scanning file in the background for the next Open of that file.
    void Prepare(const QByteArray& file);
    // True once a prepared scan has finished; waits at most ms for it.
    bool WaitPrepared(int ms) { return loader_.Wait(ms); }
    // 0 or less: loaded; greater than 0: not loaded (the caller may try again).
    // Each file is scanned once until Close: a repeated Open of a file that did
    // not load answers at once.
    int16_t Open(const QByteArray& file, const QString& unused = {});
    int16_t Play();
    // Playing becomes paused, paused becomes playing from the paused frame.
    int16_t Pause();
    // While paused: the next Pause resumes from this frame.
    int16_t Seek(int32_t frame);
    int16_t Stop();
    int16_t Close();
    // 0 nothing loaded or stopped, 1 playing, 2 paused.
    int16_t GetState() const { return static_cast<int16_t>(Holds() ? state_ : kStopped); }

    // Loads file in the background to follow the file playing in the pipeline,
    // this player's or the media player's, without a gap (it is taken up at the
    // rate of the file playing). A seek, Play, Stop or Close drops it.
    void Queue(const QByteArray& file);
    void Unqueue();
    // The file last queued and not dropped (also by a seek of the media player); empty when none.
    QByteArray Queued() const { return pipeline_.NextPending() ? queued_ : QByteArray(); }
    // Once the file playing has been heard to its end and file, the queued one,
    // follows it, file becomes the loaded file, playing. False otherwise.
    bool TakeQueued(const QByteArray& file);
    // Told each time a file has been heard to its end.
    void SetEndNotice(std::shared_ptr<EndNotice> notice) { pipeline_.SetEndNotice(std::move(notice)); }

    // The frame now heard; FrameCount once the end has been heard. 32-bit, so
    // that files of more than 32767 frames reach their end.
    int32_t PlayPosition() const;
    int32_t FrameCount() const { return Holds() ? frames_ : 0; }
    int32_t TotalTime() const { return Holds() ? totalMs_ : 0; }

private:
    bool Holds() const { return pipeline_.HeldBy(this); }
    void Release();
    void Adopt(const Mp3Decoder& decoder);

    enum State { kStopped = 0, kPlaying = 1, kPaused = 2 };

    Mp3Loader loader_;
    Mp3Loader nextLoader_;
    QByteArray queued_;
    PcmPipeline& pipeline_;
    State state_ = kStopped;
    int32_t frames_ = 0;
    int32_t totalMs_ = 0;
    int spf_ = 0;
    int rate_ = 0;  // the file's own; the output may run at another
};
