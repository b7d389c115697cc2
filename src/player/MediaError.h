#pragma once

#include <QString>

// Error numbers of the media player; the MP3 player only tells loaded or not.
enum MediaErrorCode : int {
    kMediaOk = 0,
    kErrFileNotFound = 1,
    kErrFileUnreadable = 2,
    kErrBadFormat = 3,
    kErrNoSoundFont = 4,
    kErrNoAudioDevice = 5,
    kErrNotOpen = 6,
};

QString MediaErrorText(int code);
