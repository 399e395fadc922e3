#include "ExportScriptJob.h"

#include <QMetaObject>

#include <algorithm>
#include <span>

namespace glyphwright {

namespace {

constexpr std::size_t kPiece = 1 << 20;
// Reading the game is the first tenth of the way; the dump the rest.
constexpr int kReadDone = 10;

}  // namespace

ExportScriptJob::ExportScriptJob(ScriptExport work)
    : thread_([this, work = std::move(work)] {
          auto outcome = std::make_shared<const Outcome>(Run(work));
          // Queued to the job's own thread; the job outlives this thread.
          QMetaObject::invokeMethod(
              this,
              [this, outcome] {
                  outcome_ = outcome;
                  emit finished();
              },
              Qt::QueuedConnection);
      }) {}

ExportScriptJob::~ExportScriptJob() {
    Cancel();
    thread_.join();
}

ExportScriptJob::Outcome ExportScriptJob::Run(const ScriptExport& work) {
    int told = -1;
    const auto tell = [this, &told](int percent) {
        if (percent == told) return;
        told = percent;
        QMetaObject::invokeMethod(
            this, [this, percent] { emit progressed(percent); }, Qt::QueuedConnection);
    };
    const auto cancelled = [this] { return cancel_.load(std::memory_order_relaxed); };
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(work.game.Size()));
    for (std::size_t at = 0; at < bytes.size();) {
        if (cancelled()) return DumpCancelled{};
        const std::size_t wanted = std::min(kPiece, bytes.size() - at);
        const auto got = work.game.Read(at, std::span(bytes).subspan(at, wanted));
        if (!got) return got.error();
        if (got.value() == 0)
            return GameFileError{GameFileProblem::SizeChanged, work.game.Path(), 0};
        at += got.value();
        tell(static_cast<int>(kReadDone * at / bytes.size()));
    }
    const ScriptTable table(work.entries);
    auto dump = DumpScript(bytes, table, work.request, cancel_, [&](int percent) {
        tell(kReadDone + percent * (100 - kReadDone) / 100);
    });
    if (!dump) return DumpCancelled{};
    // The last moment to stop: past it both files are saved.
    if (cancelled()) return DumpCancelled{};
    // The table first: a script is never left naming a table that is not there.
    if (const auto saved = SaveFileAtomically(work.request.tablePath, work.tableFile); !saved) {
        return saved.error();
    }
    if (const auto saved = SaveFileAtomically(work.scriptPath, dump.value().script); !saved) {
        return saved.error();
    }
    return std::move(dump).value();
}

}  // namespace glyphwright
