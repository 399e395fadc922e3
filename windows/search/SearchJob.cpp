#include "SearchJob.h"

#include <QMetaObject>

#include <chrono>
#include <utility>

namespace glyphwright {

namespace {
// Often enough for a smooth bar, rarely enough not to flood the event loop.
constexpr auto kProgressInterval = std::chrono::milliseconds(50);
}  // namespace

SearchJob::SearchJob(RelativeSearch search, GameFile file, SearchOptions options, BlockHook hook)
    : thread_([this, search = std::move(search), file = std::move(file), options,
               hook = std::move(hook)] {
          using Clock = std::chrono::steady_clock;
          Clock::time_point lastSent = Clock::now();
          const auto progress = [&](std::uint64_t done, std::uint64_t total) {
              if (hook) hook(done);
              const auto now = Clock::now();
              if (now - lastSent < kProgressInterval) return;
              lastSent = now;
              QMetaObject::invokeMethod(
                  this, [this, done, total] { emit progressed(done, total); },
                  Qt::QueuedConnection);
          };
          auto outcome =
              std::make_shared<const Outcome>(search.Run(file, cancel_, progress, options));
          // Delivered only while the job lives: a destroyed job's pending calls are dropped.
          QMetaObject::invokeMethod(
              this,
              [this, outcome = std::move(outcome)]() mutable {
                  outcome_ = std::move(outcome);
                  emit finished();
              },
              Qt::QueuedConnection);
      }) {}

SearchJob::~SearchJob() {
    Cancel();
    thread_.join();
}

}  // namespace glyphwright
