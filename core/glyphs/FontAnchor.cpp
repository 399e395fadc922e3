#include "core/glyphs/FontAnchor.h"

#include <algorithm>

#include "core/table/AssembleTable.h"

namespace glyphwright {

namespace {

// Where the anchor's codes count from: a one-byte code is its own value; a two-byte code, its
// 16-bit value in the byte order.
std::int64_t ValueOf(TableCode code, CodeOrder order16) {
    return code.IsTwoByte() ? CodeValue(code, order16) : code.FirstByte();
}

}  // namespace

std::optional<TableCode> CodeOfGlyph(const FontAnchor& anchor, std::uint32_t glyphBytes,
                                     std::uint64_t glyphOffset, CodeOrder order16) {
    if (glyphBytes == 0) return std::nullopt;
    const bool after = glyphOffset >= anchor.glyphOffset;
    const std::uint64_t distance =
        after ? glyphOffset - anchor.glyphOffset : anchor.glyphOffset - glyphOffset;
    // A glyph read from a byte between the anchor's glyphs is no glyph of the anchored font.
    if (distance % glyphBytes != 0) return std::nullopt;
    const std::uint64_t glyphs = distance / glyphBytes;
    if (glyphs > 0xFFFF) return std::nullopt;
    const std::int64_t base = ValueOf(anchor.code, order16);
    const std::int64_t value =
        after ? base + static_cast<std::int64_t>(glyphs) : base - static_cast<std::int64_t>(glyphs);
    if (value < 0 || value > 0xFFFF) return std::nullopt;
    if (!anchor.code.IsTwoByte() && value < kCodeCount) {
        return TableCode::OneByte(static_cast<ByteCode>(value));
    }
    return CodeOfValue(static_cast<std::uint16_t>(value), order16);
}

std::optional<std::uint64_t> OffsetOfCode(const FontAnchor& anchor, std::uint32_t glyphBytes,
                                          TableCode code, CodeOrder order16) {
    const std::int64_t value = ValueOf(code, order16);
    // From a one-byte anchor the codes 00-FF are one byte; only the values past them are two.
    if (anchor.code.IsTwoByte() ? !code.IsTwoByte() : code.IsTwoByte() && value < kCodeCount) {
        return std::nullopt;
    }
    const std::int64_t glyphs = value - ValueOf(anchor.code, order16);
    if (glyphs >= 0)
        return anchor.glyphOffset + std::uint64_t{glyphBytes} * static_cast<std::uint64_t>(glyphs);
    const std::uint64_t back = std::uint64_t{glyphBytes} * static_cast<std::uint64_t>(-glyphs);
    if (back > anchor.glyphOffset) return std::nullopt;
    return anchor.glyphOffset - back;
}

std::optional<ByteCode> AnchoredCode(const FontAnchor& anchor, std::uint32_t glyphBytes,
                                     std::uint64_t glyphOffset) {
    const auto code = CodeOfGlyph(anchor, glyphBytes, glyphOffset);
    if (!code || code->IsTwoByte()) return std::nullopt;
    return code->FirstByte();
}

std::optional<std::uint64_t> AnchoredOffset(const FontAnchor& anchor, std::uint32_t glyphBytes,
                                            ByteCode code) {
    return OffsetOfCode(anchor, glyphBytes, TableCode::OneByte(code));
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

std::optional<TableCode> OnlyCodeHolding(const Workspace& table, std::string_view bytes) {
    if (bytes.empty()) return std::nullopt;
    std::optional<TableCode> found;
    const CodeTable& texts = table.TableText.Texts();
    if (const auto oneByte = OnlyCodeHolding(texts, bytes)) {
        found = *oneByte;
    } else if (std::count(texts.begin(), texts.end(), bytes) > 1) {
        return std::nullopt;
    }
    for (const auto& [code, entry] : table.TableText.TwoByte()) {
        if (entry.text != bytes) continue;
        if (found) return std::nullopt;
        found = TableCode::TwoByte(code);
    }
    return found;
}

Workspace TableAsMadeNow(const Workspace& table, const TableOrder& order,
                         std::string_view startCode, CodeOrder order16) {
    Workspace made = table;
    if (const auto preview = PreviewFromStartCode(order, startCode, order16)) {
        made.CurrentCode = preview.value().start;
        CommitAssembly(preview.value(), made);
    }
    return made;
}

CodeTable TableAsMadeNow(const CodeTable& table, const TableOrder& order,
                         std::string_view startCode) {
    CodeTable made = table;
    if (const auto preview = PreviewFromStartCode(order, startCode)) LayOver(preview.value(), made);
    return made;
}

}  // namespace glyphwright
