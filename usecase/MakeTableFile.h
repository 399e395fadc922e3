#pragma once

#include <string_view>
#include <vector>

#include "MakeTable.h"
#include "TableFormat.h"
#include "UserQueries.h"

namespace glyphwright {

// A table made and written.
struct MadeTable {
    MakeTableOutcome outcome = MakeTableOutcome::Cancelled;
    std::optional<SaveTarget> target;  // where it went, once written
    // The same text at more than one code, in a text format: the table was written, but programs
    // that insert text disagree about which of the codes they write, so the user is warned.
    std::vector<DuplicateText> duplicates;
    // The codes written whose entry holds < or >: abcde refuses such a table, so the user is
    // warned of them too.
    std::vector<TableCode> angleBrackets;

    // Whether the table was written with something to warn of.
    [[nodiscard]] bool HasWarnings() const { return !duplicates.empty() || !angleBrackets.empty(); }
};

// MAKE TABLE, the same for the windows and the command line: lays the Table Order on `table` from
// the start code, asks `user` where to write it (and for a start code when none is given and one
// is needed), writes it through `write` (SaveTable when empty), and finds what to warn of. A
// failure comes back as a value, with no file written.
[[nodiscard]] Result<MadeTable, TableFailure> MakeTableFile(
    Workspace& table, const TableOrder& order, std::string_view startCode, UserQueries& user,
    CodeOrder order16 = CodeOrder::BigEndian,
    const TableWriter& write = {});

}  // namespace glyphwright
