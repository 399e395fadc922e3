#pragma once

#include <string>
#include <string_view>

#include "core/table/TableEntries.h"

namespace glyphwright {

// A table after the first in the same file, under its "@id" line: what a table switch names.
struct NamedTable {
    std::string id;
    TableEntries entries;

    friend bool operator==(const NamedTable&, const NamedTable&) = default;
};

// Whether `id` can name a table in every format: 1 to 64 ASCII letters, digits, '_', '-' or '.'.
// Anything else would be read as part of the line around it ("!F0=kanji,0", "<@kanji>:0").
[[nodiscard]] constexpr bool IsTableId(std::string_view id) {
    if (id.empty() || id.size() > 64) return false;
    for (const char c : id) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !digit && c != '_' && c != '-' && c != '.') return false;
    }
    return true;
}

}  // namespace glyphwright
