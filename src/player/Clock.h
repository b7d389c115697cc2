#pragma once

#include <chrono>
#include <cstdint>

class IClock {
public:
    virtual ~IClock() = default;
    virtual int64_t NowMs() = 0;
};

class SteadyClock final : public IClock {
public:
    int64_t NowMs() override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};
