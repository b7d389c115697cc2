// The Standard MIDI File reader behind the MIDI player's length and seeks.
#include "player/MidiTempoMap.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MidiTempoMap map;
    if (!map.Read(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))))
        return 0;
    const int64_t length = map.LengthUs();
    if (map.EndTick() <= 0 || length < 0)
        std::abort();
    for (int64_t us : {int64_t{0}, length / 3, length / 2, length, length + 1}) {
        const int64_t tick = map.TickAt(us);
        if (tick < 0 || tick > map.EndTick() || map.UsAt(tick) < 0)
            std::abort();
    }
    return 0;
}
