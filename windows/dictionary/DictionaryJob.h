#pragma once

#include <QObject>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <variant>

#include "core/dictionary/FindDictionary.h"
#include "core/game/GameFile.h"

namespace glyphwright {

// One dictionary search on a thread of its own: the game is read whole there and searched, so
// the windows stay responsive. Progress and the end come back as signals on the thread that
// made the job. Destroying the job cancels the search and waits for its thread.
class DictionaryJob final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DictionaryJob)

public:
    // What the search ended with: the findings, why the file could not be read, or cancelled.
    using Outcome = std::variant<DictionaryFindings, GameFileError, DictionaryCancelled>;

    DictionaryJob(GameFile file, LetterTable table);
    ~DictionaryJob() override;

    void Cancel() { cancel_.store(true, std::memory_order_relaxed); }
    // Set once `finished` has been sent.
    [[nodiscard]] const std::shared_ptr<const Outcome>& Finished() const { return outcome_; }

signals:
    void progressed(int percent);
    void finished();

private:
    std::atomic<bool> cancel_{false};
    std::shared_ptr<const Outcome> outcome_;
    std::thread thread_;  // last: it starts once everything it uses exists
};

}  // namespace glyphwright
