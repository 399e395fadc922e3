#pragma once

#include <QString>

#include <cstdint>
#include <span>
#include <string_view>

namespace glyphwright {

// Codes, offsets and bytes as the windows show them: upper-case hex digits, padded with zeros.
inline QString HexNumber(std::uint64_t value, int digits = 2) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

// Bytes as two-digit hex numbers with a blank between them.
inline QString HexBytes(std::span<const std::uint8_t> bytes) {
    QString shown;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) shown += QLatin1Char(' ');
        shown += HexNumber(bytes[i]);
    }
    return shown;
}

inline QString HexBytes(std::string_view bytes) {
    return HexBytes({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

}  // namespace glyphwright
