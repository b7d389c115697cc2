#include "PulseAudioOutput.h"

#include <pulse/rtclock.h>

#include <algorithm>

namespace {

// What the server holds ahead, as the robust players do (Audacious 500 ms). Pause, seek and volume
// do not wait for it: they act in the server.
constexpr int kServerMs = 500;
// How often the server's thread looks for sound that came while the server asked for none; when it
// got all it asked for, the server's own requests keep it going and the look can wait.
constexpr pa_usec_t kTickUs = 20000;
constexpr pa_usec_t kFedTickUs = 100000;

void Unref(pa_operation* op)
{
    if (op)
        pa_operation_unref(op);
}

pa_cvolume ServerVolume(uint32_t volume)
{
    pa_cvolume cv;
    pa_cvolume_init(&cv);
    cv.channels = 2;
    cv.values[0] = pa_sw_volume_from_linear((volume & 0xFFFFu) / 65535.0);
    cv.values[1] = pa_sw_volume_from_linear((volume >> 16) / 65535.0);
    return cv;
}

} // namespace

PulseAudioOutput::~PulseAudioOutput() { Stop(); }

void PulseAudioOutput::OnContextState(pa_context*, void* self)
{
    pa_threaded_mainloop_signal(static_cast<PulseAudioOutput*>(self)->loop_, 0);
}

void PulseAudioOutput::OnStreamState(pa_stream*, void* self)
{
    pa_threaded_mainloop_signal(static_cast<PulseAudioOutput*>(self)->loop_, 0);
}

void PulseAudioOutput::OnWrite(pa_stream*, size_t, void* self) { static_cast<PulseAudioOutput*>(self)->Pump(); }

void PulseAudioOutput::OnUnderflow(pa_stream*, void* self)
{
    auto* out = static_cast<PulseAudioOutput*>(self);
    out->starved_ = true;
    out->unheard_ = 0;
}

void PulseAudioOutput::OnTick(pa_mainloop_api*, pa_time_event* event, const struct timeval*, void* self)
{
    auto* out = static_cast<PulseAudioOutput*>(self);
    out->Pump();
    pa_context_rttime_restart(out->context_, event, pa_rtclock_now() + (out->hungry_ ? kTickUs : kFedTickUs));
}

bool PulseAudioOutput::Start(int rate, IPcmSource& source)
{
    Stop();
    source_ = &source;
    rate_ = rate;
    paused_ = true;
    hungry_ = true;
    sinceFlush_ = 0;
    starved_ = false;
    unheard_ = 0;
    loop_ = pa_threaded_mainloop_new();
    if (!loop_)
        return false;
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "MelvaneKIRO");
    if (!context_ || pa_threaded_mainloop_start(loop_) < 0) {
        Stop();
        return false;
    }
    pa_threaded_mainloop_lock(loop_);
    const bool ok = Connect(rate);
    pa_threaded_mainloop_unlock(loop_);
    if (!ok)
        Stop();
    return ok;
}

// With the loop locked: the context, then the stream, corked.
bool PulseAudioOutput::Connect(int rate)
{
    pa_context_set_state_callback(context_, &PulseAudioOutput::OnContextState, this);
    // Never start a server of our own: without one the next output in line plays.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return false;
    for (pa_context_state_t s; (s = pa_context_get_state(context_)) != PA_CONTEXT_READY;) {
        if (!PA_CONTEXT_IS_GOOD(s))
            return false;
        pa_threaded_mainloop_wait(loop_);
    }
    const pa_sample_spec spec{PA_SAMPLE_S16LE, static_cast<uint32_t>(rate), 2};
    stream_ = pa_stream_new(context_, "MelvaneKIRO", &spec, nullptr);
    if (!stream_)
        return false;
    pa_stream_set_state_callback(stream_, &PulseAudioOutput::OnStreamState, this);
    pa_stream_set_write_callback(stream_, &PulseAudioOutput::OnWrite, this);
    pa_stream_set_underflow_callback(stream_, &PulseAudioOutput::OnUnderflow, this);
    const uint32_t bytesPerMs = static_cast<uint32_t>(rate) * 4 / 1000;
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = kServerMs * bytesPerMs;
    attr.prebuf = static_cast<uint32_t>(-1);
    attr.minreq = kServerMs / 20 * bytesPerMs;
    attr.fragsize = static_cast<uint32_t>(-1);
    volume_ = gain_.Volume();
    const pa_cvolume cv = ServerVolume(volume_);
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_INTERPOLATE_TIMING
                                                      | PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(stream_, nullptr, &attr, flags, &cv, nullptr) < 0)
        return false;
    for (pa_stream_state_t s; (s = pa_stream_get_state(stream_)) != PA_STREAM_READY;) {
        if (!PA_STREAM_IS_GOOD(s))
            return false;
        pa_threaded_mainloop_wait(loop_);
    }
    tick_ = pa_context_rttime_new(context_, pa_rtclock_now() + kTickUs, &PulseAudioOutput::OnTick, this);
    return tick_ != nullptr;
}

void PulseAudioOutput::SetPaused(bool paused)
{
    if (!stream_)
        return;
    pa_threaded_mainloop_lock(loop_);
    paused_ = paused;
    Unref(pa_stream_cork(stream_, paused ? 1 : 0, nullptr, nullptr));
    pa_threaded_mainloop_unlock(loop_);
}

void PulseAudioOutput::Flush()
{
    if (!stream_)
        return;
    pa_threaded_mainloop_lock(loop_);
    Unref(pa_stream_flush(stream_, nullptr, nullptr));
    hungry_ = true;
    sinceFlush_ = 0;
    unheard_ = 0;
    pa_threaded_mainloop_unlock(loop_);
}

void PulseAudioOutput::Stop()
{
    if (!loop_)
        return;
    pa_threaded_mainloop_lock(loop_);
    if (tick_)
        pa_threaded_mainloop_get_api(loop_)->time_free(tick_);
    tick_ = nullptr;
    if (stream_) {
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    pa_threaded_mainloop_unlock(loop_);
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
    source_ = nullptr;
}

void PulseAudioOutput::FollowVolume()
{
    const uint32_t volume = gain_.Volume();
    if (volume == volume_)
        return;
    volume_ = volume;
    const pa_cvolume cv = ServerVolume(volume);
    Unref(pa_context_set_sink_input_volume(context_, pa_stream_get_index(stream_), &cv, nullptr, nullptr));
}

void PulseAudioOutput::Pump()
{
    if (!stream_ || pa_stream_get_state(stream_) != PA_STREAM_READY)
        return;
    FollowVolume();
    const size_t room = pa_stream_writable_size(stream_);
    const int want = room == static_cast<size_t>(-1) ? 0 : static_cast<int>(room / 4);
    int got = 0;
    if (want > 0) {
        void* data = nullptr;
        size_t bytes = static_cast<size_t>(want) * 4;
        if (pa_stream_begin_write(stream_, &data, &bytes) == 0 && data) {
            got = source_->Pull(static_cast<int16_t*>(data), static_cast<int>(bytes / 4), false);
            if (got > 0)
                pa_stream_write(stream_, data, static_cast<size_t>(got) * 4, nullptr, 0, PA_SEEK_RELATIVE);
            else
                pa_stream_cancel_write(stream_);
        }
    }
    sinceFlush_ += got;
    if (got > 0)
        starved_ = false;
    hungry_ = got < want && !source_->Exhausted();
    // The end of the sound: what is held plays out even when it is less than the server waits for.
    if (!paused_ && got < want && source_->Exhausted())
        Unref(pa_stream_trigger(stream_, nullptr, nullptr));
    pa_usec_t latency = 0;
    int negative = 0;
    if (starved_)
        unheard_ = 0;
    else if (pa_stream_get_latency(stream_, &latency, &negative) == 0)
        unheard_ = std::min<int64_t>(sinceFlush_, negative ? 0 : static_cast<int64_t>(latency * rate_ / 1000000));
}
