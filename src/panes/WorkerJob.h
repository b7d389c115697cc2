#pragma once

#include <QList>
#include <QObject>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// How a job hands on what it reads.
struct JobPace {
    int firstBatch = 100;  // entries read before the first hand-over, so that something shows soon
    int batch = 1000;      // entries read between later hand-overs
    int mostTaken = 1000;  // items taken in one turn of the owner's event loop, so that its events stay short
};

// Reads on a worker thread and hands what it has read, in batches, to its owner on the
// thread that started it. The reading looks at the cancel flag between entries. Dropping
// the job cancels it without waiting: the worker ends on its own, and what it had not
// handed over is dropped. The thread that started it never waits for the worker.
template <class Item>
class WorkerJob final {
public:
    // Reads up to `entries` more entries into `into`; false once there is nothing more
    // to read. Stops early, between entries, once `cancelled` is set.
    using Read = std::function<bool(QList<Item>& into, int entries, const std::atomic<bool>& cancelled)>;
    // What has arrived, on the owner's thread; `ended` with the last of it.
    using Take = std::function<void(QList<Item> items, bool ended)>;

    WorkerJob(Read read, Take take, JobPace pace = {})
        : state_(std::make_shared<State>()), take_(std::move(take)), pace_(pace)
    {
        receiver_.job = this;
        state_->receiver = &receiver_;
        std::thread([state = state_, read = std::move(read), pace] { Work(*state, read, pace); }).detach();
    }

    ~WorkerJob()
    {
        const std::lock_guard lock(state_->mutex);
        state_->cancelled = true;
        // Posted hand-overs go with the receiver.
        state_->receiver = nullptr;
    }

    WorkerJob(const WorkerJob&) = delete;
    WorkerJob& operator=(const WorkerJob&) = delete;

private:
    struct State {
        std::mutex mutex;
        QObject* receiver = nullptr; // none once the job has been dropped
        QList<Item> pending;         // read, not yet taken
        bool ended = false;          // the last entry has been read
        bool posted = false;         // a hand-over is on its way
        std::atomic<bool> cancelled {false};
    };

    static void Work(State& state, const Read& read, JobPace pace)
    {
        QList<Item> batch;
        int entries = pace.firstBatch;
        bool more = true;
        while (more && !state.cancelled) {
            more = read(batch, entries, state.cancelled);
            entries = pace.batch;
            const std::lock_guard lock(state.mutex);
            if (!state.receiver)
                return;
            state.pending.append(std::move(batch));
            batch.clear();
            state.ended = !more;
            PostTake(state);
        }
    }

    // With the state's mutex held, and a receiver there.
    static void PostTake(State& state)
    {
        if (std::exchange(state.posted, true))
            return;
        auto* receiver = static_cast<Receiver*>(state.receiver);
        // Runs only while the receiver, and so the job, is there.
        QMetaObject::invokeMethod(receiver, [receiver] { receiver->job->TakeNow(); }, Qt::QueuedConnection);
    }

    void TakeNow()
    {
        QList<Item> taken;
        bool ended = false;
        {
            const std::lock_guard lock(state_->mutex);
            state_->posted = false;
            const qsizetype count = std::min<qsizetype>(state_->pending.size(), pace_.mostTaken);
            if (count == state_->pending.size()) {
                taken.swap(state_->pending);
            } else {
                taken = state_->pending.first(count);
                state_->pending.remove(0, count);
            }
            ended = state_->ended && state_->pending.isEmpty();
            // More is waiting: taken in the next turn, after what else is due.
            if (!state_->pending.isEmpty())
                PostTake(*state_);
        }
        // The owner may drop the job while it takes: nothing of the job is touched after.
        if (!taken.isEmpty() || ended) {
            const Take take = take_;
            take(std::move(taken), ended);
        }
    }

    struct Receiver final : QObject {
        WorkerJob* job = nullptr;
    };

    std::shared_ptr<State> state_;
    Take take_;
    JobPace pace_;
    Receiver receiver_;
};
