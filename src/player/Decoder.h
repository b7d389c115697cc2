#pragma once

#include <cstdint>

// Rates beyond this come from damaged headers, not from sound.
constexpr int kMaxDecoderRate = 384000;

// A file decoded to interleaved signed 16-bit stereo frames at a fixed rate.
// After it is handed to the pipeline only the decoder thread calls it.
class IDecoder {
public:
    virtual ~IDecoder() = default;

    virtual int Rate() const = 0;
    // Decodes up to maxFrames frames into dst; 0 at the end of the stream (a
    // decoding error in the middle also ends it).
    virtual int Read(int16_t* dst, int maxFrames) = 0;
    // The next Read starts at this frame. False when the stream cannot go there.
    virtual bool Seek(int64_t frame) = 0;
};
