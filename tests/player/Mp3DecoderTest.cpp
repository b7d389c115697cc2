#include "Fixtures.h"
#include "player/Mp3Decoder.h"
#include "player/Mp3Span.h"

#include <gtest/gtest.h>
#include <mpg123.h>


#include <algorithm>
#include <vector>

namespace {

std::vector<int16_t> DecodeAll(const QByteArray& path)
{
    auto d = Mp3Decoder::Open(path);
    return d ? DecodeAll(*d) : std::vector<int16_t>();
}

TEST(Mp3DecoderTest, ACutLastFrameIsLeftOutAndTheWholeFramesPlay)
{
    // truncated.mp3 holds the Info frame, 56 whole audio frames and 45 bytes
    // of the next one; an APE tag after it must not complete that frame.
    // Without the encoder's delay and padding: the three seconds encoded.
    const std::vector<int16_t> full = DecodeAll(Fixture("cbr.mp3"));
    ASSERT_EQ(full.size(), 3u * 44100 * 2);
    // The header's length no longer fits the file, so nothing is trimmed: the
    // whole frames play, the delay (576 samples of the encoder's, 529 of the
    // decoder's) first.
    constexpr size_t kDelay = (576 + 529) * 2;
    const std::vector<int16_t> head(full.begin(), full.begin() + 56 * 1152 * 2 - kDelay);
    for (const char* name : {"truncated.mp3", "truncated_ape.mp3"}) {
        SCOPED_TRACE(name);
        auto d = Mp3Decoder::Open(Fixture(name));
        ASSERT_TRUE(d);
        EXPECT_EQ(d->FrameCount(), 56);
        EXPECT_EQ(d->TotalMs(), 56 * 1152 * 1000 / 44100);
        const std::vector<int16_t> got = DecodeAll(*d);
        ASSERT_EQ(got.size(), 56u * 1152 * 2);
        EXPECT_TRUE(std::equal(got.begin() + kDelay, got.end(), head.begin()));
    }
}

// The sample frames libmpg123 decodes from the whole file on its own, with or without gapless trimming.
int64_t SamplesLibmpg123Decodes(const QByteArray& path, bool gapless)
{
    mpg123_init();
    mpg123_handle* mh = mpg123_new(nullptr, nullptr);
    mpg123_param(mh, gapless ? MPG123_ADD_FLAGS : MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
    int64_t samples = 0;
    if (mpg123_open(mh, path.constData()) == MPG123_OK) {
        off_t frame = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        int channels = 0;
        int encoding = 0;
        long rate = 0;
        while (mpg123_decode_frame(mh, &frame, &audio, &bytes) != MPG123_DONE)
            if (bytes > 0 && mpg123_getformat(mh, &rate, &channels, &encoding) == MPG123_OK)
                samples += int64_t(bytes) / (channels * mpg123_encsize(encoding));
    }
    mpg123_delete(mh);
    return samples;
}

TEST(Mp3DecoderTest, AVbrFileWithAXingHeaderCountsAndPlaysEveryFrameLibmpg123Decodes)
{
    const QByteArray path = Fixture("xing_vbr.mp3");
    const int64_t samples = SamplesLibmpg123Decodes(path, false);
    ASSERT_EQ(samples % 1152, 0);
    auto d = Mp3Decoder::Open(path);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->FrameCount(), samples / 1152);
    EXPECT_EQ(int64_t(DecodeAll(*d).size()), SamplesLibmpg123Decodes(path, true) * 2);
}

TEST(Mp3DecoderTest, TagsAtTheEndAreNoAudio)
{
    const QByteArray audio = ReadFixture("vbr_noheader.mp3");
    QByteArray id3v1("TAG");
    id3v1 += QByteArray(125, 'x');
    QByteArray lyrics = QByteArray("LYRICSBEGIN") + QByteArray(20, 'y');
    lyrics += QByteArray::number(lyrics.size()).rightJustified(6, '0') + "LYRICS200";
    TempFolder dir;
    const QByteArray path = WriteFile(dir, "tagged.mp3", audio + lyrics + id3v1);
    auto d = Mp3Decoder::Open(path);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->FrameCount(), 155);
    EXPECT_EQ(DecodeAll(*d), DecodeAll(Fixture("vbr_noheader.mp3")));
}

TEST(Mp3DecoderTest, AVbriHeaderFrameIsNoAudio)
{
    auto d = Mp3Decoder::Open(Fixture("vbri.mp3"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->FrameCount(), 155);
    EXPECT_EQ(DecodeAll(*d), DecodeAll(Fixture("vbr_noheader.mp3")));
}

TEST(Mp3DecoderTest, AVbriFrameAfterAnId3v2TagIsFoundToo)
{
    QByteArray id3v2("ID3\x04\x00\x10\x00\x00\x01\x00", 10);  // 128 bytes of frames, then a footer
    id3v2 += QByteArray(128, '\0') + QByteArray("3DI\x04\x00\x10\x00\x00\x01\x00", 10);
    TempFolder dir;
    const QByteArray path = WriteFile(dir, "tagged_vbri.mp3", id3v2 + ReadFixture("vbri.mp3"));
    NativeFile file;
    int error = 0;
    ASSERT_TRUE(file.Open(path, error));
    const Mp3Span span = FindMp3Span(file);
    EXPECT_EQ(span.begin, 148 + 731);
    EXPECT_EQ(span.end, file.Size());
    auto d = Mp3Decoder::Open(path);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->FrameCount(), 155);
}

TEST(Mp3DecoderTest, FrameLengthsFollowVersionLayerBitrateRateAndPadding)
{
    const struct {
        unsigned char header[4];
        int length;
    } cases[] = {
        {{0xFF, 0xFB, 0x90, 0x04}, 417},  // MPEG-1 layer III, 128 kbit/s, 44.1 kHz
        {{0xFF, 0xFB, 0x92, 0x04}, 418},  // the same, padded
        {{0xFF, 0xF3, 0x80, 0xC4}, 208},  // MPEG-2 layer III, 64 kbit/s, 22.05 kHz
        {{0xFF, 0xE3, 0x18, 0xC4}, 72},   // MPEG-2.5 layer III, 8 kbit/s, 8 kHz
        {{0xFF, 0xFF, 0x10, 0xC4}, 32},   // MPEG-1 layer I, 32 kbit/s, 44.1 kHz
        {{0xFF, 0xFD, 0x24, 0xC4}, 144},  // MPEG-1 layer II, 48 kbit/s, 48 kHz
        {{0xFF, 0xFB, 0x00, 0x04}, 0},    // free format
        {{0xFF, 0xFB, 0xF0, 0x04}, 0},    // bad bitrate
        {{0xFF, 0xFB, 0x9C, 0x04}, 0},    // reserved rate
        {{0xFF, 0xEB, 0x90, 0x04}, 0},    // reserved version
        {{0xFF, 0xF9, 0x90, 0x04}, 0},    // reserved layer
        {{0xFE, 0xFB, 0x90, 0x04}, 0},    // no sync
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(Mp3FrameLength(c.header), c.length);
    }
}

TEST(Mp3DecoderTest, SoundAfterASeekEqualsAStraightDecode)
{
    for (const char* name : {"vbr_noheader.mp3", "cbr.mp3"}) {
        const std::vector<int16_t> straight = DecodeAll(Fixture(name));
        auto d = Mp3Decoder::Open(Fixture(name));
        ASSERT_TRUE(d);
        for (int frame : {1, 3, 9, 40, 77, 100, 110}) {
            SCOPED_TRACE(std::string(name) + " frame " + std::to_string(frame));
            ASSERT_TRUE(d->Seek(static_cast<int64_t>(frame) * 1152));
            std::vector<int16_t> got(1152 * 3 * 2);
            int filled = 0;
            while (filled < 1152 * 3) {
                const int n = d->Read(got.data() + filled * 2, 1152 * 3 - filled);
                ASSERT_GT(n, 0);
                filled += n;
            }
            const auto from = straight.begin() + static_cast<std::ptrdiff_t>(frame) * 1152 * 2;
            EXPECT_TRUE(std::equal(got.begin(), got.end(), from));
        }
    }
}

TEST(Mp3DecoderTest, CancellingStopsTheLoad)
{
    auto d = Mp3Decoder::OpenFile(Fixture("cbr.mp3"));
    ASSERT_TRUE(d);
    const std::atomic<bool> cancelled{true};
    EXPECT_FALSE(d->Load(cancelled));
    EXPECT_FALSE(Mp3Decoder::OpenFile(Fixture("missing.mp3")));
}

// The stereo frames libmpg123 gives for a file read on its own, counting those it hands over
// together with an error or the end.
int64_t FramesLibmpg123Reads(const QByteArray& path, bool gapless)
{
    mpg123_init();
    mpg123_handle* mh = mpg123_new(nullptr, nullptr);
    mpg123_param(mh, gapless ? MPG123_ADD_FLAGS : MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(mh);
    mpg123_format(mh, 44100, MPG123_STEREO, MPG123_ENC_SIGNED_16);
    int64_t bytes = 0;
    if (mpg123_open(mh, path.constData()) == MPG123_OK) {
        std::vector<unsigned char> buf(16384);
        size_t done = 0;
        int r = MPG123_OK;
        do {
            r = mpg123_read(mh, buf.data(), buf.size(), &done);
            bytes += static_cast<int64_t>(done);
        } while (r == MPG123_OK || r == MPG123_NEW_FORMAT);
    }
    mpg123_delete(mh);
    return bytes / 4;
}

// frames of a 440 Hz tone at 44.1 kHz, encoded by the lame program with the extra arguments.
QByteArray LameTone(const TempFolder& dir, int frames, std::vector<QByteArray> extra = {})
{
    extra.push_back(WriteFile(dir, "tone.wav", ToneWav(44100, frames)));
    extra.push_back(dir.At("tone.mp3"));
    if (!RunLame(std::move(extra)))
        return {};
    return TempFolder::ReadBytes(dir.At("tone.mp3"));
}

// Sets the padding in the LAME tag of the Info frame (MPEG-1 stereo) and its CRC over the frame's first 190 bytes.
void SetLamePadding(QByteArray& mp3, int padding)
{
    const auto frame = mp3.indexOf("Info") - 36;
    auto* d = reinterpret_cast<unsigned char*>(mp3.data()) + frame;
    unsigned char* delayPadding = d + 36 + 120 + 21;
    delayPadding[1] = static_cast<unsigned char>((delayPadding[1] & 0xF0) | (padding >> 8));
    delayPadding[2] = static_cast<unsigned char>(padding);
    unsigned crc = 0;
    for (int i = 0; i < 190; ++i) {
        crc ^= d[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    d[190] = static_cast<unsigned char>(crc >> 8);
    d[191] = static_cast<unsigned char>(crc);
}

TEST(Mp3DecoderTest, RealFilesThatEndOddlyOrStartLateAreHeardWhole)
{
    TempFolder dir;
    const QByteArray tone = LameTone(dir, 44100);
    ASSERT_FALSE(tone.isEmpty());
    // Zero bytes after the last frame: libmpg123 answers its last frames with an error.
    const QByteArray junk = WriteFile(dir, "junk.mp3", tone + QByteArray(2000, '\0'));
    // A run of zero bytes between an ID3v2 tag and the first frame.
    const QByteArray tagged = LameTone(dir, 44100, {"--id3v2-only", "--tt", "t"});
    const auto id3Size = 10 + ((tagged[6] << 21) | (tagged[7] << 14) | (tagged[8] << 7) | tagged[9]);
    const QByteArray late = WriteFile(dir, "late.mp3", tagged.left(id3Size) + QByteArray(415, '\0') + tagged.mid(id3Size));
    for (const QByteArray& path : {junk, late}) {
        SCOPED_TRACE(path.constData());
        auto d = Mp3Decoder::Open(path);
        ASSERT_TRUE(d);
        EXPECT_EQ(static_cast<int64_t>(DecodeAll(*d).size() / 2), FramesLibmpg123Reads(path, true));
    }
    EXPECT_EQ(FramesLibmpg123Reads(junk, true), 44100);

    // One sample: the Info header's delay and padding are all but everything; made everything,
    // the file plays untrimmed.
    QByteArray shortest = LameTone(dir, 1);
    SetLamePadding(shortest, 2 * 1152 - 576);
    const QByteArray empty = WriteFile(dir, "empty.mp3", shortest);
    ASSERT_EQ(FramesLibmpg123Reads(empty, true), 0);
    auto d = Mp3Decoder::Open(empty);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->FrameCount(), 2);
    EXPECT_EQ(static_cast<int64_t>(DecodeAll(*d).size() / 2), FramesLibmpg123Reads(empty, false));
}

} // namespace
