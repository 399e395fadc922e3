#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <variant>

#include "TableFormat.h"
#include "UserQueries.h"
#include "core/table/AssembleTable.h"
#include "core/table/ParseHexByte.h"
#include "core/table/TableOrder.h"
#include "core/table/Workspace.h"
#include "storage/SaveFileAtomically.h"

namespace glyphwright {

// A start code that is no hexadecimal byte, as typed ("" when none was given).
struct StartCodeError {
    std::string typed;
    HexError error;
};

// Why MAKE TABLE made no file. The windows tell the user in their own words.
using TableFailure = std::variant<StartCodeError, AssemblyError, FormatError, FileError>;

enum class MakeTableOutcome {
    Written,    // the file is in place
    Cancelled,  // the user cancelled the input box or the Save dialog
};

// Reads the start code into CurrentCode and lays the Table Order from it; two-byte lines count
// their codes in `order16`.
[[nodiscard]] Result<Success, TableFailure> ComposeTable(Workspace& workspace,
                                                         const TableOrder& order,
                                                         std::string_view startCode,
                                                         CodeOrder order16 = CodeOrder::BigEndian);

// Writes the codes CurrentCode..LastCode, and the two-byte codes held, in `format` and saves them
// at `path`, whole or not at all.
[[nodiscard]] Result<Success, TableFailure> SaveTable(const Workspace& workspace,
                                                      const SaveTarget& target);

// Writes a laid table where the user chose: SaveTable unless a front end sends it elsewhere (the
// command line's standard output).
using TableWriter = std::function<Result<Success, TableFailure>(
    const Workspace& workspace, const SaveTarget& target)>;

// "MAKE TABLE": reads the start code from `startCodeText` (or asks for it when that is empty),
// lays the Table Order, asks for a path and writes the table file. A failure comes back as a
// value, with no file written and the table as it was before assembly.
//
// When the order lays no set but the table holds entries, a text format writes them all: no start
// code is asked for (one typed is still read), and only the classic format, once chosen, is
// refused as it always was, for having nothing laid.
[[nodiscard]] Result<MakeTableOutcome, TableFailure> MakeTable(
    Workspace& workspace, const TableOrder& order, std::string_view startCodeText,
    UserQueries& user, CodeOrder order16 = CodeOrder::BigEndian, const TableWriter& write = {});

}  // namespace glyphwright
