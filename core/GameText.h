#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "AssembleTable.h"
#include "ParseHexByte.h"
#include "TableOrder.h"
#include "Workspace.h"

namespace glyphwright {

// Why the Table Order is not laid over the table shown: the start code as read, or the assembly.
using TableNotLaid = PreviewFailure;

// The code table a game's bytes are read through now: the table as it stands with what MAKE
// TABLE would lay from `startCode` over it, or the table as it stands and why nothing was laid.
struct ShownTable {
    CodeTable codes{};
    std::optional<TableNotLaid> notLaid;
};

// Lays nothing and records nothing: the same reading of the start code and the same assembly as
// MAKE TABLE, so the game text cannot disagree with the file it would write.
[[nodiscard]] ShownTable TableAsShown(const CodeTable& table, const TableOrder& order,
                                      std::string_view startCode);

// One byte of a game file read through a code table.
struct TextCell {
    ByteCode code = 0;
    std::string text;  // UTF-8: the code's entry, or "[XX]" where the table holds none
    bool known = false;

    friend bool operator==(const TextCell&, const TextCell&) = default;
};

// One code per byte. An entry that is no EUC-JP text counts as none.
[[nodiscard]] std::vector<TextCell> ReadThroughTable(std::span<const std::uint8_t> bytes,
                                                     const CodeTable& table);

}  // namespace glyphwright
