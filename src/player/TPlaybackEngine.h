#pragma once

#include "AudioOutput.h"
#include "IPlayDisplay.h"
#include "TMediaPlayer.h"
#include "TMp3Play.h"
#include "core/MsgDlg.h"
#include "core/utHead.h"

#include <QByteArray>

#include <cstdint>
#include <memory>

// Starts a file in the player its extension asks for, and stops playback.
class TPlaybackEngine {
public:
    TPlaybackEngine(THead& head, IPlayDisplay& display, IMsgDlg& msg, TMp3Play& mp3, TMediaPlayer& media,
                    IAudioOutputFactory& outputs);

    // Starts file, or resumes it when it is the paused file. When file was
    // prepared and already follows the file just heard to its end, it only
    // becomes the playing file: the sound goes on without a break.
    void PlayFile(const QByteArray& file);
    // Prepares file to follow the playing file without a gap, in whichever
    // player takes it; another file, or an empty one, drops what was prepared.
    void PrepareNext(const QByteArray& file);
    // The file prepared to follow; empty when none.
    QByteArray Prepared() const;
    // What is left to hear of the playing file.
    int64_t RemainingMs() const;
    // Told, from another thread, each time a file has been heard to its end.
    void SetEndNotice(const std::shared_ptr<EndNotice>& notice);
    // The work of the stop action: players released, display cleared.
    void StopPlayback();
    // While the MP3 open is being retried no file is loaded yet; progress ticks wait.
    bool OpeningMp3() const { return opening_; }

private:
    bool TakePrepared(const QByteArray& file);
    void ShowStarting(const QByteArray& file);
    void ShowMp3Length();
    void ShowMediaLength();
    bool OpenMp3(const QByteArray& file);
    void NoteMissingDevice();

    THead& head_;
    IPlayDisplay& display_;
    IMsgDlg& msg_;
    TMp3Play& mp3_;
    TMediaPlayer& media_;
    IAudioOutputFactory& outputs_;
    bool opening_ = false;
    // Bumped by every start and stop, so that a start waiting between MP3 open
    // tries sees that the user has moved on.
    uint64_t request_ = 0;
};
