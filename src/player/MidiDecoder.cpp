#include "MidiDecoder.h"

#include "MediaError.h"
#include "NativeFile.h"

#include <fluidsynth.h>

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <mutex>

namespace {
constexpr long long kMaxMidiBytes = 16 * 1024 * 1024;

void QuietSynthesiser()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
    });
}
} // namespace

struct MidiSynthesiser {
    QByteArray font;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;

    ~MidiSynthesiser()
    {
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }

    // Null when the synthesiser cannot be made or the font does not load.
    static std::unique_ptr<MidiSynthesiser> Load(const QByteArray& font)
    {
        auto s = std::make_unique<MidiSynthesiser>();
        s->font = font;
        s->settings = new_fluid_settings();
        fluid_settings_setnum(s->settings, "synth.sample-rate", MidiDecoder::kRate);
        // Driven by the samples we render, not by a system timer thread.
        fluid_settings_setstr(s->settings, "player.timing-source", "sample");
        s->synth = new_fluid_synth(s->settings);
        if (!s->synth || fluid_synth_sfload(s->synth, font.constData(), 1) == FLUID_FAILED)
            return nullptr;
        return s;
    }
};

namespace {

// Loading the sound font is most of an open: the synthesiser of the last file waits, font loaded,
// for the next one.
class SynthesiserPool {
public:
    std::unique_ptr<MidiSynthesiser> Take(const QByteArray& font)
    {
        std::lock_guard lock(mutex_);
        if (idle_ && idle_->font == font)
            return std::move(idle_);
        return nullptr;
    }
    void Give(std::unique_ptr<MidiSynthesiser> synthesiser)
    {
        std::lock_guard lock(mutex_);
        idle_ = std::move(synthesiser);
    }

private:
    std::mutex mutex_;
    std::unique_ptr<MidiSynthesiser> idle_;
};

SynthesiserPool& Pool()
{
    static SynthesiserPool pool;
    return pool;
}
} // namespace

std::unique_ptr<MidiDecoder> MidiDecoder::Open(const QByteArray& path, const QByteArrayList& soundFonts, int& error)
{
    QuietSynthesiser();
    std::unique_ptr<MidiDecoder> d(new MidiDecoder);
    NativeFile file;
    if (!file.Open(path, error) || !file.ReadAll(d->data_, kMaxMidiBytes, error))
        return nullptr;
    if (!d->tempoMap_.Read(d->data_)) {
        error = kErrBadFormat;
        return nullptr;
    }
    d->data_ = d->tempoMap_.ForSynthesiser(d->data_);
    d->lengthMs_ = (d->tempoMap_.LengthUs() + 500) / 1000;
    // Rounded up, so that the heard duration in whole ms is the length itself.
    d->totalFrames_ = (d->lengthMs_ * kRate + 999) / 1000;
    if (d->lengthMs_ <= 0) {
        error = kErrBadFormat;
        return nullptr;
    }
    const auto font = std::find_if(soundFonts.begin(), soundFonts.end(),
                                   [](const QByteArray& f) { return ::access(f.constData(), R_OK) == 0; });
    if (font == soundFonts.end()) {
        error = kErrNoSoundFont;
        return nullptr;
    }
    d->synthesiser_ = Pool().Take(*font);
    if (!d->synthesiser_)
        d->synthesiser_ = MidiSynthesiser::Load(*font);
    if (!d->synthesiser_) {
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
    if (synthesiser_)
        Pool().Give(std::move(synthesiser_));
}

bool MidiDecoder::StartPlayer(int ticks)
{
    if (player_) {
        fluid_player_stop(player_);
        delete_fluid_player(player_);
    }
    fluid_synth_system_reset(synthesiser_->synth);
    player_ = new_fluid_player(synthesiser_->synth);
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
    if (fluid_synth_write_s16(synthesiser_->synth, n, dst, 0, 2, dst, 1, 2) != FLUID_OK)
        return 0;
    rendered_ += n;
    return n;
}

bool MidiDecoder::Seek(int64_t frame)
{
    rendered_ = std::clamp<int64_t>(frame, 0, totalFrames_);
    const int64_t tick = tempoMap_.TickAt(rendered_ / kRate * 1'000'000 + rendered_ % kRate * 1'000'000 / kRate);
    return StartPlayer(static_cast<int>(std::min<int64_t>(tick, INT_MAX)));
}
