#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "core/table/Document.h"
#include "core/table/Workspace.h"

namespace glyphwright {

// What the dictionary finder needs of a table, and nothing more: which one-byte codes stand for
// text ("letters", whose text may be one character or more) and which hold an entry of any kind.
// A dictionary spells its entries in letters; a code the script uses that holds no entry at all
// is one a dictionary may explain.
struct LetterTable {
    std::array<std::string, kCodeCount> text{};  // UTF-8; empty where the code is no letter
    std::bitset<kCodeCount> held;                // letters, end codes, line breaks

    [[nodiscard]] bool IsLetter(std::uint8_t code) const { return !text[code].empty(); }
    [[nodiscard]] bool Holds(std::uint8_t code) const { return held.test(code); }
};

// The one place that knows how the document keeps its entries: the rest of core/dictionary reads
// only the LetterTable made here. An entry that does not decode is held but no letter.
[[nodiscard]] LetterTable LetterTableOf(const CodeTable& oneByte, const EntryKinds& kinds);

}  // namespace glyphwright
