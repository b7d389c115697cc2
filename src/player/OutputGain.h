#pragma once

#include <atomic>
#include <cstdint>

// The program's wave-output volume: a gain per channel applied to the sound on its way to the
// output. Set on the window's thread, applied on the output's.
class OutputGain {
public:
    // Low 16 bits the left channel, high 16 the right; 65535 on both is full, which leaves the
    // sound untouched.
    uint32_t Volume() const { return volume_.load(std::memory_order_relaxed); }
    void SetVolume(uint32_t volume) { volume_.store(volume, std::memory_order_relaxed); }

    // Scales frames interleaved stereo frames in place.
    void Apply(int16_t* samples, int frames) const;

private:
    std::atomic<uint32_t> volume_{0xFFFFFFFFu};
};
