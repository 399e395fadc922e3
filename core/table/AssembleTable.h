#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>

#include "core/table/CodeOrder.h"
#include "core/table/ParseHexByte.h"
#include "core/table/Result.h"
#include "core/table/TableCode.h"
#include "core/table/TableOrder.h"
#include "core/table/Workspace.h"

namespace glyphwright {

struct AssemblyError {
    enum class Kind {
        PastFF,        // a member of `setName` on `line` would land above code FF
        NothingToLay,  // the order names no set, so there is no range to write
        EmptyRange,    // the last code laid, `last`, comes before the start code `setStart`
        PastFFFF,      // a member of `setName` on `line` would take a 16-bit value above FFFF
    };
    Kind kind;
    int line = 0;         // 1-based Table Order line, for PastFF and PastFFFF
    std::string setName;  // for PastFF and PastFFFF
    // The code the failing set began at, for PastFF, and for PastFFFF its stored bytes (as typed
    // and shown, 0080 for the value 8000 in little-endian); the start code, for EmptyRange.
    int setStart = 0;
    int last = 0;  // the last code laid, for EmptyRange
};

// What the Table Order lays on one code.
struct LaidCode {
    std::string_view member;  // the set member's text; empty when the order lays nothing here
    int line = -1;            // 0-based Table Order line that lays it (the last one to)
    int overlaps = -1;        // an earlier line whose member it lays over; -1 when none
};

// The result of laying the order from a start code, before anything is stored.
//
// A line with a two-byte start lays its members on consecutive 16-bit values from there, in the
// byte order given, and a line after it without a start of its own goes on where it ended; a line
// with a one-byte start goes back to one-byte codes. The file writes the one-byte codes from the
// start code to the last one-byte code laid, and every two-byte code the table holds. An order
// that lays two-byte codes only leaves the one-byte codes as they are held, from the start code
// to FF.
struct Assembly {
    std::array<LaidCode, kCodeCount> laid{};
    ByteCode start = 0;  // the first code the file writes
    ByteCode last = 0;  // the code of the last one-byte member laid: the last one-byte code written
    std::map<std::uint16_t, LaidCode>
        twoByte;  // the members laid on two-byte codes, by stored bytes
};

// Lays the sets of the Table Order from `start` on, changing nothing: the code map shows this,
// and MAKE TABLE stores it, so the two can never disagree. `order16` is how two-byte lines count.
[[nodiscard]] Result<Assembly, AssemblyError> PreviewAssembly(
    const TableOrder& order, ByteCode start, CodeOrder order16 = CodeOrder::BigEndian);

// Why a start code, typed, and the order give no assembly: the start code is no hex byte, or
// the order cannot be laid from it.
using PreviewFailure = std::variant<HexError, AssemblyError>;

// Reads the typed start code as MAKE TABLE does and lays the order from it, changing nothing: what
// the code map and the game text show.
[[nodiscard]] Result<Assembly, PreviewFailure> PreviewFromStartCode(
    const TableOrder& order, std::string_view startCode, CodeOrder order16 = CodeOrder::BigEndian);

// Lays an assembly's one-byte members over the slots of `table` they land on.
void LayOver(const Assembly& assembly, CodeTable& table);
// Lays its two-byte members over `table`, as ordinary text.
void LayOver(const Assembly& assembly, TwoByteTable& table);

// Stores an assembly: its members over the codes they land on, and its last code as LastCode.
void CommitAssembly(const Assembly& assembly, Workspace& workspace);

// Lays the Table Order onto the table from CurrentCode on and sets LastCode. All or nothing: on
// failure the table and LastCode are exactly as they were.
[[nodiscard]] Result<Success, AssemblyError> AssembleTable(
    const TableOrder& order, Workspace& workspace, CodeOrder order16 = CodeOrder::BigEndian);

}  // namespace glyphwright
