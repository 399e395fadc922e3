#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/table/ParseHexByte.h"
#include "core/table/Result.h"
#include "core/table/ByteCode.h"

namespace glyphwright {

// A code of the table: one byte, or two bytes written in the order the game stores them ("8140":
// 81 first, then 40). Codes compare as their stored bytes do, one-byte codes before the two-byte
// codes that begin with the same byte: 81 < 8100 < 81FF < 82. That is the order the files list
// them in.
class TableCode {
public:
    constexpr TableCode() = default;  // the one-byte code 00
    // A byte is a one-byte code: implicit, so that the code of a byte reads as the byte does.
    constexpr TableCode(ByteCode byte) : stored_(byte) {}  // NOLINT(google-explicit-constructor)

    [[nodiscard]] static constexpr TableCode OneByte(ByteCode byte) { return TableCode(byte, 1); }
    // `stored`: the first byte stored in the high eight bits ("8140" is 0x8140).
    [[nodiscard]] static constexpr TableCode TwoByte(std::uint16_t stored) {
        return TableCode(stored, 2);
    }

    [[nodiscard]] constexpr int Width() const { return width_; }
    [[nodiscard]] constexpr bool IsTwoByte() const { return width_ == 2; }
    // One byte: the byte. Two bytes: the first stored byte high, the second low.
    [[nodiscard]] constexpr std::uint16_t Stored() const { return stored_; }
    [[nodiscard]] constexpr ByteCode FirstByte() const {
        return static_cast<ByteCode>(width_ == 2 ? stored_ >> 8 : stored_);
    }
    // Two bytes only: the byte stored second.
    [[nodiscard]] constexpr ByteCode SecondByte() const {
        return static_cast<ByteCode>(stored_ & 0xFF);
    }

    // Upper-case hex of the stored bytes, two digits a byte: "81", "8140", "0080".
    [[nodiscard]] std::string Hex() const;
    // The bytes as the game stores them.
    [[nodiscard]] std::string Bytes() const;

    friend constexpr bool operator==(TableCode, TableCode) = default;
    friend constexpr std::strong_ordering operator<=>(TableCode a, TableCode b) {
        if (const auto first = a.FirstByte() <=> b.FirstByte(); first != 0) return first;
        if (const auto width = a.width_ <=> b.width_; width != 0) return width;
        return a.SecondByte() <=> b.SecondByte();
    }

private:
    constexpr TableCode(std::uint16_t stored, std::uint8_t width)
        : stored_(stored), width_(width) {}

    std::uint16_t stored_ = 0;
    std::uint8_t width_ = 1;
};

// Reads a code as the files and the command line write it: exactly two hex digits for one byte,
// exactly four for two ("80" and "0080" are different codes). Either case; nothing else around.
[[nodiscard]] std::optional<TableCode> ReadTableCode(std::string_view hex);

// Reads a typed code: one or two hex digits are a one-byte code, three or four a two-byte one
// ("8" is 08, "100" is 0100, "0080" is the two bytes 00 80). Blanks after the digits are ignored.
// More than four digits are OutOfRange; anything else but digits is NotANumber.
[[nodiscard]] Result<TableCode, HexError> ReadTypedCode(std::string_view text);

}  // namespace glyphwright
