#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

// What the MIDI player needs of a Standard MIDI File: its length up to the
// last event and the time of every tick. A bounded reader of our own, since a
// damaged file must be refused, never crash or hang the program.
class MidiTempoMap {
public:
    // False for anything but a complete Standard MIDI File: a chunk or an
    // event running past its end, a missing track, an unknown status, or a
    // length beyond what a player can count in ticks.
    bool Read(const QByteArray& data);

    // The tick of the last event of the longest track.
    int64_t EndTick() const { return endTick_; }
    int64_t LengthUs() const { return UsAt(endTick_); }
    int64_t UsAt(int64_t tick) const;
    // The tick that sounds at us.
    int64_t TickAt(int64_t us) const;

    // The file read last as the synthesiser can play it: with SMPTE timing,
    // which it does not know, the same ticks as quarters at a fixed tempo
    // (the file's own tempo events, meaningless there, turned into
    // sequencer-specific ones). Other files come back as they are. data is
    // what Read took.
    QByteArray ForSynthesiser(const QByteArray& data) const;

private:
    // From tick on, usPerUnit microseconds pass every ticksPerUnit_ ticks.
    struct Segment {
        int64_t tick;
        int64_t us;
        int64_t usPerUnit;
    };

    bool ReadTrack(const unsigned char* p, const unsigned char* end, std::vector<Segment>& tempos);

    int64_t ticksPerUnit_ = 0;
    bool smpte_ = false;
    int64_t endTick_ = 0;
    std::vector<Segment> segments_;
    const unsigned char* base_ = nullptr;  // the file, while it is read
    // With SMPTE timing: where the first track starts and where the type bytes
    // of tempo events are, as offsets in the file.
    qsizetype firstTrack_ = -1;
    std::vector<qsizetype> tempoTypes_;
};
