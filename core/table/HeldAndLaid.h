#pragma once

#include <string_view>

#include "core/table/Document.h"
#include "core/table/TableOrder.h"

namespace glyphwright {

// What the table holds and what the order lays: whether MAKE TABLE has anything to write.

// Whether a slot holds an entry: text, or a control code, which needs none.
[[nodiscard]] inline bool HoldsEntry(std::string_view bytes, EntryKind kind) {
    return !bytes.empty() || kind != EntryKind::Ordinary;
}

// Whether any slot of the table holds an entry.
[[nodiscard]] bool HoldsAnEntry(const CodeTable& table, const EntryKinds& kinds);

// Whether a line of the order names a set, so that assembly has something to lay.
[[nodiscard]] bool LaysASet(const TableOrder& order);

// Whether MAKE TABLE works from the entries held alone: the order lays no set and the table holds
// entries, of one byte or two. A text format then writes every entry held, with no need of a start
// code, and the classic file, which writes only what was laid, is refused for having nothing laid.
[[nodiscard]] bool WritesEntriesOnly(const TableEntries& table, const TableOrder& order);
// The same for the one-byte codes' texts and kinds alone.
[[nodiscard]] bool WritesEntriesOnly(const CodeTable& table, const EntryKinds& kinds,
                                     const TableOrder& order);

}  // namespace glyphwright
