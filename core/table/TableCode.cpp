#include "core/table/TableCode.h"

namespace glyphwright {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<TableCode> CodeOfDigits(std::string_view digits, int width) {
    int value = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + digit;
    }
    if (width == 1) return TableCode::OneByte(static_cast<ByteCode>(value));
    return TableCode::TwoByte(static_cast<std::uint16_t>(value));
}

}  // namespace

std::string TableCode::Hex() const {
    std::string text;
    const auto put = [&text](ByteCode byte) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0x0F];
    };
    put(FirstByte());
    if (IsTwoByte()) put(SecondByte());
    return text;
}

std::string TableCode::Bytes() const {
    std::string bytes(1, static_cast<char>(FirstByte()));
    if (IsTwoByte()) bytes += static_cast<char>(SecondByte());
    return bytes;
}

std::optional<TableCode> ReadTableCode(std::string_view hex) {
    if (hex.size() != 2 && hex.size() != 4) return std::nullopt;
    return CodeOfDigits(hex, static_cast<int>(hex.size() / 2));
}

Result<TableCode, HexError> ReadTypedCode(std::string_view text) {
    const auto lastDigit = text.find_last_not_of(' ');
    if (lastDigit == std::string_view::npos) return HexError::NotANumber;
    const std::string_view digits = text.substr(0, lastDigit + 1);
    const auto code = CodeOfDigits(digits.substr(0, 4), digits.size() <= 2 ? 1 : 2);
    if (!code || digits.find_first_not_of("0123456789ABCDEFabcdef") != std::string_view::npos) {
        return HexError::NotANumber;
    }
    if (digits.size() > 4) return HexError::OutOfRange;
    return *code;
}

}  // namespace glyphwright
