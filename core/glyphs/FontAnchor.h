#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/table/CodeOrder.h"
#include "core/table/TableCode.h"
#include "core/table/TableOrder.h"
#include "core/table/Workspace.h"

namespace glyphwright {

// One glyph tied to its code: the glyph that starts at `glyphOffset` in the game file is `code`,
// so the glyph i glyphs after it is code + i.
//
// The codes count on past FF into two bytes: from a one-byte anchor the glyph after FF is the
// 16-bit value 0100, and from a two-byte anchor every glyph has the two-byte code of its value.
// A two-byte code is stored in the byte order given, so 0100 is the code 0001 in little-endian.
struct FontAnchor {
    std::uint64_t glyphOffset = 0;
    TableCode code;

    friend bool operator==(const FontAnchor&, const FontAnchor&) = default;
};

// The code of the glyph starting at `glyphOffset`, glyphs being `glyphBytes` long: none for a
// glyph out of step with the anchor, before 00 (or 0000) or past FFFF.
[[nodiscard]] std::optional<TableCode> CodeOfGlyph(const FontAnchor& anchor,
                                                   std::uint32_t glyphBytes,
                                                   std::uint64_t glyphOffset,
                                                   CodeOrder order16 = CodeOrder::BigEndian);

// Where the glyph of `code` starts in the game file; none where that would lie before the file,
// or where the anchor gives the code to no glyph (a two-byte value below 0100 from a one-byte
// anchor, a one-byte code from a two-byte one).
[[nodiscard]] std::optional<std::uint64_t> OffsetOfCode(const FontAnchor& anchor,
                                                        std::uint32_t glyphBytes, TableCode code,
                                                        CodeOrder order16 = CodeOrder::BigEndian);

// The same for the one-byte codes alone: none past FF.
[[nodiscard]] std::optional<ByteCode> AnchoredCode(const FontAnchor& anchor,
                                                   std::uint32_t glyphBytes,
                                                   std::uint64_t glyphOffset);
[[nodiscard]] std::optional<std::uint64_t> AnchoredOffset(const FontAnchor& anchor,
                                                          std::uint32_t glyphBytes, ByteCode code);

// The one code of `table` that holds `bytes`; none when no code or several do.
[[nodiscard]] std::optional<ByteCode> OnlyCodeHolding(const CodeTable& table,
                                                      std::string_view bytes);
// The same among the one- and two-byte codes: a text held once at each width is held twice.
[[nodiscard]] std::optional<TableCode> OnlyCodeHolding(const Workspace& table,
                                                       std::string_view bytes);

// The table as MAKE TABLE would leave it now: what it holds, with the order laid over it from the
// typed start code where that can be done.
[[nodiscard]] CodeTable TableAsMadeNow(const CodeTable& table, const TableOrder& order,
                                       std::string_view startCode);
// The same with the two-byte codes, laid in `order16`, and the codes the file would cover.
[[nodiscard]] Workspace TableAsMadeNow(const Workspace& table, const TableOrder& order,
                                       std::string_view startCode, CodeOrder order16);

}  // namespace glyphwright
