#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/table/Document.h"
#include "core/text/GameText.h"
#include "core/table/TableEntry.h"

namespace glyphwright {

// Both widths of the table a game's bytes are read through now: the one-byte codes as TableAsShown
// gives them, their kinds, and the two-byte entries with the order's two-byte members laid over
// them, all as MAKE TABLE would leave them.
struct ShownCodes {
    ShownTable oneByte;
    EntryKinds kinds{};                  // a code the order lays is ordinary text
    const TwoByteTable* held = nullptr;  // the document's two-byte entries, when nothing is laid
    std::optional<TwoByteTable> laid;    // or those with the members laid over them

    [[nodiscard]] const TwoByteTable& TwoByte() const { return laid ? *laid : *held; }
};

// Lays nothing and records nothing; the order is laid in the document's byte order. The result
// may refer to `contents`' two-byte entries: it is used before the document changes.
[[nodiscard]] ShownCodes CodesAsShown(const DocumentContents& contents);

// One cell per byte, read with the longest code first: a two-byte code's text stands in the cell
// of its first byte and the cell of its second is empty and known. An end code reads as its label
// in braces ("{end}") and ends the string; a line break reads as "↵". A one-byte code outside the codes the file covers is marked "<XX>".
[[nodiscard]] std::vector<TextCell> ReadCodesThroughTable(std::span<const std::uint8_t> bytes,
                                                          const ShownCodes& codes);

}  // namespace glyphwright
