#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/table/AssembleTable.h"
#include "core/table/Document.h"
#include "core/table/ParseHexByte.h"
#include "core/table/TableCode.h"
#include "core/table/TableOrder.h"
#include "core/table/Workspace.h"

namespace glyphwright {

// Where the text a code would hold after MAKE TABLE comes from.
enum class CellSource {
    Empty,  // nothing laid and nothing held
    Laid,   // a member of a set the Table Order lays now
    Held,   // already in the table (a single entry, or a slot an earlier run filled): kept
};

struct MapCell {
    std::string text;  // the bytes MAKE TABLE would leave in the slot
    CellSource source = CellSource::Empty;
    int line = -1;         // Laid: 0-based Table Order line that lays it
    int overlaps = -1;     // Laid: the earlier line whose member it lays over; -1 when none
    std::string replaces;  // Laid: other bytes the table holds there now, which MAKE TABLE drops
    bool inRange = false;  // within the codes the file covers (start code to last code laid)

    friend bool operator==(const MapCell&, const MapCell&) = default;
};

// A member the Table Order lays on a two-byte code, kept with the map for its pages.
struct LaidMember {
    std::string member;
    int line = -1;      // 0-based Table Order line that lays it
    int overlaps = -1;  // an earlier line whose member it lays over; -1 when none

    friend bool operator==(const LaidMember&, const LaidMember&) = default;
};

// The same text at more than one of the codes the file would hold.
struct DuplicateText {
    std::string text;
    std::vector<TableCode> codes;  // ascending, as the files list them

    friend bool operator==(const DuplicateText&, const DuplicateText&) = default;
};

// Why MAKE TABLE would make no file now: the start code as read, or the assembly.
using MapFailure = PreviewFailure;

// What MAKE TABLE would write now, code by code, and why. Composing it changes nothing.
struct CodeMap {
    std::array<MapCell, kCodeCount> cells{};
    std::optional<MapFailure> failure;      // set: no file would be made; cells show the table now
    ByteCode first = 0;                     // the codes first..last are the file's range;
    ByteCode last = 0;                      // none when last < first or on failure
    std::vector<DuplicateText> duplicates;  // among the codes the file would hold
    // The members laid on two-byte codes, by stored bytes; their cells are composed page by page
    // (TwoBytePage.h), from these and the table's two-byte entries.
    std::map<std::uint16_t, LaidMember> twoByte;

    [[nodiscard]] bool HasRange() const { return !failure && first <= last; }
    // Whether the file would hold a line for `code`: in range, and either one of 00-0F
    // (written even when empty) or holding text.
    [[nodiscard]] bool Writes(int code) const;
    // The 0-based line that stops MAKE TABLE, or -1.
    [[nodiscard]] int FaultyLine() const;
};

// Reads `startCode` as MAKE TABLE does and lays the Table Order over `table` without storing
// anything: the same parsing and the same assembly as MAKE TABLE, so the map cannot disagree with
// the file. With no set to lay and entries held, an empty start code is not asked for: the
// failure is then that nothing is laid, which only the classic file minds. `order16`: how the
// order's two-byte lines count.
[[nodiscard]] CodeMap ComposeCodeMap(const CodeTable& table, const TableOrder& order,
                                     std::string_view startCode, const EntryKinds& kinds = {},
                                     CodeOrder order16 = CodeOrder::BigEndian);

}  // namespace glyphwright
