#include "ExportScriptJob.h"

#include <algorithm>
#include <span>
#include <utility>

namespace glyphwright {

namespace {

constexpr std::size_t kPiece = 1 << 20;
// Reading the game is the first tenth of the way; the dump the rest.
constexpr int kReadDone = 10;

ExportScriptOutcome Export(const ScriptExport& work, const std::atomic<bool>& stop,
                           QPromise<ExportScriptOutcome>& promise) {
    const auto cancelled = [&stop] { return stop.load(std::memory_order_relaxed); };
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(work.game.Size()));
    for (std::size_t at = 0; at < bytes.size();) {
        if (cancelled()) return DumpCancelled{};
        const std::size_t wanted = std::min(kPiece, bytes.size() - at);
        const auto got = work.game.Read(at, std::span(bytes).subspan(at, wanted));
        if (!got) return got.error();
        if (got.value() == 0)
            return GameFileError{GameFileProblem::SizeChanged, work.game.Path(), 0};
        at += got.value();
        promise.setProgressValue(static_cast<int>(kReadDone * at / bytes.size()));
    }
    const ScriptTable table(work.entries, work.further, work.home, work.inserter);
    auto dump = DumpScript(bytes, table, work.request, stop, [&](int percent) {
        promise.setProgressValue(kReadDone + percent * (100 - kReadDone) / 100);
    });
    if (!dump) return DumpCancelled{};
    // The last moment to stop: past it both files are saved.
    if (cancelled()) return DumpCancelled{};
    // The table first: a script is never left naming a table that is not there.
    if (const auto saved = SaveFileAtomically(work.request.tablePath, work.tableFile); !saved) {
        return saved.error();
    }
    for (const auto& [path, contents] : work.furtherFiles) {
        if (const auto saved = SaveFileAtomically(path, contents); !saved) return saved.error();
    }
    if (const auto saved = SaveFileAtomically(work.scriptPath, dump.value().script); !saved) {
        return saved.error();
    }
    return std::move(dump).value();
}

}  // namespace

std::unique_ptr<ExportScriptJob> StartExportScript(ScriptExport work) {
    return std::make_unique<ExportScriptJob>(
        [work = std::move(work)](QPromise<ExportScriptOutcome>& promise,
                                 const ExportScriptJob::StopFlag& stop) {
            promise.setProgressRange(0, 100);
            promise.addResult(Export(work, stop, promise));
        });
}

}  // namespace glyphwright
