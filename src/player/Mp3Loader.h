#pragma once

#include "Mp3Decoder.h"

#include <QByteArray>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Loads one MP3 file on a worker thread, since scanning a long file takes
// seconds, and keeps the outcome, so that repeated opens of that file scan it
// once.
class Mp3Loader {
public:
    Mp3Loader() = default;
    ~Mp3Loader() { Reset(); }
    Mp3Loader(const Mp3Loader&) = delete;
    Mp3Loader& operator=(const Mp3Loader&) = delete;

    // Takes the outcome on the worker thread instead of keeping it for Take.
    using Deliver = std::function<void(std::unique_ptr<Mp3Decoder>)>;

    // Starts loading file; whatever was loading before is dropped.
    void Start(const QByteArray& file, Deliver deliver = {});
    // Cancels a running load and forgets the file.
    void Reset();
    bool Holds(const QByteArray& file) const { return started_ && file_ == file; }
    // True once the load has finished; waits at most ms for it.
    bool Wait(int ms);
    // Blocks until the load has finished; the decoder, or null when the file
    // did not load. A decoder is handed out once; a failure stays a failure.
    std::unique_ptr<Mp3Decoder> Take();

private:
    QByteArray file_;
    bool started_ = false;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::unique_ptr<Mp3Decoder> decoder_;
};
