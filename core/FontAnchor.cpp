#include "FontAnchor.h"

#include "AssembleTable.h"

namespace glyphwright {

std::optional<ByteCode> AnchoredCode(const FontAnchor& anchor, std::uint32_t glyphBytes,
                                     std::uint64_t glyphOffset) {
    if (glyphBytes == 0) return std::nullopt;
    const bool after = glyphOffset >= anchor.glyphOffset;
    const std::uint64_t distance =
        after ? glyphOffset - anchor.glyphOffset : anchor.glyphOffset - glyphOffset;
    // A glyph read from a byte between the anchor's glyphs is no glyph of the anchored font.
    if (distance % glyphBytes != 0) return std::nullopt;
    const std::uint64_t glyphs = distance / glyphBytes;
    if (glyphs >= kCodeCount) return std::nullopt;
    const int code =
        after ? anchor.code + static_cast<int>(glyphs) : anchor.code - static_cast<int>(glyphs);
    if (code < 0 || code >= kCodeCount) return std::nullopt;
    return static_cast<ByteCode>(code);
}

std::optional<std::uint64_t> AnchoredOffset(const FontAnchor& anchor, std::uint32_t glyphBytes,
                                            ByteCode code) {
    if (code >= anchor.code) {
        return anchor.glyphOffset + std::uint64_t{glyphBytes} * (code - anchor.code);
    }
    const std::uint64_t back = std::uint64_t{glyphBytes} * (anchor.code - code);
    if (back > anchor.glyphOffset) return std::nullopt;
    return anchor.glyphOffset - back;
}

std::optional<ByteCode> OnlyCodeHolding(const CodeTable& table, std::string_view bytes) {
    if (bytes.empty()) return std::nullopt;
    std::optional<ByteCode> found;
    for (int code = 0; code < kCodeCount; ++code) {
        if (table[static_cast<std::size_t>(code)] != bytes) continue;
        if (found) return std::nullopt;
        found = static_cast<ByteCode>(code);
    }
    return found;
}

CodeTable TableAsMadeNow(const CodeTable& table, const TableOrder& order,
                         std::string_view startCode) {
    CodeTable made = table;
    if (const auto preview = PreviewFromStartCode(order, startCode)) LayOver(preview.value(), made);
    return made;
}

}  // namespace glyphwright
