#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "core/table/CodeMap.h"
#include "core/table/TableEntry.h"
#include "core/table/Workspace.h"

namespace glyphwright {

// The members the Table Order lays on two-byte codes, by the codes' stored bytes.
using LaidTwoByte = std::map<std::uint16_t, LaidMember>;

// One page of the code map for two-byte codes: the 256 codes whose first stored byte is `first`,
// cell i being the code first·i. A cell holds what the table holds there, or the member `laid`
// puts over it (none: nothing is laid). `written`: whether MAKE TABLE would make a file now; it
// writes every two-byte code that holds something, so then every cell is in its range.
[[nodiscard]] std::array<MapCell, kCodeCount> ComposeTwoBytePage(const TwoByteTable& held,
                                                                 const LaidTwoByte* laid,
                                                                 ByteCode first, bool written);

// A page of two-byte codes that holds something, held or laid, and how many of its codes do.
struct PageInUse {
    ByteCode first = 0;
    int codes = 0;

    friend bool operator==(const PageInUse&, const PageInUse&) = default;
};

// The pages in use, by first byte.
[[nodiscard]] std::vector<PageInUse> TwoBytePagesInUse(const TwoByteTable& held,
                                                       const LaidTwoByte* laid);

}  // namespace glyphwright
