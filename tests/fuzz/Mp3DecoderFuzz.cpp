// The MP3 player's decoder: open (span, scan, first frames), decode, seek.
#include "MemoryFile.h"
#include "player/Mp3Decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static MemoryFile file;
    auto d = Mp3Decoder::Open(file.Hold(data, size));
    if (!d)
        return 0;
    if (d->FrameCount() <= 0 || d->SamplesPerFrame() <= 0 || d->Rate() <= 0)
        std::abort();
    Drain(*d, 1 << 20);
    if (d->Seek(d->FrameCount() / 2 * d->SamplesPerFrame()))
        Drain(*d, 1 << 16);
    return 0;
}
