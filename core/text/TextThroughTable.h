#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/table/Document.h"
#include "core/text/CodeReader.h"
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
    const TableEntries* entries = nullptr;  // the document's: the parameters and switches
    TableLookup tables;                     // the tables switches name
    std::string home;                       // the id of the document's own table
    // The file written holds every code that holds an entry, laid or not (the text formats), not
    // only oneByte.first..last: no one-byte code is outside then.
    bool wholeTable = false;

    [[nodiscard]] const TwoByteTable& TwoByte() const { return laid ? *laid : *held; }
    // A reader of these codes as the file would give them, kinds and switches included. It
    // refers to this and must not outlive it.
    [[nodiscard]] std::unique_ptr<CodeReader> Reader() const;
};

// Lays nothing and records nothing; the order is laid in the document's byte order. The result
// may refer to `contents`' entries: it is used before the document changes. `wholeTable`: the
// format chosen writes every code held (see ShownCodes); `tables`: the tables switches name, and
// `home` the id of the document's own.
[[nodiscard]] ShownCodes CodesAsShown(const DocumentContents& contents, bool wholeTable = false,
                                      TableLookup tables = {}, std::string home = {});

// One cell per byte, read with the longest code first: a two-byte code's text stands in the cell
// of its first byte and the cell of its second is empty and known. An end code reads as its label
// in braces ("{end}") and ends the string; a line break reads as "↵". A linked entry reads as its
// label with its parameters in hex, "[color $03]" (" …" before the bracket where the bytes end
// first), in the cell of its code, the parameters' cells empty and known. A table switch reads
// as "{@kanji}" (its label first when it has one, "?" after the id when no such table is known),
// and the codes after it as that table gives them. A one-byte code outside the codes the file
// covers is marked "<XX>".
[[nodiscard]] std::vector<TextCell> ReadCodesThroughTable(std::span<const std::uint8_t> bytes,
                                                          const ShownCodes& codes);

}  // namespace glyphwright
