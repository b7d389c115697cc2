#include "DecoderLoader.h"

#include <algorithm>

DecoderLoader::~DecoderLoader()
{
    Reset();
    for (Worker& w : workers_)
        w.thread.join();
}

void DecoderLoader::Start(Open open, Deliver deliver)
{
    Reset();
    job_ = std::make_shared<Job>();
    workers_.push_back({std::thread([job = job_, open = std::move(open), deliver = std::move(deliver)] {
                            std::unique_ptr<IDecoder> decoder = open();
                            std::lock_guard lock(job->mutex);
                            if (!job->dropped)
                                deliver(std::move(decoder));
                            job->done = true;
                        }),
                        job_});
}

void DecoderLoader::Reset()
{
    if (job_) {
        std::lock_guard lock(job_->mutex);
        job_->dropped = true;
    }
    job_.reset();
    Reap();
}

void DecoderLoader::Reap()
{
    const auto finished = std::partition(workers_.begin(), workers_.end(), [](Worker& w) {
        std::lock_guard lock(w.job->mutex);
        return !w.job->done;
    });
    for (auto w = finished; w != workers_.end(); ++w)
        w->thread.join();
    workers_.erase(finished, workers_.end());
}
