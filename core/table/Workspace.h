#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/table/TableEntry.h"

namespace glyphwright {

using ByteCode = std::uint8_t;

inline constexpr int kCodeCount = 256;
inline constexpr int kMaxOrderLines = 1000;

using CodeTable = std::array<std::string, kCodeCount>;

// The code table and the codes that carry a table from the windows to the file. The Table Order
// has an owner of its own (TableOrder).
struct Workspace {
    CodeTable TableText{};     // index = byte code; bytes, not Unicode text
    TwoByteTable TwoByte;      // the two-byte codes that hold something, with their kinds
    ByteCode CurrentCode = 0;  // start code of the table being made
    ByteCode LastCode = 0;     // last code filled by the latest assembly

    friend bool operator==(const Workspace&, const Workspace&) = default;
};

}  // namespace glyphwright
