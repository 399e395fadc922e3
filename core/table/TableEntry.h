#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace glyphwright {

// What an entry of the table is to the programs that read the table file.
enum class EntryKind : std::uint8_t {
    Ordinary,   // text
    EndCode,    // ends a string; the entry's text is its label ("end")
    LineBreak,  // starts a new line; the entry's text is what the classic file shows for it
};

// One code's entry: its EUC-JP bytes and its kind.
struct TableEntry {
    std::string bytes;
    EntryKind kind = EntryKind::Ordinary;

    friend bool operator==(const TableEntry&, const TableEntry&) = default;
};

// The two-byte codes' entries, keyed by the bytes as stored (TableCode::Stored of a two-byte
// code), so in the order the files list them. Only codes that hold something are here: an
// ordinary entry with no bytes is no entry.
using TwoByteTable = std::map<std::uint16_t, TableEntry>;

}  // namespace glyphwright
