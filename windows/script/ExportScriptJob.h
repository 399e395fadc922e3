#pragma once

#include <QObject>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "core/game/GameFile.h"
#include "core/script/ScriptDump.h"
#include "storage/SaveFileAtomically.h"

namespace glyphwright {

// What one export writes: the script read from `game` through `entries`, at `scriptPath`, and
// beside it the table file the script names (request.tablePath) holding `tableFile`.
struct ScriptExport {
    GameFile game;
    std::vector<ScriptEntry> entries;
    DumpRequest request;
    std::string scriptPath;
    std::string tableFile;
};

// One export on a thread of its own: the game is read, dumped and both files saved there, so the
// window keeps answering through a long dump. Progress and the end come back as signals on the
// thread that made the job. Cancelled before the files are saved, it saves nothing; once saving
// has begun it runs to the end, so that the script never names a table that is not there.
// Destroying the job cancels it and waits for its thread.
class ExportScriptJob final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ExportScriptJob)

public:
    // The dump written, why the game could not be read or a file not saved, or cancelled.
    using Outcome = std::variant<DumpResult, GameFileError, FileError, DumpCancelled>;

    explicit ExportScriptJob(ScriptExport work);
    ~ExportScriptJob() override;

    void Cancel() { cancel_.store(true, std::memory_order_relaxed); }
    // Set once `finished` has been sent.
    [[nodiscard]] const std::shared_ptr<const Outcome>& Finished() const { return outcome_; }

signals:
    void progressed(int percent);
    void finished();

private:
    [[nodiscard]] Outcome Run(const ScriptExport& work);

    std::atomic<bool> cancel_{false};
    std::shared_ptr<const Outcome> outcome_;
    std::thread thread_;  // last: it starts once everything it uses exists
};

}  // namespace glyphwright
