#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "ParseHexByte.h"
#include "Result.h"
#include "TableOrder.h"
#include "Workspace.h"

namespace glyphwright {

struct AssemblyError {
    enum class Kind {
        PastFF,        // a member of `setName` on `line` would land above code FF
        NothingToLay,  // the order names no set, so there is no range to write
        EmptyRange,    // the last code laid, `last`, comes before the start code `setStart`
    };
    Kind kind;
    int line = 0;         // 1-based Table Order line, for PastFF
    std::string setName;  // for PastFF
    int setStart = 0;  // code the failing set began at, for PastFF; the start code, for EmptyRange
    int last = 0;      // the last code laid, for EmptyRange
};

// What the Table Order lays on one code.
struct LaidCode {
    std::string_view member;  // the set member; empty when the order lays nothing here
    int line = -1;            // 0-based Table Order line that lays it (the last one to)
    int overlaps = -1;        // an earlier line whose member it lays over; -1 when none
};

// The result of laying the order from a start code, before anything is stored.
struct Assembly {
    std::array<LaidCode, kCodeCount> laid{};
    ByteCode start = 0;  // the first code the file writes
    ByteCode last = 0;   // the code of the last member laid: the last code the file writes
};

// Lays the sets of the Table Order from `start` on, changing nothing: the code map shows this,
// and MAKE TABLE stores it, so the two can never disagree.
[[nodiscard]] Result<Assembly, AssemblyError> PreviewAssembly(const TableOrder& order,
                                                              ByteCode start);

// Why a start code, typed, and the order give no assembly: the start code is no hex byte, or
// the order cannot be laid from it.
using PreviewFailure = std::variant<HexError, AssemblyError>;

// Reads the typed start code as MAKE TABLE does and lays the order from it, changing nothing: what
// the code map and the game text show.
[[nodiscard]] Result<Assembly, PreviewFailure> PreviewFromStartCode(const TableOrder& order,
                                                                    std::string_view startCode);

// Lays an assembly's members over the slots of `table` they land on.
void LayOver(const Assembly& assembly, CodeTable& table);

// Stores an assembly: its members over the slots they land on, and its last code as LastCode.
void CommitAssembly(const Assembly& assembly, Workspace& workspace);

// Lays the Table Order onto the table from CurrentCode on and sets LastCode. All or nothing: on
// failure TableText and LastCode are exactly as they were.
[[nodiscard]] Result<Success, AssemblyError> AssembleTable(const TableOrder& order,
                                                           Workspace& workspace);

}  // namespace glyphwright
