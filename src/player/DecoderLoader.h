#pragma once

#include "Decoder.h"

#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Opens a decoder on a worker thread and hands it over there, since probing a file or loading a
// sound font can take long enough to stall the window. A load that is dropped runs on unwatched
// and its decoder is thrown away: nobody waits for it.
class DecoderLoader {
public:
    DecoderLoader() = default;
    // Waits for the workers that still run (only at the end of the program).
    ~DecoderLoader();
    DecoderLoader(const DecoderLoader&) = delete;
    DecoderLoader& operator=(const DecoderLoader&) = delete;

    using Open = std::function<std::unique_ptr<IDecoder>()>;
    using Deliver = std::function<void(std::unique_ptr<IDecoder>)>;

    // Drops what was loading and starts open; deliver gets its outcome on the worker unless dropped first.
    void Start(Open open, Deliver deliver);
    // After this returns, nothing is delivered any more.
    void Reset();

private:
    struct Job {
        std::mutex mutex;
        bool dropped = false;
        bool done = false;
    };
    struct Worker {
        std::thread thread;
        std::shared_ptr<Job> job;
    };
    // Joins the workers that have finished.
    void Reap();

    std::shared_ptr<Job> job_;
    std::vector<Worker> workers_;
};
