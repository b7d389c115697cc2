#pragma once

#include "NativeFile.h"

// The bytes of a file that libmpg123 should see as MPEG audio.
struct Mp3Span {
    long long begin = 0;
    long long end = 0;
};

// Leaves out the tags at the end (ID3v1, APEv2, Lyrics3v2), whose bytes would
// otherwise complete a cut-off last frame and play as noise, and a VBRI header
// frame at the start, which carries no sound.
Mp3Span FindMp3Span(const NativeFile& file);

// The length in bytes of the MPEG audio frame whose header is at data, 0 when
// the four bytes are no valid header.
int Mp3FrameLength(const unsigned char* header);
