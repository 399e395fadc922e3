#include "core/search/HitStart.h"

namespace glyphwright {

std::optional<HitStart> UsableStart(int start, std::size_t members, LetterWidth width) {
    if (start < 0 || members == 0) return std::nullopt;
    const long last = start + static_cast<long>(members) - 1;
    if (last <= 0xFF) return HitStart{TableCode::OneByte(static_cast<ByteCode>(start)), {}};
    if (width == LetterWidth::OneByte || last > 0xFFFF) return std::nullopt;
    const CodeOrder order =
        width == LetterWidth::TwoBytesLittleEndian ? CodeOrder::LittleEndian : CodeOrder::BigEndian;
    return HitStart{CodeOfValue(static_cast<std::uint16_t>(start), order), order};
}

}  // namespace glyphwright
