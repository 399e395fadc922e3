// BackgroundJob, the one way the windows run long work: what the work tells is heard on the
// window's thread, Cancel stops it while the event loop keeps running and the work still says how
// it ended, destroying a job waits for its work, jobs on a one-thread pool run in turn, and a
// window takes a finished job's outcome.

#include <QCoreApplication>
#include <QPointer>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>

#include "BackgroundJob.h"

namespace glyphwright::test {

namespace {

constexpr int kWaitMs = 10000;

using IntJob = BackgroundJob<int>;

constexpr int kStopped = -1;

// Spins until asked to stop, after saying it started; then says it stopped.
auto SpinUntilStopped(QSemaphore& started, std::atomic<bool>& ended) {
    return [&started, &ended](QPromise<int>& promise, const IntJob::StopFlag& stop) {
        started.release();
        while (!stop.load()) QThread::yieldCurrentThread();
        promise.addResult(kStopped);
        ended = true;
    };
}

}  // namespace

class BackgroundJobTest final : public QObject {
    Q_OBJECT

private slots:
    void progressAndResultsAreHeardOnTheWindowsThread() {
        std::atomic<QThread*> workThread = nullptr;
        IntJob job([&workThread](QPromise<int>& promise, const IntJob::StopFlag&) {
            workThread = QThread::currentThread();
            promise.setProgressRange(0, 10);
            for (int i = 1; i <= 10; ++i) promise.setProgressValue(i);
            promise.addResult(42);
        });
        QThread* heardOn = nullptr;
        connect(&job, &IntJob::resultReadyAt, this,
                [&heardOn] { heardOn = QThread::currentThread(); });
        QSignalSpy progressed(&job, &IntJob::progressValueChanged);
        QSignalSpy finished(&job, &IntJob::finished);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
        QVERIFY(workThread.load() != nullptr);
        QVERIFY(workThread.load() != QCoreApplication::instance()->thread());
        QCOMPARE(heardOn, QCoreApplication::instance()->thread());
        QVERIFY(!job.isCanceled());
        QCOMPARE(job.result(), 42);
        QVERIFY(!progressed.isEmpty());
        QCOMPARE(progressed.last().at(0).toInt(), 10);  // the end is always told
    }

    void cancelStopsTheWorkWhichSaysSoAndTheEventLoopRunsMeanwhile() {
        QSemaphore started;
        std::atomic<bool> ended = false;
        IntJob job(SpinUntilStopped(started, ended));
        QSignalSpy results(&job, &IntJob::resultReadyAt);
        QSignalSpy finished(&job, &IntJob::finished);
        QVERIFY(started.tryAcquire(1, kWaitMs));
        // The window's thread is free while the work runs: its timers fire.
        bool ticked = false;
        QTimer::singleShot(0, this, [&ticked] { ticked = true; });
        QTRY_VERIFY_WITH_TIMEOUT(ticked, kWaitMs);
        QVERIFY(!ended);
        QCOMPARE(finished.count(), 0);

        job.Cancel();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
        QVERIFY(ended);
        // Heard before the end: how the work ended.
        QCOMPARE(results.count(), 1);
        QCOMPARE(job.result(), kStopped);
    }

    void destroyingTheJobWaitsForItsWork() {
        QSemaphore started;
        std::atomic<bool> ended = false;
        {
            IntJob job(SpinUntilStopped(started, ended));
            QVERIFY(started.tryAcquire(1, kWaitMs));
        }
        QVERIFY(ended);
    }

    void jobsOnAOneThreadPoolRunOneAfterAnother() {
        QThreadPool pool;
        pool.setMaxThreadCount(1);
        std::atomic<int> running = 0;
        std::atomic<int> most = 0;
        const auto counted = [&running, &most](auto then) {
            return [&running, &most, then](QPromise<int>& promise, const IntJob::StopFlag& stop) {
                const int now = ++running;
                int seen = most.load();
                while (now > seen && !most.compare_exchange_weak(seen, now)) {
                }
                then(promise, stop);
                --running;
            };
        };
        QSemaphore started;
        std::atomic<bool> ended = false;
        auto first = std::make_unique<IntJob>(pool, counted(SpinUntilStopped(started, ended)));
        QVERIFY(started.tryAcquire(1, kWaitMs));
        IntJob second(pool, counted([](QPromise<int>& promise, const IntJob::StopFlag&) {
                          promise.addResult(2);
                      }));
        QSignalSpy finished(&second, &IntJob::finished);
        // Dropped while it runs: it is told to stop and not waited for; the next one follows it.
        first.reset();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
        QVERIFY(ended);
        QCOMPARE(second.result(), 2);
        QCOMPARE(most.load(), 1);
        pool.waitForDone();
    }

    // A window's handler of `finished` takes the job and what its work said; a job cancelled
    // before its work began said nothing, and the handler is given what stands for that.
    void takeFinishedHandsOverWhatTheWorkSaidOrTheCancel() {
        QThreadPool pool;
        pool.setMaxThreadCount(1);
        QSemaphore started;
        std::atomic<bool> ended = false;
        auto first = std::make_unique<IntJob>(pool, SpinUntilStopped(started, ended));
        QVERIFY(started.tryAcquire(1, kWaitMs));
        // Waiting its turn behind the first: cancelled, its work never begins.
        auto second = std::make_unique<IntJob>(
            pool, [](QPromise<int>& promise, const IntJob::StopFlag&) { promise.addResult(2); });
        QSignalSpy firstFinished(first.get(), &IntJob::finished);
        QSignalSpy secondFinished(second.get(), &IntJob::finished);
        second->Cancel();
        first->Cancel();
        QTRY_COMPARE_WITH_TIMEOUT(firstFinished.count() + secondFinished.count(), 2, kWaitMs);
        const QPointer<IntJob> firstLeft = first.get();
        QCOMPARE(TakeFinished(first, 0), kStopped);
        QCOMPARE(TakeFinished(second, 0), 0);
        QVERIFY(!first && !second);
        // Deleted once control is back in the event loop.
        QTRY_VERIFY_WITH_TIMEOUT(firstLeft.isNull(), kWaitMs);
        pool.waitForDone();
    }
};

}  // namespace glyphwright::test

QTEST_MAIN(glyphwright::test::BackgroundJobTest)
#include "BackgroundJobTest.moc"
