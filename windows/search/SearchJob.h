#pragma once

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "core/game/GameFile.h"
#include "core/search/RelativeSearch.h"

namespace glyphwright {

// One relative search running on a thread of its own, so that the windows stay responsive while
// it reads a file of any size. Progress and the end come back as signals on the thread that made
// the job. Destroying the job cancels the search and waits for its thread, which stops before its
// next block.
class SearchJob final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchJob)

public:
    using Outcome = Result<SearchResults, SearchStop>;
    // Called on the search's thread after each block, with the bytes read so far: for tests that
    // change the file, or hold the search, between two blocks.
    using BlockHook = std::function<void(std::uint64_t done)>;

    SearchJob(RelativeSearch search, GameFile file, SearchOptions options, BlockHook hook = {});
    ~SearchJob() override;

    void Cancel() { cancel_.store(true, std::memory_order_relaxed); }
    // Set once `finished` has been sent.
    [[nodiscard]] const std::shared_ptr<const Outcome>& Finished() const { return outcome_; }

signals:
    void progressed(quint64 done, quint64 total);  // a few times a second at most
    void finished();

private:
    std::atomic<bool> cancel_{false};
    std::shared_ptr<const Outcome> outcome_;
    std::thread thread_;  // last: it starts once everything it uses exists
};

}  // namespace glyphwright
