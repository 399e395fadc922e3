#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace glyphwright {

using ByteCode = std::uint8_t;

inline constexpr int kCodeCount = 256;
// Records exist for list positions 1..1000; slot 0 of the names is never used.
inline constexpr int kOrderSlots = 1001;
inline constexpr int kMaxOrderLines = 1000;

using CodeTable = std::array<std::string, kCodeCount>;

// The state that every window and the table command share for the whole run.
//
// The Table Order list itself lives in the main window; the workspace keeps, by position, what
// the program knows about each of its lines: the line at 0-based index i has its set name in
// OrderNames[i + 1] and its own start code in OrderStarts[i] (0 = none).
struct Workspace {
    CodeTable TableText{};                           // index = byte code; bytes, not Unicode text
    std::array<std::string, kOrderSlots> OrderNames{};
    std::array<std::int16_t, kOrderSlots> OrderStarts{};
    std::string HexText;                             // "&H" + the hex text last converted
    ByteCode CurrentCode = 0;                        // start code of the table being made
    ByteCode LastCode = 0;                           // last code filled by the latest assembly

    // Bookkeeping for removing the Table Order line at 0-based `index`: its records go, the
    // records of the lines below move up one position, and the vacated last slot is cleared, so
    // every remaining line keeps its own name and start and no record lingers past the last line.
    void RemoveOrderLine(int index);
};

}  // namespace glyphwright
