#pragma once

#include <cstddef>
#include <optional>

#include "core/table/CodeOrder.h"
#include "core/search/RelativeSearch.h"
#include "core/table/TableCode.h"

namespace glyphwright {

// A relative search's start as a start code for a line of the Table Order. A set that fits in
// 00..FF starts at that one-byte code, whatever the letter width, as always. Found with two bytes
// per letter, a set whose codes lie in 0100..FFFF starts at the two-byte code of its first value,
// stored in the byte order the letters were read in, and `order` says that order: the document's
// byte order must be it for the set to be laid on the codes found.
struct HitStart {
    TableCode code;
    std::optional<CodeOrder> order;  // for a two-byte code only

    friend bool operator==(const HitStart&, const HitStart&) = default;
};

// The start code of a hit whose set of `members` members starts at the value `start`; none where
// the set would begin before 00, run past FF with one byte per letter, or run past FFFF.
[[nodiscard]] std::optional<HitStart> UsableStart(int start, std::size_t members,
                                                  LetterWidth width);

}  // namespace glyphwright
