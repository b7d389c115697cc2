#include "Fixtures.h"
#include "player/MidiTempoMap.h"

#include <gtest/gtest.h>

namespace {

QByteArray VarLen(uint32_t n)
{
    QByteArray out(1, static_cast<char>(n & 0x7F));
    for (n >>= 7; n; n >>= 7)
        out.prepend(static_cast<char>(0x80 | (n & 0x7F)));
    return out;
}

QByteArray BigEndian(uint32_t v, int bytes)
{
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

QByteArray Smf(int division, const QList<QByteArray>& tracks, int format = 1)
{
    QByteArray out = "MThd" + BigEndian(6, 4) + BigEndian(format, 2) + BigEndian(tracks.size(), 2) + BigEndian(division, 2);
    for (const QByteArray& t : tracks)
        out += "MTrk" + BigEndian(t.size(), 4) + t;
    return out;
}

QByteArray Tempo(uint32_t delta, uint32_t usPerQuarter) { return VarLen(delta) + "\xFF\x51\x03" + BigEndian(usPerQuarter, 3); }
QByteArray EndOfTrack(uint32_t delta) { return VarLen(delta) + QByteArray("\xFF\x2F\x00", 3); }
QByteArray Note(uint32_t delta, uint32_t length)
{
    return VarLen(delta) + QByteArray("\x90\x3C\x64", 3) + VarLen(length) + QByteArray("\x3C\x00", 2);  // running status
}

TEST(MidiTempoMapTest, TempoChangesFromAnyTrackShapeTheTime)
{
    // 96 ticks a quarter: 2 quarters at 120 bpm (1 s), then 4 at 60 bpm (4 s).
    const QByteArray conductor = Tempo(0, 500000) + Tempo(192, 1000000) + EndOfTrack(0);
    const QByteArray notes = Note(0, 96) + Note(0, 480) + EndOfTrack(0);
    MidiTempoMap map;
    ASSERT_TRUE(map.Read(Smf(96, {conductor, notes})));
    EXPECT_EQ(map.EndTick(), 576);
    EXPECT_EQ(map.LengthUs(), 5'000'000);
    EXPECT_EQ(map.UsAt(96), 500'000);
    EXPECT_EQ(map.UsAt(288), 2'000'000);
    EXPECT_EQ(map.TickAt(500'000), 96);
    EXPECT_EQ(map.TickAt(2'000'000), 288);
    EXPECT_EQ(map.TickAt(99'000'000), 576);  // held at the end
}

TEST(MidiTempoMapTest, WithoutTempoEventsAQuarterIsHalfASecond)
{
    MidiTempoMap map;
    ASSERT_TRUE(map.Read(Smf(480, {Note(0, 960) + EndOfTrack(480)}, 0)));
    EXPECT_EQ(map.LengthUs(), 1'500'000);
}

TEST(MidiTempoMapTest, SmpteTimingCountsFramesNotQuarters)
{
    MidiTempoMap map;
    ASSERT_TRUE(map.Read(ReadFixture("smpte.mid")));  // 25 fps x 40 ticks, tempo ignored
    EXPECT_EQ(map.LengthUs(), 2'500'000);
    EXPECT_EQ(map.TickAt(1'000'000), 1000);
    // 29.97 frames a second, 10 ticks a frame.
    ASSERT_TRUE(map.Read(Smf(0xE30A, {Note(0, 2997) + EndOfTrack(0)})));
    EXPECT_EQ(map.LengthUs(), 10'000'000);
}

TEST(MidiTempoMapTest, SmpteFilesBecomeQuartersAtAFixedTempoForTheSynthesiser)
{
    // 25 fps x 40 ticks; a tempo event, meaningless under SMPTE timing, in the middle.
    const QByteArray smpte = Smf(0xE728, {Note(0, 1000) + Tempo(500, 250000) + Note(0, 1000) + EndOfTrack(0)});
    MidiTempoMap map;
    ASSERT_TRUE(map.Read(smpte));
    EXPECT_EQ(map.LengthUs(), 2'500'000);
    const QByteArray converted = map.ForSynthesiser(smpte);
    EXPECT_EQ(converted.size(), smpte.size() + 7);
    MidiTempoMap quarters;
    ASSERT_TRUE(quarters.Read(converted));
    EXPECT_EQ(quarters.EndTick(), 2500);
    EXPECT_EQ(quarters.LengthUs(), 2'500'000);
    EXPECT_EQ(quarters.TickAt(1'000'000), 1000);
    EXPECT_EQ(quarters.ForSynthesiser(converted), converted);  // no SMPTE: as it was
}

TEST(MidiTempoMapTest, DamagedFilesAreRefused)
{
    const QByteArray note = Note(0, 480);
    const struct {
        const char* what;
        QByteArray data;
    } cases[] = {
        {"track too short", ReadFixture("track_too_short.mid")},
        {"sysex longer than the track", ReadFixture("bad_sysex.mid")},
        {"ticks past INT_MAX", ReadFixture("huge_delta.mid")},
        {"random bytes", ReadFixture("random.mid")},
        {"cut inside the chunks", ReadFixture("tempo_change.mid").left(60)},
        {"a missing track", Smf(480, {note + EndOfTrack(0)}).replace(11, 1, "\x02")},
        {"running status with none set", Smf(480, {VarLen(0) + QByteArray("\x3C\x64", 2) + EndOfTrack(0)})},
        {"a system status", Smf(480, {note + VarLen(0) + "\xF2\x01\x02" + EndOfTrack(0)})},
        {"a five-byte delta", Smf(480, {note + QByteArray("\x81\x81\x81\x81\x01\x80\x3C\x00", 8)})},
        {"a note cut at the end", Smf(480, {note + VarLen(0) + "\x90\x3C"})},
        {"nothing but the end", Smf(480, {EndOfTrack(0)})},
        {"no tracks", Smf(480, {})},
        {"no division", Smf(0, {note})},
        {"header length past the end", QByteArray("MThd\xFF\xFF\xFF\xFF\x00\x00\x00\x01\x01\xE0", 14)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MidiTempoMap map;
        EXPECT_FALSE(map.Read(c.data));
    }
}

TEST(MidiTempoMapTest, OtherChunksAndBytesAfterTheEndOfTrackAreLeftAlone)
{
    QByteArray data = Smf(480, {Note(0, 480) + EndOfTrack(0) + "junk"});
    data.insert(14, "XFIR" + BigEndian(3, 4) + "abc");
    MidiTempoMap map;
    ASSERT_TRUE(map.Read(data));
    EXPECT_EQ(map.EndTick(), 480);
}

} // namespace
