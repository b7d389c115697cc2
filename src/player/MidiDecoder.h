#pragma once

#include "Decoder.h"
#include "MidiTempoMap.h"

#include <QByteArray>
#include <QByteArrayList>

#include <memory>

struct _fluid_player_t;
struct MidiSynthesiser;

// A MIDI file rendered by FluidSynth into the pipeline (no FluidSynth audio
// driver). Its length is the tempo map up to the last event, read by our own
// reader: the synthesiser's player would go on while notes fade. A closed
// file's synthesiser, its sound font loaded, serves the next file.
class MidiDecoder final : public IDecoder {
public:
    static constexpr int kRate = 44100;

    // soundFonts: candidate files, the first readable one is used. Null on
    // failure, with error a MediaErrorCode.
    static std::unique_ptr<MidiDecoder> Open(const QByteArray& path, const QByteArrayList& soundFonts, int& error);
    ~MidiDecoder() override;

    int Rate() const override { return kRate; }
    int Read(int16_t* dst, int maxFrames) override;
    bool Seek(int64_t frame) override;

    int64_t LengthMs() const { return lengthMs_; }

private:
    MidiDecoder() = default;
    bool StartPlayer(int ticks);

    QByteArray data_;
    MidiTempoMap tempoMap_;
    int64_t lengthMs_ = 0;
    int64_t totalFrames_ = 0;
    int64_t rendered_ = 0;
    std::unique_ptr<MidiSynthesiser> synthesiser_;  // with the sound font loaded
    _fluid_player_t* player_ = nullptr;
};
