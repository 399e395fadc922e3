#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/table/Result.h"

namespace glyphwright {

// How a game stores a pointer and how its value becomes a file offset.
struct PointerKind {
    enum class Map : std::uint8_t {
        Linear,  // offset = value + adjust
        Gba,     // 32-bit, 08000000h is offset 0
        LoRom,   // SNES LoROM, 24-bit: 32 KiB of the file in the upper half of each bank
        HiRom,   // SNES HiROM, 24-bit: the low 22 bits are the offset
        Nes,     // 16-bit, $8000 is the start of 16 KiB bank `adjust`, after the 16-byte header
    };
    Map map = Map::Linear;
    int bytes = 2;           // 2, 3 or 4
    bool bigEndian = false;  // the high byte first
    std::int64_t adjust = 0;  // Linear: added to the value; Nes: the bank

    friend bool operator==(const PointerKind&, const PointerKind&) = default;
};

// One table of pointers: `count` pointers of `kind`, side by side from `offset`.
struct PointerBlock {
    std::uint64_t offset = 0;
    std::uint64_t count = 0;
    PointerKind kind;

    // Where the pointers end; the largest offset where that lies past any file.
    [[nodiscard]] std::uint64_t End() const {
        const std::uint64_t bytes = count * static_cast<unsigned>(kind.bytes);
        return offset > UINT64_MAX - bytes ? UINT64_MAX : offset + bytes;
    }
    friend bool operator==(const PointerBlock&, const PointerBlock&) = default;
};

// Bytes START up to END, END not included.
struct ByteRange {
    std::uint64_t start = 0;
    std::uint64_t end = 0;

    friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

// Which part of a --pointers or --range value could not be read.
enum class PointerBlockError : std::uint8_t {
    Shape,   // not OFFSET:COUNT:KIND (START:END)
    Offset,  // OFFSET (or START, END) is no hex number
    Count,   // COUNT is no decimal number above 0
    Kind,    // no kind of pointer this names
    Empty,   // END is not above START
};

// "100:48:le16+4000": OFFSET in hex, COUNT in decimal, KIND one of le16 be16 le24 be24 le32 be32,
// each optionally followed by +HEX or -HEX, or gba, lorom, hirom, nes, nes+BANK.
[[nodiscard]] Result<PointerBlock, PointerBlockError> ReadPointerBlock(std::string_view plan);
[[nodiscard]] Result<PointerKind, PointerBlockError> ReadPointerKind(std::string_view kind);
// "8000:9000", both hex.
[[nodiscard]] Result<ByteRange, PointerBlockError> ReadByteRange(std::string_view plan);
// The kind as ReadPointerKind reads it: "le16+4000", "nes+3".
[[nodiscard]] std::string PointerKindName(const PointerKind& kind);

// The value of the pointer stored in `bytes` (kind.bytes of them).
[[nodiscard]] std::uint32_t PointerValue(const PointerKind& kind, std::span<const std::uint8_t> bytes);
// The file offset a value stands for; none where the value maps to no place of a file.
[[nodiscard]] std::optional<std::uint64_t> OffsetOf(const PointerKind& kind, std::uint32_t value);

// How an Atlas custom pointer writes the value `kind` gave: its address type, offsetting (the
// inserter subtracts it from the address) and size in bits. `sample` is a value the game holds,
// which tells the mirror of the banks the game uses.
struct InserterPointer {
    std::string addressType;  // "LINEAR", "LOROM00", "LOROM80", "HIROM"
    std::int64_t offsetting = 0;
    int bits = 16;
    bool bigEndian = false;

    // The value the inserter writes for text at `offset`.
    [[nodiscard]] std::uint32_t ValueFor(std::uint64_t offset) const;
};
[[nodiscard]] InserterPointer InserterPointerFor(const PointerKind& kind, std::uint32_t sample);

}  // namespace glyphwright
