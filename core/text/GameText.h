#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/table/AssembleTable.h"
#include "core/table/ParseHexByte.h"
#include "core/table/TableOrder.h"
#include "core/table/Workspace.h"

namespace glyphwright {

// Why the Table Order is not laid over the table shown: the start code as read, or the assembly.
using TableNotLaid = PreviewFailure;

// The code table a game's bytes are read through now: the table as it stands with what MAKE
// TABLE would lay from `startCode` over it, or the table as it stands and why nothing was laid.
// Laid, the file would cover the codes first..last only.
struct ShownTable {
    CodeTable codes{};
    std::optional<TableNotLaid> notLaid;
    ByteCode first = 0;
    ByteCode last = kCodeCount - 1;
    TwoByteTable twoByte{};  // the two-byte codes, all of which the file would hold
};

// Lays nothing and records nothing: the same reading of the start code and the same assembly as
// MAKE TABLE, so the game text cannot disagree with the file it would write.
[[nodiscard]] ShownTable TableAsShown(const CodeTable& table, const TableOrder& order,
                                      std::string_view startCode);
// The same with the two-byte codes, laid in `order16`: read it with a CodeReader.
[[nodiscard]] ShownTable TableAsShown(const Workspace& table, const TableOrder& order,
                                      std::string_view startCode, CodeOrder order16);

// One byte of a game file read through a code table.
struct TextCell {
    ByteCode code = 0;
    // UTF-8: the code's entry; "[XX]" where the table holds none; "<XX>" where the code lies
    // outside the codes the file covers, so that the file would not give it
    std::string text;
    bool known = false;
    bool outside = false;

    friend bool operator==(const TextCell&, const TextCell&) = default;
};

// One code per byte. Codes outside first..last
// are marked as such: read through the file, they give nothing.
[[nodiscard]] std::vector<TextCell> ReadThroughTable(std::span<const std::uint8_t> bytes,
                                                     const CodeTable& table, ByteCode first = 0,
                                                     ByteCode last = kCodeCount - 1);

}  // namespace glyphwright
