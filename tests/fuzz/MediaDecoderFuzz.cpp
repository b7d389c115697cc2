// The media player's FFmpeg decoder: probe, open, decode, seek.
#include "MemoryFile.h"
#include "player/Decoder.h"
#include "player/FfmpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static MemoryFile file;
    int error = 0;
    auto d = FfmpegDecoder::Open(file.Hold(data, size), error);
    if (!d)
        return 0;
    if (d->Rate() <= 0 || d->Rate() > kMaxDecoderRate)
        std::abort();
    Drain(*d, 1 << 20);
    if (d->Seek(d->Rate() / 2))
        Drain(*d, 1 << 16);
    return 0;
}
