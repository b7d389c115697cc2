#include "Mp3Loader.h"

#include <chrono>

void Mp3Loader::Start(const QByteArray& file, Deliver deliver)
{
    Reset();
    file_ = file;
    started_ = true;
    auto decoder = Mp3Decoder::OpenFile(file);
    if (!decoder) {
        done_ = true;  // missing or unreadable: known at once, no thread
        if (deliver)
            deliver(nullptr);
        return;
    }
    worker_ = std::thread([this, d = std::move(decoder), deliver = std::move(deliver)]() mutable {
        if (!d->Load(cancel_))
            d.reset();
        if (deliver)
            deliver(std::move(d));
        std::lock_guard lock(mutex_);
        decoder_ = std::move(d);
        done_ = true;
        finished_.notify_all();
    });
}

void Mp3Loader::Reset()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
    cancel_ = false;
    decoder_.reset();
    done_ = false;
    started_ = false;
    file_.clear();
}

bool Mp3Loader::Wait(int ms)
{
    std::unique_lock lock(mutex_);
    return finished_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return done_ || !started_; });
}

std::unique_ptr<Mp3Decoder> Mp3Loader::Take()
{
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return done_ || !started_; });
    return std::move(decoder_);
}
