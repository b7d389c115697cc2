#pragma once

#include <functional>
#include <mutex>

// Tells the window's thread, from the output's thread, that the last sample of a
// file has been heard. Shared by the players and their listener, so either may
// go first; the listener cuts itself off before it goes.
class EndNotice {
public:
    void Listen(std::function<void()> tell)
    {
        std::lock_guard lock(mutex_);
        tell_ = std::move(tell);
    }
    void Tell()
    {
        std::lock_guard lock(mutex_);
        if (tell_)
            tell_();
    }

private:
    std::mutex mutex_;
    std::function<void()> tell_;
};
