#include "MidiDecoder.h"

#include "MediaError.h"
#include "NativeFile.h"

#include <glib.h>
#include <smf.h>

#include <fluidsynth.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {
constexpr long long kMaxMidiBytes = 16 * 1024 * 1024;

void QuietLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        g_log_set_handler("libsmf", static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION),
                          [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    });
}
uint32_t BigEndian32(const QByteArray& data, qsizetype at)
{
    const auto b = [&](qsizetype i) { return static_cast<uint32_t>(static_cast<unsigned char>(data[at + i])); };
    return b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
}

// libsmf plays what is there of a cut-off file; a chunk that runs past the end
// of the file or a missing track means the file is damaged.
bool ChunksComplete(const QByteArray& data)
{
    if (data.size() < 14 || !data.startsWith("MThd"))
        return false;
    const int tracks = static_cast<unsigned char>(data[10]) << 8 | static_cast<unsigned char>(data[11]);
    int found = 0;
    qsizetype at = 0;
    // From the header chunk up to the last track; whatever follows (padding,
    // say) is left alone.
    do {
        if (data.size() - at < 8)
            return false;
        const uint32_t length = BigEndian32(data, at + 4);
        if (length > static_cast<uint64_t>(data.size() - at - 8))
            return false;
        if (data.mid(at, 4) == "MTrk")
            ++found;
        at += 8 + static_cast<qsizetype>(length);
    } while (found < tracks);
    return true;
}
} // namespace

std::unique_ptr<MidiDecoder> MidiDecoder::Open(const QByteArray& path, const QByteArrayList& soundFonts, int& error)
{
    QuietLibraries();
    std::unique_ptr<MidiDecoder> d(new MidiDecoder);
    NativeFile file;
    if (!file.Open(path, error) || !file.ReadAll(d->data_, kMaxMidiBytes, error))
        return nullptr;
    if (!ChunksComplete(d->data_) || !d->ReadTempoMap()) {
        error = kErrBadFormat;
        return nullptr;
    }
    const auto font = std::find_if(soundFonts.begin(), soundFonts.end(),
                                   [](const QByteArray& f) { return ::access(f.constData(), R_OK) == 0; });
    if (font == soundFonts.end()) {
        error = kErrNoSoundFont;
        return nullptr;
    }
    d->settings_ = new_fluid_settings();
    fluid_settings_setnum(d->settings_, "synth.sample-rate", kRate);
    // Driven by the samples we render, not by a system timer thread.
    fluid_settings_setstr(d->settings_, "player.timing-source", "sample");
    d->synth_ = new_fluid_synth(d->settings_);
    if (!d->synth_ || fluid_synth_sfload(d->synth_, font->constData(), 1) == FLUID_FAILED) {
        error = kErrNoSoundFont;
        return nullptr;
    }
    if (!d->StartPlayer(0)) {
        error = kErrBadFormat;
        return nullptr;
    }
    return d;
}

MidiDecoder::~MidiDecoder()
{
    if (player_) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
    }
    if (synth_)
        delete_fluid_synth(synth_);
    if (settings_)
        delete_fluid_settings(settings_);
}

bool MidiDecoder::ReadTempoMap()
{
    smf_t* smf = smf_load_from_memory(data_.constData(), static_cast<int>(data_.size()));
    if (!smf)
        return false;
    ppqn_ = smf->ppqn;
    const double seconds = smf_get_length_seconds(smf);
    for (int i = 0;; ++i) {
        const smf_tempo_t* t = smf_get_tempo_by_number(smf, i);
        if (!t)
            break;
        tempos_.append({t->time_seconds, t->time_pulses, t->microseconds_per_quarter_note});
    }
    smf_delete(smf);
    if (ppqn_ <= 0 || !(seconds > 0) || tempos_.isEmpty())
        return false;
    lengthMs_ = std::llround(seconds * 1000);
    // Rounded up, so that the heard duration in whole ms is the length itself.
    totalFrames_ = (lengthMs_ * kRate + 999) / 1000;
    return lengthMs_ > 0;
}

int MidiDecoder::TicksAt(double seconds) const
{
    auto t = tempos_.cbegin();
    for (auto it = tempos_.cbegin(); it != tempos_.cend() && it->seconds <= seconds; ++it)
        t = it;
    const double quarters = (seconds - t->seconds) * 1e6 / t->usPerQuarter;
    return t->pulses + static_cast<int>(std::lround(quarters * ppqn_));
}

bool MidiDecoder::StartPlayer(int ticks)
{
    if (player_) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
    }
    fluid_synth_system_reset(synth_);
    player_ = new_fluid_player(synth_);
    // The seek goes in before play: a playing player refuses ticks beyond a file
    // it has not loaded yet.
    return player_ && fluid_player_add_mem(player_, data_.constData(), static_cast<size_t>(data_.size())) == FLUID_OK
        && (ticks == 0 || fluid_player_seek(player_, ticks) == FLUID_OK) && fluid_player_play(player_) == FLUID_OK;
}

int MidiDecoder::Read(int16_t* dst, int maxFrames)
{
    const int n = static_cast<int>(std::min<int64_t>(maxFrames, totalFrames_ - rendered_));
    if (n <= 0)
        return 0;
    if (fluid_synth_write_s16(synth_, n, dst, 0, 2, dst, 1, 2) != FLUID_OK)
        return 0;
    rendered_ += n;
    return n;
}

bool MidiDecoder::Seek(int64_t frame)
{
    rendered_ = std::clamp<int64_t>(frame, 0, totalFrames_);
    return StartPlayer(TicksAt(static_cast<double>(rendered_) / kRate));
}
