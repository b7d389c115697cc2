#pragma once

#include "AudioOutput.h"
#include "IPlayDisplay.h"
#include "TMediaPlayer.h"
#include "TMp3Play.h"
#include "core/MsgDlg.h"
#include "core/utHead.h"

#include <QByteArray>

#include <cstdint>

// Starts a file in the player its extension asks for, and stops playback.
class TPlaybackEngine {
public:
    TPlaybackEngine(THead& head, IPlayDisplay& display, IMsgDlg& msg, TMp3Play& mp3, TMediaPlayer& media,
                    IAudioOutputFactory& outputs);

    // Starts file, or resumes it when it is the paused file.
    void PlayFile(const QByteArray& file);
    // The work of the stop action: players released, display cleared.
    void StopPlayback();
    // While the MP3 open is being retried no file is loaded yet; progress ticks wait.
    bool OpeningMp3() const { return opening_; }

private:
    bool OpenMp3(const QByteArray& file);
    void StartMp3();
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
