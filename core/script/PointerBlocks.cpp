#include "core/script/PointerBlocks.h"

#include <charconv>
#include <vector>

namespace glyphwright {

namespace {

std::optional<std::uint64_t> ReadNumber(std::string_view text, int base) {
    if (text.empty() || text.size() > 16) return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t next = text.find(separator, at);
        parts.push_back(text.substr(at, next == std::string_view::npos ? next : next - at));
        if (next == std::string_view::npos) return parts;
        at = next + 1;
    }
}

std::string Hex(std::uint64_t value) {
    char digits[17];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, 16);
    std::string text(digits, end);
    for (char& c : text) c = static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
    return text;
}

// LoROM: 32 KiB of the file in $8000-$FFFF of each bank.
std::uint32_t LoRomAddress(std::uint64_t offset) {
    return static_cast<std::uint32_t>((offset / 0x8000) << 16 | (0x8000 | (offset & 0x7FFF)));
}

}  // namespace

Result<PointerKind, PointerBlockError> ReadPointerKind(std::string_view text) {
    PointerKind kind;
    // The named maps.
    if (text == "gba") return PointerKind{PointerKind::Map::Gba, 4, false, 0};
    if (text == "lorom") return PointerKind{PointerKind::Map::LoRom, 3, false, 0};
    if (text == "hirom") return PointerKind{PointerKind::Map::HiRom, 3, false, 0};
    if (text == "nes") return PointerKind{PointerKind::Map::Nes, 2, false, 0};
    if (text.starts_with("nes+")) {
        const auto bank = ReadNumber(text.substr(4), 16);
        if (!bank || *bank > 0xFFFF) return PointerBlockError::Kind;
        return PointerKind{PointerKind::Map::Nes, 2, false, static_cast<std::int64_t>(*bank)};
    }
    if (text.size() < 4) return PointerBlockError::Kind;
    const std::string_view order = text.substr(0, 2);
    const std::string_view width = text.substr(2, 2);
    if (order != "le" && order != "be") return PointerBlockError::Kind;
    kind.bigEndian = order == "be";
    if (width == "16") {
        kind.bytes = 2;
    } else if (width == "24") {
        kind.bytes = 3;
    } else if (width == "32") {
        kind.bytes = 4;
    } else {
        return PointerBlockError::Kind;
    }
    const std::string_view rest = text.substr(4);
    if (rest.empty()) return kind;
    if (rest.front() != '+' && rest.front() != '-') return PointerBlockError::Kind;
    const auto adjust = ReadNumber(rest.substr(1), 16);
    if (!adjust || *adjust > 0xFFFFFFFFu) return PointerBlockError::Kind;
    kind.adjust = rest.front() == '+' ? static_cast<std::int64_t>(*adjust)
                                      : -static_cast<std::int64_t>(*adjust);
    return kind;
}

Result<PointerBlock, PointerBlockError> ReadPointerBlock(std::string_view plan) {
    const auto parts = Split(plan, ':');
    if (parts.size() != 3) return PointerBlockError::Shape;
    const auto offset = ReadNumber(parts[0], 16);
    if (!offset) return PointerBlockError::Offset;
    const auto count = ReadNumber(parts[1], 10);
    if (!count || *count == 0 || *count > 0xFFFFFFFFu) return PointerBlockError::Count;
    const auto kind = ReadPointerKind(parts[2]);
    if (!kind) return kind.error();
    return PointerBlock{*offset, *count, kind.value()};
}

Result<ByteRange, PointerBlockError> ReadByteRange(std::string_view plan) {
    const auto parts = Split(plan, ':');
    if (parts.size() != 2) return PointerBlockError::Shape;
    const auto start = ReadNumber(parts[0], 16);
    const auto end = ReadNumber(parts[1], 16);
    if (!start || !end) return PointerBlockError::Offset;
    if (*end <= *start) return PointerBlockError::Empty;
    return ByteRange{*start, *end};
}

std::string PointerKindName(const PointerKind& kind) {
    switch (kind.map) {
        case PointerKind::Map::Gba:
            return "gba";
        case PointerKind::Map::LoRom:
            return "lorom";
        case PointerKind::Map::HiRom:
            return "hirom";
        case PointerKind::Map::Nes:
            return kind.adjust == 0 ? "nes" : "nes+" + Hex(static_cast<std::uint64_t>(kind.adjust));
        case PointerKind::Map::Linear:
            break;
    }
    std::string name = kind.bigEndian ? "be" : "le";
    name += std::to_string(kind.bytes * 8);
    if (kind.adjust > 0) name += '+' + Hex(static_cast<std::uint64_t>(kind.adjust));
    if (kind.adjust < 0) name += '-' + Hex(static_cast<std::uint64_t>(-kind.adjust));
    return name;
}

std::uint32_t PointerValue(const PointerKind& kind, std::span<const std::uint8_t> bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < kind.bytes; ++i) {
        const auto at = static_cast<std::size_t>(kind.bigEndian ? i : kind.bytes - 1 - i);
        value = value << 8 | bytes[at];
    }
    return value;
}

std::optional<std::uint64_t> OffsetOf(const PointerKind& kind, std::uint32_t value) {
    switch (kind.map) {
        case PointerKind::Map::Linear: {
            const std::int64_t offset = static_cast<std::int64_t>(value) + kind.adjust;
            if (offset < 0) return std::nullopt;
            return static_cast<std::uint64_t>(offset);
        }
        case PointerKind::Map::Gba:
            if (value < 0x08000000u || value >= 0x0A000000u) return std::nullopt;
            return value - 0x08000000u;
        case PointerKind::Map::LoRom:
            if ((value & 0x8000u) == 0) return std::nullopt;
            return ((value >> 16) & 0x7Fu) * 0x8000u + (value & 0x7FFFu);
        case PointerKind::Map::HiRom:
            return value & 0x3FFFFFu;
        case PointerKind::Map::Nes:
            if (value < 0x8000u || value >= 0xC000u) return std::nullopt;
            return 0x10u + static_cast<std::uint64_t>(kind.adjust) * 0x4000u + (value - 0x8000u);
    }
    return std::nullopt;
}

std::uint32_t InserterPointer::ValueFor(std::uint64_t offset) const {
    std::uint64_t address = offset;
    if (addressType == "LOROM00") address = LoRomAddress(offset);
    if (addressType == "LOROM80") address = LoRomAddress(offset) + 0x800000u;
    if (addressType == "HIROM") address = offset + 0xC00000u;
    const auto value = static_cast<std::uint64_t>(static_cast<std::int64_t>(address) - offsetting);
    const std::uint64_t mask = bits == 32 ? 0xFFFFFFFFu : (std::uint64_t{1} << bits) - 1;
    return static_cast<std::uint32_t>(value & mask);
}

InserterPointer InserterPointerFor(const PointerKind& kind, std::uint32_t sample) {
    InserterPointer pointer{"LINEAR", 0, kind.bytes * 8, kind.bigEndian};
    switch (kind.map) {
        case PointerKind::Map::Linear:
            // The value is the offset less `adjust`.
            pointer.offsetting = kind.adjust;
            break;
        case PointerKind::Map::Gba:
            pointer.offsetting = -0x08000000;
            break;
        case PointerKind::Map::LoRom:
            pointer.addressType = (sample & 0x800000u) != 0 ? "LOROM80" : "LOROM00";
            break;
        case PointerKind::Map::HiRom:
            // The inserter puts the file at bank C0; a game that uses the mirror at 40 (or 00)
            // gets its own bank back by the offsetting.
            pointer.addressType = "HIROM";
            pointer.offsetting = 0xC00000 - static_cast<std::int64_t>(sample & 0xC00000u);
            break;
        case PointerKind::Map::Nes:
            pointer.offsetting = 0x10 + kind.adjust * 0x4000 - 0x8000;
            break;
    }
    return pointer;
}

}  // namespace glyphwright
