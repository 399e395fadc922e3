#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace glyphwright {

// What an entry of the table is to the programs that read the table file.
enum class EntryKind : std::uint8_t {
    Ordinary,   // text
    EndCode,    // ends a string; the entry's text is its label ("end")
    LineBreak,  // starts a new line; the entry's text is its visible label ("[line]"), or ""
    Linked,     // a control code followed by `parameters` bytes that are no text; text: its label
    TableSwitch,  // the next characters are read through the table `table`; text: a label or ""
};

// The bounds a table file may give a linked entry's parameter bytes and a switch's count.
inline constexpr int kMaxParameters = 255;
inline constexpr int kMaxSwitchCount = 65535;

// One code's entry: its text, as Unicode (UTF-8), and its kind. The classic file alone needs
// EUC-JP; its writer converts, and refuses what EUC-JP cannot hold.
struct TableEntry {
    TableEntry() = default;
    // Text of a kind: what most entries are, written {text, kind}.
    TableEntry(std::string text_, EntryKind kind_ = EntryKind::Ordinary)  // NOLINT(google-explicit-constructor)
        : text(std::move(text_)), kind(kind_) {}

    std::string text;
    EntryKind kind = EntryKind::Ordinary;
    // A linked entry: how many bytes of parameters follow the code.
    int parameters = 0;
    // A table switch: the id of the table read next, and for how many characters (0: until a
    // code that table does not hold).
    std::string table;
    int count = 0;

    // Whether the code holds anything: text, or a kind that needs none.
    [[nodiscard]] bool Holds() const { return !text.empty() || kind != EntryKind::Ordinary; }

    friend bool operator==(const TableEntry&, const TableEntry&) = default;
};

// The two-byte codes' entries, keyed by the bytes as stored (TableCode::Stored of a two-byte
// code), so in the order the files list them. Only codes that hold something are here: an
// ordinary entry with no text is no entry.
using TwoByteTable = std::map<std::uint16_t, TableEntry>;

}  // namespace glyphwright
