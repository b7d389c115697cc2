#include "MidiTempoMap.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr int64_t kDefaultUsPerQuarter = 500000;  // 120 bpm

uint32_t BigEndian(const unsigned char* p, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | p[i];
    return v;
}

// A variable-length quantity of at most four bytes; false past end.
bool ReadVarLen(const unsigned char*& p, const unsigned char* end, uint32_t& value)
{
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (p >= end)
            return false;
        const unsigned char b = *p++;
        value = value << 7 | (b & 0x7F);
        if (!(b & 0x80))
            return true;
    }
    return false;
}

} // namespace

bool MidiTempoMap::Read(const QByteArray& data)
{
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData());
    const auto* const end = p + data.size();
    endTick_ = 0;
    segments_.clear();
    tempoTypes_.clear();
    firstTrack_ = -1;
    base_ = p;
    if (data.size() < 14 || std::memcmp(p, "MThd", 4) != 0)
        return false;
    const uint32_t headerLength = BigEndian(p + 4, 4);
    if (headerLength < 6 || headerLength > static_cast<uint32_t>(end - p - 8))
        return false;
    const int tracks = static_cast<int>(BigEndian(p + 10, 2));
    const int division = static_cast<int>(BigEndian(p + 12, 2));
    if (tracks == 0 || division == 0)
        return false;
    smpte_ = (division & 0x8000) != 0;
    if (smpte_) {
        // Frames a second (negative in the high byte) times ticks a frame;
        // 29 stands for 29.97 drop-frame.
        const int fps = -static_cast<signed char>(division >> 8);
        const int perFrame = division & 0xFF;
        if (fps <= 0 || perFrame == 0)
            return false;
        ticksPerUnit_ = static_cast<int64_t>(fps == 29 ? 2997 : fps * 100) * perFrame;
    } else {
        ticksPerUnit_ = division;
    }
    std::vector<Segment> tempos;
    p += 8 + headerLength;
    for (int found = 0; found < tracks;) {
        if (end - p < 8)
            return false;
        const uint32_t length = BigEndian(p + 4, 4);
        if (length > static_cast<uint64_t>(end - p - 8))
            return false;
        if (std::memcmp(p, "MTrk", 4) == 0) {
            if (firstTrack_ < 0)
                firstTrack_ = p - base_;
            if (!ReadTrack(p + 8, p + 8 + length, tempos))
                return false;
            ++found;
        }
        p += 8 + length;
    }

    // Tempo changes in tick order; of several at one tick the last read holds.
    std::stable_sort(tempos.begin(), tempos.end(), [](const Segment& a, const Segment& b) { return a.tick < b.tick; });
    const int64_t usPerSmpteUnit = 100'000'000;  // 100 s, so that 29.97 frames a second count exactly
    segments_.push_back({0, 0, smpte_ ? usPerSmpteUnit : kDefaultUsPerQuarter});
    for (const Segment& t : tempos) {
        if (t.tick != segments_.back().tick)
            segments_.push_back({t.tick, UsAt(t.tick), t.usPerUnit});
        else
            segments_.back().usPerUnit = t.usPerUnit;
    }
    return endTick_ > 0;
}

bool MidiTempoMap::ReadTrack(const unsigned char* p, const unsigned char* end, std::vector<Segment>& tempos)
{
    int64_t tick = 0;
    unsigned char running = 0;
    while (p < end) {
        uint32_t delta = 0;
        if (!ReadVarLen(p, end, delta) || p >= end)
            return false;
        tick += delta;
        if (tick > INT_MAX)
            return false;  // beyond what the synthesiser's player counts
        unsigned char status = *p;
        if (status & 0x80)
            ++p;
        else if (running)
            status = running;
        else
            return false;

        if (status < 0xF0) {
            const int bytes = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            if (end - p < bytes)
                return false;
            p += bytes;
            running = status;
        } else if (status == 0xFF) {
            uint32_t length = 0;
            if (p >= end)
                return false;
            const unsigned char* typeAt = p;
            const unsigned char type = *p++;
            if (!ReadVarLen(p, end, length) || length > static_cast<uint32_t>(end - p))
                return false;
            if (type == 0x51 && smpte_)
                tempoTypes_.push_back(typeAt - base_);
            else if (type == 0x51 && length == 3)
                tempos.push_back({tick, 0, static_cast<int64_t>(BigEndian(p, 3))});
            p += length;
            running = 0;
            if (type == 0x2F) {
                endTick_ = std::max(endTick_, tick);
                return true;  // whatever follows the end of the track is no part of it
            }
        } else if (status == 0xF0 || status == 0xF7) {
            uint32_t length = 0;
            if (!ReadVarLen(p, end, length) || length > static_cast<uint32_t>(end - p))
                return false;
            p += length;
            running = 0;
        } else {
            return false;  // system messages other than sysex have no place in a file
        }
        endTick_ = std::max(endTick_, tick);
    }
    return true;
}

int64_t MidiTempoMap::UsAt(int64_t tick) const
{
    auto s = std::upper_bound(segments_.begin(), segments_.end(), tick,
                              [](int64_t t, const Segment& seg) { return t < seg.tick; });
    if (s == segments_.begin())
        return 0;
    --s;
    return s->us + (tick - s->tick) * s->usPerUnit / ticksPerUnit_;
}

int64_t MidiTempoMap::TickAt(int64_t us) const
{
    us = std::clamp<int64_t>(us, 0, LengthUs());
    auto s = std::upper_bound(segments_.begin(), segments_.end(), us,
                              [](int64_t t, const Segment& seg) { return t < seg.us; });
    if (s == segments_.begin())
        return 0;
    --s;
    if (s->usPerUnit <= 0)
        return s->tick;
    return s->tick + ((us - s->us) * ticksPerUnit_ + s->usPerUnit / 2) / s->usPerUnit;
}

QByteArray MidiTempoMap::ForSynthesiser(const QByteArray& data) const
{
    if (!smpte_ || firstTrack_ < 0)
        return data;
    // Ticks a second as ticks a quarter; the tempo makes a quarter last one second.
    const int64_t perSecond = std::clamp<int64_t>((ticksPerUnit_ + 50) / 100, 1, 0x7FFF);
    const int64_t usPerQuarter = std::min<int64_t>(perSecond * 100'000'000 / ticksPerUnit_, 0xFFFFFF);
    QByteArray out = data;
    out[12] = static_cast<char>(perSecond >> 8);
    out[13] = static_cast<char>(perSecond & 0xFF);
    for (qsizetype at : tempoTypes_)
        out[at] = '\x7F';
    const qsizetype lengthAt = firstTrack_ + 4;
    const uint32_t length = BigEndian(reinterpret_cast<const unsigned char*>(out.constData()) + lengthAt, 4) + 7;
    for (int i = 0; i < 4; ++i)
        out[lengthAt + i] = static_cast<char>(length >> (24 - 8 * i));
    const char tempo[7] = {0, '\xFF', 0x51, 3, static_cast<char>(usPerQuarter >> 16), static_cast<char>(usPerQuarter >> 8),
                           static_cast<char>(usPerQuarter)};
    out.insert(firstTrack_ + 8, tempo, 7);
    return out;
}
