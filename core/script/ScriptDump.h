#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/script/PointerBlocks.h"
#include "core/script/ScriptTable.h"
#include "core/table/Result.h"
#include "core/table/TableCode.h"

namespace glyphwright {

// What to dump: the pointer tables, in the order given, and bytes to read between end codes.
struct DumpRequest {
    std::vector<PointerBlock> blocks;
    std::optional<ByteRange> range;
    std::string tablePath;  // as the script names it to the inserter
    // The files of the table's further tables (ScriptTable::FurtherTables), by id, as the script
    // names them; a table not here is named after `tablePath` and its id.
    std::map<std::string, std::string, std::less<>> furtherTablePaths;
};

// Where a further table's file is looked for when the request names none: beside the table,
// "game.tbl" and "kanji" giving "game.kanji.tbl".
[[nodiscard]] std::string FurtherTablePath(std::string_view tablePath, std::string_view id);

// Something found in the game that the script cannot give back as it was. `block` and `index`
// are 0-based; the messages count from 1.
struct DumpProblem {
    enum class Kind : std::uint8_t {
        PointerPastEnd,   // the pointer's own bytes lie past the file's end
        OutsideFile,      // it points to no place of the file
        IntoPointers,     // it points into a table of pointers (the string would overwrite them)
        IntoString,       // it points into the middle of another string
        BlocksOverlap,    // the block's pointers overlap those of block `other`
        NoEndCode,        // the string runs to the file's end (or into pointers) with no end code
        UnreadableBytes,  // the string holds bytes the table has no entry for
        NotWrittenBack,   // the inserter would write another value for the same place
        RangePastEnd,     // the range begins at or past the file's end: `target` its start
    };
    Kind kind = Kind::OutsideFile;
    std::size_t block = 0;
    std::uint64_t index = 0;
    std::uint64_t pointerOffset = 0;  // where the pointer is stored
    std::uint64_t target = 0;         // the offset it gives, or its value where it gives none
    // BlocksOverlap, IntoPointers: the other block; IntoString: the string's start.
    std::size_t other = 0;
    bool inRange = false;  // the string was found by --range, not by a pointer

    friend bool operator==(const DumpProblem&, const DumpProblem&) = default;
};

struct DumpResult {
    std::string script;  // the Atlas script, in the table file's encoding
    std::vector<DumpProblem> problems;
    // The codes read without an entry and how often, most frequent first.
    std::vector<std::pair<TableCode, std::size_t>> unread;
    std::size_t strings = 0;
    std::size_t pointers = 0;
};

// Reads every string the pointers and the range lead to and writes the Atlas script that puts
// them and the pointers back as they are.
[[nodiscard]] DumpResult DumpScript(std::span<const std::uint8_t> game, const ScriptTable& table,
                                    const DumpRequest& request);

// The dump stopped before its end: nothing of it is kept.
struct DumpCancelled {};
// How far the dump is, 0 to 100; told each time the percentage changes.
using DumpProgress = std::function<void(int percent)>;
// The same, telling its progress on the way and stopping soon after `cancel` is set.
[[nodiscard]] Result<DumpResult, DumpCancelled> DumpScript(std::span<const std::uint8_t> game,
                                                           const ScriptTable& table,
                                                           const DumpRequest& request,
                                                           const std::atomic<bool>& cancel,
                                                           const DumpProgress& progress = {});

}  // namespace glyphwright
