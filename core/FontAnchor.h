#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "TableOrder.h"
#include "Workspace.h"

namespace glyphwright {

// One glyph tied to its code: the glyph that starts at `glyphOffset` in the game file is `code`,
// so the glyph i glyphs after it is code + i.
struct FontAnchor {
    std::uint64_t glyphOffset = 0;
    ByteCode code = 0;

    friend bool operator==(const FontAnchor&, const FontAnchor&) = default;
};

// The code of the glyph starting at `glyphOffset`, glyphs being `glyphBytes` long: none for a
// glyph out of step with the anchor or past the codes 00 to FF.
[[nodiscard]] std::optional<ByteCode> AnchoredCode(const FontAnchor& anchor,
                                                   std::uint32_t glyphBytes,
                                                   std::uint64_t glyphOffset);

// Where the glyph of `code` starts in the game file; none where that would lie before the file.
[[nodiscard]] std::optional<std::uint64_t> AnchoredOffset(const FontAnchor& anchor,
                                                          std::uint32_t glyphBytes, ByteCode code);

// The one code of `table` that holds `bytes`; none when no code or several do.
[[nodiscard]] std::optional<ByteCode> OnlyCodeHolding(const CodeTable& table,
                                                      std::string_view bytes);

// The table as MAKE TABLE would leave it now: what it holds, with the order laid over it from the
// typed start code where that can be done.
[[nodiscard]] CodeTable TableAsMadeNow(const CodeTable& table, const TableOrder& order,
                                       std::string_view startCode);

}  // namespace glyphwright
