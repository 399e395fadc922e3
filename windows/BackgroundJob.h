#pragma once

#include <QFutureWatcher>
#include <QPromise>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <memory>
#include <utility>

namespace glyphwright {

// Long work of a window (a search, a page read, a dump) done away from the window's thread, so
// that the window answers every key while it runs. Every such work of the windows runs this way:
// on QtConcurrent, telling through a QPromise<T> how far it is (setProgressValue) and what it has
// (addResult), heard as this watcher's signals on the thread that started it, through its event
// loop: connecting right after making the job misses nothing.
//
// Cancel() asks the work to stop: the core's loops poll the flag the work is handed. The work
// still ends as it sees fit and says how (a search says it was cancelled; an export that has begun
// saving finishes and says what it wrote), and `finished` comes after all it said. Destroying the
// job cancels it and, on a thread of its own, waits for the work to stop; on a pool that is
// shared, the pool's owner waits for it instead. Either way the watcher is gone: nothing the work
// says after that is heard.
template <typename T>
class BackgroundJob final : public QFutureWatcher<T> {
    Q_DISABLE_COPY_MOVE(BackgroundJob)

public:
    using StopFlag = std::atomic<bool>;

    // Starts `work(QPromise<T>&, const StopFlag&)` at once on a thread of its own.
    template <typename Work>
    explicit BackgroundJob(Work work, QThread::Priority priority = QThread::InheritPriority)
        : ownPool_(std::make_unique<QThreadPool>()) {
        ownPool_->setMaxThreadCount(1);
        ownPool_->setThreadPriority(priority);
        Start(*ownPool_, std::move(work));
    }

    // Starts `work` on `pool`: with one thread there, works one after another, each finding what
    // the one before kept (the glyph matchers and what they drew).
    template <typename Work>
    BackgroundJob(QThreadPool& pool, Work work) {
        Start(pool, std::move(work));
    }

    ~BackgroundJob() override {
        Cancel();
        if (ownPool_) ownPool_->waitForDone();
    }

    void Cancel() { stop_->store(true, std::memory_order_relaxed); }

private:
    template <typename Work>
    void Start(QThreadPool& pool, Work work) {
        // The flag is shared with the work: on a shared pool the work may outlive the job.
        this->setFuture(QtConcurrent::run(
            &pool, [stop = stop_, work = std::move(work)](QPromise<T>& promise) mutable {
                if (!stop->load(std::memory_order_relaxed)) work(promise, *stop);
            }));
    }

    std::shared_ptr<StopFlag> stop_ = std::make_shared<StopFlag>(false);
    std::unique_ptr<QThreadPool> ownPool_;
};

// For the handler of a job's `finished`: lets go of `job`, which is deleted once control is back
// in the event loop (it is still sending the signal), and returns what the work said, or `unsaid`
// where it said nothing (cancelled before it began).
template <typename T>
[[nodiscard]] T TakeFinished(std::unique_ptr<BackgroundJob<T>>& job, T unsaid) {
    BackgroundJob<T>* finished = job.release();
    finished->deleteLater();
    return finished->future().resultCount() == 0 ? std::move(unsaid)
                                                 : finished->future().takeResult();
}

}  // namespace glyphwright
