#pragma once

#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "BackgroundJob.h"
#include "core/game/GameFile.h"
#include "core/script/ScriptDump.h"
#include "storage/SaveFileAtomically.h"

namespace glyphwright {

// What one export writes: the script read from `game` through `entries`, at `scriptPath`, and
// beside it the table file the script names (request.tablePath) holding `tableFile`, and the
// further tables' files.
struct ScriptExport {
    GameFile game;
    std::vector<ScriptEntry> entries;
    DumpRequest request;
    std::string scriptPath;
    std::string tableFile;
    // The tables after the first, which switches read through, and the table's own id; each
    // further table's file, saved at request.furtherTablePaths.
    std::vector<ScriptSection> further{};
    std::string home{};
    std::vector<std::pair<std::string, std::string>> furtherFiles{};  // path, contents
    Inserter inserter = Inserter::Atlas;  // whose reading of the table the script follows
};

// What an export ended with: the dump written, why the game could not be read or a file not
// saved, or cancelled.
using ExportScriptOutcome = std::variant<DumpResult, GameFileError, FileError, DumpCancelled>;
// One export as a background job: the game is read, dumped and both files saved there, so the
// window keeps answering through a long dump. Its progress runs from 0 to 100; its one result is
// the outcome. Cancelled before the files are saved, it saves nothing; once saving has begun it
// runs to the end, so that the script never names a table that is not there, and says so.
// Destroying the job cancels it and waits for it.
using ExportScriptJob = BackgroundJob<ExportScriptOutcome>;

[[nodiscard]] std::unique_ptr<ExportScriptJob> StartExportScript(ScriptExport work);

}  // namespace glyphwright
