#include "Mp3Span.h"

#include <cstring>

namespace {

uint32_t LittleEndian32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

bool ReadExactly(const NativeFile& file, long long offset, unsigned char* dst, long long size)
{
    return offset >= 0 && file.ReadAt(offset, reinterpret_cast<char*>(dst), size) == size;
}

// Where the audio stops once one trailing tag is taken off; end itself when
// none ends there.
long long StripTrailingTag(const NativeFile& file, long long begin, long long end)
{
    unsigned char buf[32];
    if (end - begin >= 128 && ReadExactly(file, end - 128, buf, 3) && std::memcmp(buf, "TAG", 3) == 0)
        return end - 128;
    if (end - begin >= 32 && ReadExactly(file, end - 32, buf, 32) && std::memcmp(buf, "APETAGEX", 8) == 0) {
        // The size counts the items and the footer; a header, when flagged, comes on top.
        const long long size = LittleEndian32(buf + 12) + ((buf[23] & 0x80) ? 32LL : 0LL);
        if (size >= 32 && size <= end - begin)
            return end - size;
    }
    if (end - begin >= 15 && ReadExactly(file, end - 15, buf, 15) && std::memcmp(buf + 6, "LYRICS200", 9) == 0) {
        long long size = 0;
        for (int i = 0; i < 6; ++i) {
            if (buf[i] < '0' || buf[i] > '9')
                return end;
            size = size * 10 + (buf[i] - '0');
        }
        if (size + 15 <= end - begin)
            return end - 15 - size;
    }
    return end;
}

// Past ID3v2 tags at the start.
long long SkipLeadingTags(const NativeFile& file, long long end)
{
    long long at = 0;
    unsigned char h[10];
    while (end - at >= 10 && ReadExactly(file, at, h, 10) && std::memcmp(h, "ID3", 3) == 0) {
        if ((h[6] | h[7] | h[8] | h[9]) & 0x80)
            break;
        const long long size = h[6] << 21 | h[7] << 14 | h[8] << 7 | h[9];
        at += 10 + size + ((h[5] & 0x10) ? 10 : 0);  // a footer follows when flagged
    }
    return at < end ? at : 0;
}

} // namespace

int Mp3FrameLength(const unsigned char* h)
{
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return 0;
    const int version = (h[1] >> 3) & 3;  // 0: MPEG 2.5, 2: MPEG 2, 3: MPEG 1
    const int layer = 4 - ((h[1] >> 1) & 3);
    const int bitrateIndex = h[2] >> 4;
    const int rateIndex = (h[2] >> 2) & 3;
    if (version == 1 || layer == 4 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return 0;
    static const int kBitrates[2][3][15] = {
        {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
         {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
         {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
        {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
         {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
         {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
    };
    static const int kRates[3] = {44100, 48000, 32000};
    const bool mpeg1 = version == 3;
    const int bitrate = kBitrates[mpeg1 ? 0 : 1][layer - 1][bitrateIndex] * 1000;
    const int rate = kRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    const int padding = (h[2] >> 1) & 1;
    if (layer == 1)
        return (12 * bitrate / rate + padding) * 4;
    const int perSlot = (layer == 3 && !mpeg1) ? 72 : 144;
    return perSlot * bitrate / rate + padding;
}

Mp3Span FindMp3Span(const NativeFile& file)
{
    Mp3Span span{0, file.Size()};
    if (span.end <= 0)
        return {0, 0};
    for (long long cut = StripTrailingTag(file, 0, span.end); cut != span.end; cut = StripTrailingTag(file, 0, span.end))
        span.end = cut;

    // The VBRI header sits 32 bytes after the first frame's four header bytes.
    const long long first = SkipLeadingTags(file, span.end);
    unsigned char frame[40];
    if (ReadExactly(file, first, frame, 40) && std::memcmp(frame + 36, "VBRI", 4) == 0) {
        const int length = Mp3FrameLength(frame);
        if (length > 0 && first + length < span.end)
            span.begin = first + length;
    }
    return span;
}
