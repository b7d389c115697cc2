// The media player's MIDI decoder: the tempo map, the synthesiser's own file
// reader, rendering and seeking.
#include "MemoryFile.h"
#include "player/MidiDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static MemoryFile file;
    int error = 0;
    auto d = MidiDecoder::Open(file.Hold(data, size),
                               {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3"}, error);
    if (!d)
        return 0;
    Drain(*d, MidiDecoder::kRate / 4);
    if (d->Seek(MidiDecoder::kRate))
        Drain(*d, MidiDecoder::kRate / 4);
    return 0;
}
